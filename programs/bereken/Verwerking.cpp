#include "programs/bereken/Verwerking.h"

#include "core/Berekening.h"
#include "core/Bestandspad.h"
#include "core/Csv.h"
#include "core/Geordend.h"
#include "core/Gevoeligheid.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/RecordJson.h"
#include "core/Reeks.h"
#include "core/Reeksgrafiek.h"
#include "core/Scenario.h"
#include "core/Verkennen.h"
#include "core/Werkmap.h"
#include "domain/Bedrijfsmodel.h"
#include "domain/Bestand.h"
#include "programs/bereken/Opruimen.h"
#include "programs/systeem/Systeem.h"
#include "report/Grafiektekenaar.h"

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <thread>

namespace korvalinde {

namespace {

// No input record comes near this size; a larger file (or an endless one) is not read.
constexpr std::size_t MaxJsonGrootte = std::size_t{16} * 1024 * 1024;

// Reads an input record from a JSON file; false with the message.
bool LeesJson(const QString& pad, TQXInvoer& invoer, QString& melding) {
    std::string bytes;
    bool teLang = false;
    BestandFout soort = BestandFout::Geen;
    const std::string reden = LeesBestand(DomeinPad(pad), MaxJsonGrootte, bytes, &teLang, &soort);
    if (!reden.empty()) {
        melding = soort == BestandFout::Geweigerd || soort == BestandFout::Openen
                      ? LeesMelding(pad, NietTeOpenen(pad))
                      : QString::fromStdString(reden);
        return false;
    }
    if (teLang) {
        melding = QStringLiteral("%1 is groter dan %2 MiB; zo groot is geen invoerrecord")
                      .arg(pad)
                      .arg(MaxJsonGrootte / (std::size_t{1024} * 1024));
        return false;
    }
    QJsonParseError parseFout{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &parseFout);
    if (parseFout.error != QJsonParseError::NoError) {
        melding = QStringLiteral("%1 is geen geldige JSON (positie %2): %3")
                      .arg(pad)
                      .arg(parseFout.offset)
                      .arg(parseFout.errorString());
        return false;
    }
    if (!doc.isObject()) {
        melding = QStringLiteral("%1 bevat geen JSON-object").arg(pad);
        return false;
    }
    QString fout = DubbeleSleutel(QByteArray::fromStdString(bytes));
    if (!fout.isEmpty()) {
        melding = QStringLiteral("%1: Sleutel \"%2\" staat twee keer in hetzelfde object").arg(pad, fout);
        return false;
    }
    if (!InvoerUitJson(doc.object(), invoer, fout)) {
        melding = QStringLiteral("%1: %2").arg(pad, fout);
        return false;
    }
    return true;
}

// One input as read: its record, or why it could not be read, and the boxes the window would have
// shown on the way.
struct Gelezen {
    TQXInvoer invoer;
    QString melding; // empty when read
    QStringList meldingen;
};

Gelezen Lees(const QString& pad) {
    Gelezen g;
    if (IsJson(pad)) {
        LeesJson(pad, g.invoer, g.melding);
        return g;
    }
    TOpnameMelder melder;
    QString fout;
    if (!LeesScenarioInvoer(pad, g.invoer, melder, fout)) {
        g.melding = LeesMelding(pad, fout);
        return g;
    }
    for (const auto& m : melder.meldingen)
        if (!g.meldingen.contains(m.tekst)) g.meldingen << m.tekst;
    return g;
}

bool& StandaarduitvoerDicht() {
    static bool dicht = false;
    return dicht;
}

// Standard output as raw bytes; whether everything reached it is checked at the end.
class Standaarduitvoer {
  public:
    void Schrijf(const QByteArray& bytes) {
        if (bytes.isEmpty()) return;
        if (StandaarduitvoerDicht()) {
            dicht_ = true;
            return;
        }
        if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) !=
                static_cast<std::size_t>(bytes.size()) &&
            !fout_)
            fout_ = errno;
        // The reader has gone ("| head"): nothing more can reach it, so the work stops here with
        // exit 2 and one line, its temporaries removed.
        if (fout_ == EPIPE) {
            Onleesbaar(QStringLiteral("de uitvoer kon niet volledig geschreven worden: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(EPIPE))));
            Fout().flush();
            RuimEigenOp();
            std::_Exit(2);
        }
    }
    void Schrijf(std::FILE* bestand) {
        std::rewind(bestand);
        char blok[1 << 16];
        std::size_t n;
        while ((n = std::fread(blok, 1, sizeof blok, bestand)) > 0)
            Schrijf(QByteArray(blok, static_cast<qsizetype>(n)));
    }
    // Exit code `code`, or 2 with a message when not everything reached standard output (a full
    // disk, /dev/full, a closed pipe).
    int Af(int code) {
        if (dicht_)
            return Onleesbaar(
                QStringLiteral("de uitvoer kon niet geschreven worden: de standaarduitvoer is gesloten"));
        errno = 0;
        if (std::fflush(stdout) != 0 && !fout_) fout_ = errno ? errno : EIO;
        if (std::ferror(stdout) && !fout_) fout_ = EIO;
        if (!fout_) return code;
        return Onleesbaar(QStringLiteral("de uitvoer kon niet volledig geschreven worden: %1")
                              .arg(QString::fromLocal8Bit(std::strerror(fout_))));
    }

  private:
    int fout_ = 0;
    bool dicht_ = false;
};

// The threads asked for (by default as many as the machine has), but no more than the machine has
// and than there are items to compute: more would only cost memory and switching.
unsigned Draden(unsigned gevraagd, std::size_t werk) {
    const unsigned machine = std::max(1u, std::thread::hardware_concurrency());
    const unsigned draden = gevraagd > 0 ? std::min(gevraagd, machine) : machine;
    return static_cast<unsigned>(std::clamp<std::size_t>(werk, 1, draden));
}

// Every input read, on several threads, in the order given; nothing when one cannot be read.
bool LeesAlles(const QStringList& bestanden, unsigned gevraagd, std::vector<TQXInvoer>& invoer) {
    const unsigned draden = Draden(gevraagd, static_cast<std::size_t>(bestanden.size()));
    invoer.resize(static_cast<std::size_t>(bestanden.size()));
    QString melding;
    VerwerkGeordend<Gelezen>(
        invoer.size(), draden, [&](std::size_t i) { return Lees(bestanden[static_cast<qsizetype>(i)]); },
        [&](std::size_t i, Gelezen& g) {
            if (!melding.isEmpty()) return;
            if (!g.melding.isEmpty()) {
                melding = g.melding;
                return;
            }
            invoer[i] = std::move(g.invoer);
            // Every box the window would have shown, once, as a warning.
            for (const QString& m : g.meldingen)
                Fout() << "korvalinde-bereken: waarschuwing: " << bestanden[static_cast<qsizetype>(i)] << ": "
                       << m << Qt::endl;
        });
    if (melding.isEmpty()) return true;
    Onleesbaar(melding);
    return false;
}

// One file computed and its text made, ready to be written.
struct Uitkomst {
    QByteArray tekst;  // JSON element or CSV summary rows
    QByteArray detail; // CSV detail rows
    // For the workbook: the fields of the summary and detail lines.
    QList<QStringList> samenvatting;
    QList<QStringList> details;
    QString fout; // the model's error
};

QString ModelFout(const TQXInvoer& invoer, TQXUitvoer& uitvoer) {
    try {
        TBedrijf bedrijf;
        bedrijf.Bereken(invoer, uitvoer);
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

// Whether the workbook asked for may be written, before anything is computed: empty when it may.
QString WerkmapDoel(const QString& pad) {
    if (pad.isEmpty()) return {};
    const std::string reden = ControleerSchrijfdoel(DomeinPad(pad));
    return reden.empty() ? QString() : QStringLiteral("--xlsx: %1").arg(QString::fromStdString(reden));
}

} // namespace

QTextStream& Fout() {
    static QTextStream fout(stderr);
    return fout;
}

void ControleerStandaarduitvoer() {
    if (BereidStandaarduitvoer()) StandaarduitvoerDicht() = true;
}

QString LeesMelding(const QString& pad, const QString& fout) {
    if (fout == NietTeOpenen(pad)) {
        const std::string reden = LeesReden(DomeinPad(pad));
        return fout + QStringLiteral(": ") +
               (reden.empty() ? QStringLiteral("kan niet gelezen worden") : QString::fromLocal8Bit(reden));
    }
    return fout.contains(pad) ? fout : pad + QStringLiteral(": ") + fout;
}

namespace {

// The scenario file a sweep or a goal seek starts from: its bytes and the input set decoded from them.
// Empty, or the message (a JSON record has no input set whose rules could run).
QString LeesReeksScenario(const QString& bestand, const QString& optie, QByteArray& scenario,
                          TInvoerset& invoer) {
    if (IsJson(bestand)) return QStringLiteral("%1 vraagt een scenariobestand (.kvl), geen JSON").arg(optie);
    QString fout = LeesScenarioBytes(bestand, scenario);
    if (fout.isEmpty()) WaarschuwVoorVersie(bestand, scenario);
    if (fout.isEmpty()) fout = DecodeerScenario(scenario, invoer);
    return fout.isEmpty() ? QString() : LeesMelding(bestand, fout);
}

} // namespace

void WaarschuwVoorVersie(const QString& pad, const QByteArray& scenario) {
    if (const QString nieuwer = NieuwereVersie(scenario); !nieuwer.isEmpty())
        Fout() << "korvalinde-bereken: waarschuwing: " << pad << ": " << nieuwer << Qt::endl;
}

bool IsJson(const QString& pad) {
    return pad.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

int SchrijfUitvoer(const QByteArray& tekst, int code) {
    Standaarduitvoer uit;
    uit.Schrijf(tekst);
    return uit.Af(code);
}

int Onleesbaar(const QString& melding) {
    Fout() << "korvalinde-bereken: " << melding << Qt::endl;
    return 2;
}

int VerwerkBestanden(const QStringList& bestanden, const TBatchOpties& opties) {
    const unsigned draden = Draden(opties.draden, static_cast<std::size_t>(bestanden.size()));
    if (const QString doel = WerkmapDoel(opties.xlsx); !doel.isEmpty()) return Onleesbaar(doel);
    std::vector<TQXInvoer> invoer;
    if (!LeesAlles(bestanden, opties.draden, invoer)) return 2;

    // The tables go either into the workbook, or as CSV or JSON to standard output.
    const bool xlsx = !opties.xlsx.isEmpty();
    const bool csv = !xlsx && (opties.csv || opties.detail);
    const bool lijst = bestanden.size() > 1;
    Standaarduitvoer uit;
    // The detail rows follow all summary rows: they wait in a temporary file, not in memory.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> detail(opties.detail && csv ? std::tmpfile() : nullptr,
                                                           &std::fclose);
    if (opties.detail && csv && !detail)
        return Onleesbaar(QStringLiteral("geen tijdelijk bestand voor de detailtabellen"));
    bool modelFout = false;

    // The tables as the window shows them give the CSV its labels and headers.
    QObject tabellenEigenaar;
    const TResultaatTabellen kop = MaakResultaatTabellen(&tabellenEigenaar);
    QByteArray begin;
    if (csv)
        begin = CsvSamenvattingKop(*kop.Sam).toUtf8();
    else if (lijst && !xlsx)
        begin = "[\n";
    uit.Schrijf(begin);
    // The workbook: the summary lines of all files in one sheet, their detail lines in another.
    std::unique_ptr<TWerkmap> werkmap;
    int samBlad = -1;
    int detBlad = -1;
    if (xlsx) {
        werkmap = std::make_unique<TWerkmap>();
        samBlad = werkmap->Blad(QStringLiteral("Samenvatting"), SamenvattingKopVelden(*kop.Sam),
                                TekstkolommenSamenvatting);
        if (opties.detail)
            detBlad =
                werkmap->Blad(QStringLiteral("Detail"), DetailKopVelden(*kop.Det[0]), TekstkolommenDetail);
    }

    try {
        VerwerkGeordend<Uitkomst>(
            invoer.size(), draden,
            [&](std::size_t i) {
                Uitkomst u;
                const QString& bestand = bestanden[static_cast<qsizetype>(i)];
                TQXUitvoer uitvoer;
                u.fout = ModelFout(invoer[i], uitvoer);
                if (!csv && !xlsx) {
                    if (lijst) u.tekst = i == 0 ? QByteArray("    ") : QByteArray(",\n    ");
                    SchrijfResultaatJson(u.tekst, invoer[i], uitvoer, u.fout, lijst ? &bestand : nullptr,
                                         lijst ? 1 : 0);
                    if (!lijst) u.tekst += '\n';
                    return u;
                }
                QObject eigenaar; // the tables of this file, on this thread
                const TResultaatTabellen tabellen = MaakResultaatTabellen(&eigenaar);
                VulResultaatTabellen(tabellen, uitvoer);
                if (xlsx) {
                    u.samenvatting = SamenvattingRegels(*tabellen.Sam, bestand);
                    if (opties.detail)
                        for (int v = 0; v < AantalVarianten; ++v)
                            u.details += DetailRegels(*tabellen.Det[static_cast<std::size_t>(v)],
                                                      VariantNaam(v), bestand);
                    return u;
                }
                u.tekst = CsvSamenvatting(*tabellen.Sam, bestand).toUtf8();
                if (opties.detail)
                    for (int v = 0; v < AantalVarianten; ++v)
                        u.detail +=
                            CsvDetail(*tabellen.Det[static_cast<std::size_t>(v)], VariantNaam(v), bestand)
                                .toUtf8();
                return u;
            },
            [&](std::size_t i, Uitkomst& u) {
                if (!u.fout.isEmpty()) {
                    modelFout = true;
                    if (csv || xlsx)
                        Fout() << "korvalinde-bereken: " << bestanden[static_cast<qsizetype>(i)] << ": "
                               << u.fout << Qt::endl;
                }
                uit.Schrijf(u.tekst);
                for (const QStringList& regel : u.samenvatting) werkmap->Regel(samBlad, regel);
                for (const QStringList& regel : u.details) werkmap->Regel(detBlad, regel);
                if (detail && !u.detail.isEmpty() &&
                    std::fwrite(u.detail.constData(), 1, static_cast<std::size_t>(u.detail.size()),
                                detail.get()) != static_cast<std::size_t>(u.detail.size()))
                    throw std::runtime_error(std::strerror(errno));
            });
    } catch (const std::exception& e) {
        return Onleesbaar(QStringLiteral("de detailtabellen konden niet tijdelijk bewaard worden: %1")
                              .arg(QString::fromLocal8Bit(e.what())));
    }

    if (werkmap) {
        if (const QString reden = werkmap->Schrijf(opties.xlsx); !reden.isEmpty())
            return Onleesbaar(QStringLiteral("--xlsx: %1").arg(reden));
    }
    if (!csv && !xlsx && lijst) uit.Schrijf("\n]\n");
    if (detail) {
        uit.Schrijf(QByteArray("\r\n") + CsvDetailKop(*kop.Det[0]).toUtf8());
        if (std::fflush(detail.get()) != 0 || std::ferror(detail.get()))
            return Onleesbaar(QStringLiteral("de detailtabellen konden niet tijdelijk bewaard worden"));
        uit.Schrijf(detail.get());
    }
    return uit.Af(modelFout ? 1 : 0);
}

} // namespace korvalinde

namespace korvalinde {

namespace {

// The summary rows the chart shows: those whose title holds one of the texts asked (any case);
// by default the use of the grass and the milk, the advisor's first questions.
bool KiesRijen(const QStringList& gevraagd, QList<int>& rijen, QString& fout) {
    const QStringList teksten = gevraagd.isEmpty() ? QStringList{QStringLiteral("Benuttingspercentage"),
                                                                 QStringLiteral("Gemiddelde melkgift")}
                                                   : gevraagd;
    for (const QString& tekst : teksten) {
        bool gevonden = false;
        const QList<TSamenvattingKolom>& kolommen = SamenvattingKolommen();
        for (int k = 0; k < kolommen.size(); ++k)
            if (kolommen[k].titel.contains(tekst, Qt::CaseInsensitive)) {
                rijen << k;
                gevonden = true;
            }
        if (!gevonden) {
            fout = QStringLiteral("--rij %1: geen rij van de samenvatting").arg(tekst);
            return false;
        }
    }
    return true;
}

} // namespace

int VerwerkReeks(const QString& bestand, const TBatchOpties& opties) {
    if (const QString doel = WerkmapDoel(opties.xlsx); !doel.isEmpty()) return Onleesbaar(doel);
    QByteArray scenario;
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    QString fout = LeesReeksScenario(bestand, QStringLiteral("--reeks"), scenario, invoer);
    if (!fout.isEmpty()) return Onleesbaar(fout);
    if (opties.reeksen.size() > 2) return Onleesbaar(QStringLiteral("hoogstens twee keer --reeks"));
    QList<TReeks> reeksen;
    for (const QString& tekst : opties.reeksen) {
        TReeks r;
        if (!LeesReeks(tekst, invoer, r, fout)) return Onleesbaar(fout);
        reeksen << r;
    }
    QList<int> grafiekRijen;
    if (!opties.grafiek.isEmpty() && !KiesRijen(opties.rijen, grafiekRijen, fout)) return Onleesbaar(fout);
    const int punten = AantalReekspunten(reeksen);
    if (punten > MaxReekswaarden)
        return Onleesbaar(QStringLiteral("meer dan %1 punten").arg(MaxReekswaarden));

    Standaarduitvoer uit;
    const QStringList kop = ReeksKopVelden(reeksen, opties.alternatieven);
    // The table goes into the workbook, sheet "Reeks", or as CSV to standard output.
    std::unique_ptr<TWerkmap> werkmap;
    int blad = -1;
    if (!opties.xlsx.isEmpty()) {
        werkmap = std::make_unique<TWerkmap>();
        blad = werkmap->Blad(QStringLiteral("Reeks"), kop);
    } else {
        uit.Schrijf(CsvRegel(kop).toUtf8());
    }

    // The chart's points: the fields of the table with every variant, as the window keeps them.
    QList<QStringList> grafiekVelden;
    bool modelFout = false;
    try {
        VerwerkGeordend<TReekspunt>(
            static_cast<std::size_t>(punten), Draden(opties.draden, static_cast<std::size_t>(punten)),
            [&](std::size_t i) { return BerekenReekspunt(scenario, reeksen, static_cast<int>(i)); },
            [&](std::size_t, TReekspunt& p) {
                const QStringList regel =
                    ReeksVelden(p, static_cast<int>(reeksen.size()), opties.alternatieven);
                if (werkmap)
                    werkmap->Regel(blad, regel);
                else
                    uit.Schrijf(CsvRegel(regel).toUtf8());
                if (!p.fout.isEmpty()) {
                    modelFout = true;
                    Fout() << "korvalinde-bereken: " << bestand << " ("
                           << p.waarden.join(QStringLiteral(", ")) << "): " << p.fout << Qt::endl;
                }
                if (!grafiekRijen.isEmpty())
                    grafiekVelden << ReeksVelden(p, static_cast<int>(reeksen.size()), true);
            });
    } catch (const std::exception& e) {
        return Onleesbaar(QString::fromStdString(e.what()));
    }
    if (!opties.grafiek.isEmpty()) {
        const QList<TGrafiek> grafiek =
            BouwReeksgrafiek(invoer, reeksen, grafiekVelden, grafiekRijen, opties.alternatieven);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QImage beeld = GrafiekAfbeelding(
            grafiek, QSize(ReeksgrafiekBreedte,
                           std::max(ReeksgrafiekPaneelHoogte,
                                    GrafiekHoogte(grafiek, ReeksgrafiekBreedte, ReeksgrafiekPaneelHoogte))));
        if (!beeld.save(&buffer, "PNG"))
            return Onleesbaar(QStringLiteral("--grafiek: de grafiek kon niet als PNG gemaakt worden"));
        const std::string reden =
            SchrijfBestand(DomeinPad(opties.grafiek), std::string_view(png.constData(), png.size()));
        if (!reden.empty())
            return Onleesbaar(QStringLiteral("--grafiek: %1").arg(QString::fromStdString(reden)));
    }
    if (werkmap) {
        if (const QString reden = werkmap->Schrijf(opties.xlsx); !reden.isEmpty())
            return Onleesbaar(QStringLiteral("--xlsx: %1").arg(reden));
    }
    return uit.Af(modelFout ? 1 : 0);
}

int VerwerkGevoeligheid(const QString& bestand, const TBatchOpties& opties) {
    if (const QString doel = WerkmapDoel(opties.xlsx); !doel.isEmpty()) return Onleesbaar(doel);
    TSamenvattingKolom kolom;
    QString fout;
    if (!KiesSamenvattingsrij(opties.gevoeligheid.trimmed(), QStringLiteral("--gevoeligheid"), kolom, fout))
        return Onleesbaar(fout);
    QByteArray scenario;
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    fout = LeesReeksScenario(bestand, QStringLiteral("--gevoeligheid"), scenario, invoer);
    if (!fout.isEmpty()) return Onleesbaar(fout);
    const TGevoeligheid g = BerekenGevoeligheid(
        scenario, kolom, opties.verandering,
        Draden(opties.draden,
               static_cast<std::size_t>(Gevoeligheidsrijen(invoer, opties.verandering).size()) * 2));
    bool modelFout = !g.fout.isEmpty();
    if (modelFout) Fout() << "korvalinde-bereken: " << bestand << ": " << g.fout << Qt::endl;
    for (const TGevoeligheidsrij& rij : g.rijen)
        if (!rij.fout.isEmpty()) {
            modelFout = true;
            Fout() << "korvalinde-bereken: " << bestand << " (" << rij.naam << " " << rij.foutBij
                   << "): " << rij.fout << Qt::endl;
        }
    if (!opties.xlsx.isEmpty()) {
        TWerkmap werkmap;
        const int blad =
            werkmap.Blad(QStringLiteral("Gevoeligheid"), GevoeligheidKopVelden(g), TekstkolommenGevoeligheid);
        for (const TGevoeligheidsrij& rij : g.rijen) werkmap.Regel(blad, GevoeligheidVelden(rij));
        if (const QString reden = werkmap.Schrijf(opties.xlsx); !reden.isEmpty())
            return Onleesbaar(QStringLiteral("--xlsx: %1").arg(reden));
        return modelFout ? 1 : 0;
    }
    return SchrijfUitvoer(GevoeligheidCsv(g).toUtf8(), modelFout ? 1 : 0);
}

int VerwerkZoek(const QString& bestand, const TBatchOpties& opties) {
    QByteArray scenario;
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    QString fout = LeesReeksScenario(bestand, QStringLiteral("--zoek"), scenario, invoer);
    if (!fout.isEmpty()) return Onleesbaar(fout);
    TZoekdoel doel;
    TReeks reeks;
    if (!LeesZoekdoel(opties.zoek, doel, fout) || !LeesZoekbereik(opties.varieer, invoer, reeks, fout))
        return Onleesbaar(fout);
    const TZoekuitkomst u = Zoek(scenario, reeks, doel, opties.grootste,
                                 Draden(opties.draden, static_cast<std::size_t>(reeks.waarden.size())));
    if (u.modelfouten > 0)
        Fout() << "korvalinde-bereken: " << bestand << ": " << u.modelfouten
               << " waarden gaven een fout van het model en voldoen dus niet (de eerste, "
               << u.eersteModelfout << ")" << Qt::endl;
    if (!u.gevonden) {
        Fout() << "korvalinde-bereken: " << bestand << ": geen waarde van " << reeks.naam << " van "
               << invoer.Getal(reeks.naam)->TekstVoor(reeks.waarden.front()) << " tot en met "
               << invoer.Getal(reeks.naam)->TekstVoor(reeks.waarden.back()) << " haalt " << opties.zoek
               << Qt::endl;
        return NietGevonden;
    }
    if (!u.monotoon)
        Fout() << "korvalinde-bereken: " << bestand << ": let op, " << doel.kolom.titel
               << " loopt niet in een "
               << "richting met " << reeks.naam
               << ": verderop voldoen waarden weer niet; de eerste waarde die "
               << "voldoet is " << u.eerste << ", de laatste " << u.laatste << Qt::endl;
    return SchrijfUitvoer(
        (ReeksCsvKop({reeks}, opties.alternatieven) + ReeksCsvRegel(u.punt, 1, opties.alternatieven))
            .toUtf8(),
        0);
}

} // namespace korvalinde
