#include "core/Werkmap.h"

#include "core/Bestandspad.h"
#include "core/Csv.h"
#include "core/Invoer.h"
#include "domain/Bestand.h"
#include "domain/Decimaalpunt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace korvalinde {

namespace {

// No workbook of these tables comes near this size (a sheet holds at most 1048576 lines); the
// finished workbook is read back in one piece before it is written.
constexpr std::size_t MaxWerkmapGrootte = std::size_t{1} << 30;

// Column widths in characters: at least this, and no wider than that however long a text is (a tenth
// more, as the width counts digits and most letters are wider).
constexpr int MinBreedte = 8;
constexpr int MaxBreedte = 50;

QString Reden(lxw_error fout) {
    return QString::fromUtf8(lxw_strerror(fout));
}

} // namespace

QString Getalnotatie(const QString& veld) {
    qsizetype i = veld.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype heel = i;
    while (i < veld.size() && veld[i].isDigit() && veld[i].unicode() < 128) ++i;
    if (i == heel) return {};
    if (i == veld.size()) return QStringLiteral("0");
    if (veld[i] != QLatin1Char('.')) return {};
    const qsizetype punt = ++i;
    while (i < veld.size() && veld[i].isDigit() && veld[i].unicode() < 128) ++i;
    if (i == punt || i != veld.size()) return {};
    return QStringLiteral("0.") + QString(i - punt, QLatin1Char('0'));
}

QString WerkmapMapBegin() {
    QString programma = QCoreApplication::applicationName();
    if (programma.isEmpty()) programma = QStringLiteral("korvalinde");
    return QStringLiteral("%1/%2-%3-")
        .arg(QDir::tempPath(), programma)
        .arg(QCoreApplication::applicationPid());
}

struct TWerkmap::Intern {
    struct Werkblad {
        lxw_worksheet* blad = nullptr;
        QString naam;
        lxw_row_t regels = 0;
        QList<int> tekstkolommen;
        std::vector<int> breedte;
    };

    QTemporaryDir map{WerkmapMapBegin() + QStringLiteral("XXXXXX")};
    QByteArray tijdelijk;
    QByteArray tmpdir;
    lxw_workbook* boek = nullptr;
    lxw_format* kop = nullptr;
    std::map<QString, lxw_format*> notaties;
    std::vector<Werkblad> bladen;
    QString fout;

    ~Intern() {
        if (boek) lxw_workbook_free(boek);
    }

    void Fout(const QString& reden) {
        if (fout.isEmpty()) fout = reden;
    }

    lxw_format* Notatie(const QString& notatie) {
        auto it = notaties.find(notatie);
        if (it != notaties.end()) return it->second;
        lxw_format* f = workbook_add_format(boek);
        format_set_num_format(f, notatie.toLatin1().constData());
        notaties.emplace(notatie, f);
        return f;
    }

    // One line of a sheet; the heading line (`kopregel`) all text. The library writes the line
    // before it to its file here, its numbers with the C library.
    void Schrijf(Werkblad& b, const QStringList& velden, bool kopregel) {
        const TDecimaalpunt punt;
        if (b.regels >= LXW_ROW_MAX) {
            Fout(QStringLiteral(
                     "het blad \"%1\" zou meer dan %2 regels krijgen; zoveel houdt een werkmap niet")
                     .arg(b.naam)
                     .arg(LXW_ROW_MAX));
            return;
        }
        for (qsizetype k = 0; k < velden.size(); ++k) {
            const QString& veld = velden[k];
            if (veld.isEmpty()) continue;
            if (k >= LXW_COL_MAX) {
                Fout(QStringLiteral("het blad \"%1\" zou meer dan %2 kolommen krijgen")
                         .arg(b.naam)
                         .arg(LXW_COL_MAX));
                return;
            }
            const auto kolom = static_cast<lxw_col_t>(k);
            const QString notatie =
                kopregel || b.tekstkolommen.contains(static_cast<int>(k)) ? QString() : Getalnotatie(veld);
            bool ok = false;
            const double getal = notatie.isEmpty() ? 0.0 : veld.toDouble(&ok); // the C locale's point
            lxw_error e;
            if (ok && std::isfinite(getal))
                e = worksheet_write_number(b.blad, b.regels, kolom, getal, Notatie(notatie));
            else
                e = worksheet_write_string(b.blad, b.regels, kolom, veld.toUtf8().constData(),
                                           kopregel ? kop : nullptr);
            if (e != LXW_NO_ERROR) {
                Fout(QStringLiteral("blad \"%1\": %2").arg(b.naam, Reden(e)));
                return;
            }
            if (static_cast<std::size_t>(k) >= b.breedte.size())
                b.breedte.resize(static_cast<std::size_t>(k) + 1);
            int& breedte = b.breedte[static_cast<std::size_t>(k)];
            breedte = std::max(breedte, static_cast<int>(std::min<qsizetype>(veld.size(), MaxBreedte)));
        }
        ++b.regels;
    }
};

TWerkmap::TWerkmap() : d_(std::make_unique<Intern>()) {
    if (!d_->map.isValid()) {
        d_->Fout(QStringLiteral("geen tijdelijke map voor de werkmap: %1").arg(d_->map.errorString()));
        return;
    }
    d_->tijdelijk = QFile::encodeName(d_->map.filePath(QStringLiteral("werkmap.xlsx")));
    d_->tmpdir = QFile::encodeName(d_->map.path());
    lxw_workbook_options opties{};
    // Every line goes to a file in the temporary folder as it is written, not into memory.
    opties.constant_memory = LXW_TRUE;
    opties.tmpdir = d_->tmpdir.data();
    {
        const TStilleFoutuitvoer stil; // the library's own lines on a failure: the reason comes back here
        d_->boek = workbook_new_opt(d_->tijdelijk.constData(), &opties);
    }
    if (!d_->boek) {
        d_->Fout(QStringLiteral("de werkmap kon niet begonnen worden"));
        return;
    }
    d_->kop = workbook_add_format(d_->boek);
    format_set_bold(d_->kop);
}

TWerkmap::~TWerkmap() = default;

int TWerkmap::Blad(const QString& naam, const QStringList& kop, const QList<int>& tekstkolommen) {
    Intern::Werkblad b;
    b.naam = naam;
    b.tekstkolommen = tekstkolommen;
    if (d_->boek) {
        const TStilleFoutuitvoer stil;
        b.blad = workbook_add_worksheet(d_->boek, naam.toUtf8().constData());
        if (!b.blad) d_->Fout(QStringLiteral("het blad \"%1\" kon niet gemaakt worden").arg(naam));
    }
    d_->bladen.push_back(b);
    Intern::Werkblad& nieuw = d_->bladen.back();
    if (!nieuw.blad) return static_cast<int>(d_->bladen.size()) - 1;
    worksheet_freeze_panes(nieuw.blad, 1, 0);
    d_->Schrijf(nieuw, kop, true);
    return static_cast<int>(d_->bladen.size()) - 1;
}

void TWerkmap::Regel(int blad, const QStringList& velden) {
    if (!d_->boek || !d_->fout.isEmpty() || blad < 0 || blad >= static_cast<int>(d_->bladen.size())) return;
    Intern::Werkblad& b = d_->bladen[static_cast<std::size_t>(blad)];
    if (b.blad) d_->Schrijf(b, velden, false);
}

QString TWerkmap::Schrijf(const QString& pad) {
    if (!d_->fout.isEmpty() || !d_->boek)
        return d_->fout.isEmpty() ? QStringLiteral("de werkmap is al geschreven") : d_->fout;
    // The library writes numbers and column widths with the C library, which would give "2,3" on a
    // Dutch desktop: a cell no spreadsheet reads as 2.3.
    const TDecimaalpunt punt;
    for (const Intern::Werkblad& b : d_->bladen)
        for (std::size_t k = 0; k < b.breedte.size(); ++k)
            worksheet_set_column(b.blad, static_cast<lxw_col_t>(k), static_cast<lxw_col_t>(k),
                                 std::max<double>(MinBreedte, b.breedte[k] * 1.1 + 2), nullptr);
    errno = 0;
    lxw_error e = LXW_NO_ERROR;
    int systeemfout = 0;
    {
        const TStilleFoutuitvoer stil;
        e = workbook_close(d_->boek); // frees the workbook, also when it fails
        systeemfout = errno;
    }
    d_->boek = nullptr;
    if (e != LXW_NO_ERROR)
        // The library's reason, and the system's where it has one ("File too large").
        return QStringLiteral("de werkmap %1 kon niet gemaakt worden: %2%3")
            .arg(pad, Reden(e),
                 systeemfout ? QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(systeemfout)))
                             : QString());
    std::string bytes;
    bool teLang = false;
    std::string reden = LeesBestand(d_->tijdelijk.toStdString(), MaxWerkmapGrootte, bytes, &teLang);
    if (!reden.empty()) return QString::fromStdString(reden);
    if (teLang) return QStringLiteral("de werkmap zou groter worden dan %1 MiB").arg(MaxWerkmapGrootte >> 20);
    reden = SchrijfBestand(DomeinPad(pad), bytes);
    return QString::fromStdString(reden);
}

QString SchrijfWerkmapTabel(const QString& pad, const TTabel& tabel, const QString& bestand) {
    QStringList kop;
    QList<QStringList> regels;
    if (!TabelVelden(tabel, bestand, kop, regels))
        return QStringLiteral("deze tabel heeft geen vorm voor een werkmap");
    const bool samenvatting = tabel.Naam() == QLatin1String("GrdUitvoerSam");
    TWerkmap werkmap;
    const int blad = werkmap.Blad(samenvatting ? QStringLiteral("Samenvatting") : QStringLiteral("Detail"),
                                  kop, samenvatting ? TekstkolommenSamenvatting : TekstkolommenDetail);
    for (const QStringList& regel : regels) werkmap.Regel(blad, regel);
    return werkmap.Schrijf(pad);
}

} // namespace korvalinde
