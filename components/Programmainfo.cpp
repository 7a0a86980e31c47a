#include "components/Programmainfo.h"

#include "components/Infovenster.h"
#include "core/Meldingen.h"

#include <QApplication>
#include <QUrl>

#include <exception>
#include <stdexcept>

namespace korvalinde {

const QStringList& LangeMaandNamen() {
    static const QStringList namen{"januari", "februari", "maart",     "april",   "mei",      "juni",
                                   "juli",    "augustus", "september", "oktober", "november", "december"};
    return namen;
}

const QStringList& LangeDagNamen() {
    static const QStringList namen{"zondag",    "maandag", "dinsdag", "woensdag",
                                   "donderdag", "vrijdag", "zaterdag"};
    return namen;
}

const QStringList& KorteMaandNamen() {
    static const QStringList namen{"jan", "feb", "mrt", "apr", "mei", "jun",
                                   "jul", "aug", "sep", "okt", "nov", "dec"};
    return namen;
}

const QStringList& KorteDagNamen() {
    static const QStringList namen{"zo", "ma", "di", "wo", "do", "vr", "za"};
    return namen;
}

QString DatumOpmaak(const QDate& datum, const QString& patroon) {
    if (!datum.isValid()) return {};
    QString uit;
    const int dagIndex = datum.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
    int i = 0;
    while (i < patroon.size()) {
        const QChar c = patroon.at(i);
        if (c == QLatin1Char('\'')) {
            // Quoted text; two quotes in a row stand for one.
            int j = i + 1;
            if (j < patroon.size() && patroon.at(j) == QLatin1Char('\'')) {
                uit += QLatin1Char('\'');
                i = j + 1;
                continue;
            }
            while (j < patroon.size()) {
                if (patroon.at(j) == QLatin1Char('\'')) {
                    if (j + 1 < patroon.size() && patroon.at(j + 1) == QLatin1Char('\'')) {
                        uit += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                uit += patroon.at(j++);
            }
            i = j + 1;
            continue;
        }
        int n = 1;
        while (i + n < patroon.size() && patroon.at(i + n) == c) ++n;
        if (c == QLatin1Char('d')) {
            n = std::min(n, 4);
            if (n == 1) uit += QString::number(datum.day());
            if (n == 2) uit += QStringLiteral("%1").arg(datum.day(), 2, 10, QLatin1Char('0'));
            if (n == 3) uit += KorteDagNamen().at(dagIndex);
            if (n == 4) uit += LangeDagNamen().at(dagIndex);
        } else if (c == QLatin1Char('M')) {
            n = std::min(n, 4);
            if (n == 1) uit += QString::number(datum.month());
            if (n == 2) uit += QStringLiteral("%1").arg(datum.month(), 2, 10, QLatin1Char('0'));
            if (n == 3) uit += KorteMaandNamen().at(datum.month() - 1);
            if (n == 4) uit += LangeMaandNamen().at(datum.month() - 1);
        } else if (c == QLatin1Char('y') && (n == 2 || n >= 4)) {
            n = n == 2 ? 2 : 4;
            if (n == 2)
                uit += QStringLiteral("%1").arg(datum.year() % 100, 2, 10, QLatin1Char('0'));
            else
                uit += QStringLiteral("%1").arg(datum.year(), 4, 10, QLatin1Char('0'));
        } else {
            uit += QString(n, c);
        }
        i += n;
    }
    return uit;
}

QString KorteDatum(const QDate& datum) {
    return DatumOpmaak(datum, QString::fromLatin1(KorteDatumPatroon));
}

namespace {

TZnVersieOphaler& StandaardOphalerRef() {
    static TZnVersieOphaler ophaler;
    return ophaler;
}

QString Melding(const std::exception& fout) {
    return QString::fromUtf8(fout.what());
}

} // namespace

bool IsVersieTekst(const TZnVersieInfo& info) {
    for (const QString* regel : {&info.naam, &info.versie, &info.datum, &info.downloadAdres})
        for (const QChar c : *regel)
            if (c.category() == QChar::Other_Control) return false;
    if (info.versie.isEmpty() || info.versie.size() > 40) return false;
    bool cijfer = false;
    for (const QChar c : info.versie) {
        if (c.isDigit())
            cijfer = true;
        else if (!c.isLetter() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('_') &&
                 c != QLatin1Char(' '))
            return false;
    }
    return cijfer;
}

TZnInfoBox::TZnInfoBox(QObject* parent)
    : QObject(parent), ProgAfkorting(QStringLiteral("KVL")), ProgNaam(QStringLiteral("Korvalinde")),
      Programmeur(QStringLiteral("Het Korvalinde-ontwikkelteam")),
      Helpdesk(QString::fromLatin1(ZnAdres::Helpdesk)), WebAdres(QString::fromLatin1(ZnAdres::WebAdres)),
      VersieAdres(QString::fromLatin1(ZnAdres::VersieAdres)),
      DownloadAdres(QString::fromLatin1(ZnAdres::DownloadAdres)) {
    setObjectName(QStringLiteral("DlgZnInfoBox"));
}

std::unique_ptr<TFrmInfo> TZnInfoBox::MaakVenster() {
    auto venster = std::make_unique<TFrmInfo>(QApplication::activeWindow());
    venster->Vullen(*this);
    connect(venster.get(), &TFrmInfo::WebsiteGevraagd, this, &TZnInfoBox::GotoWebsite);
    return venster;
}

QPointer<TFrmInfo> TZnInfoBox::Execute() {
    TFrmInfo* venster = MaakVenster().release();
    venster->setAttribute(Qt::WA_DeleteOnClose);
    venster->setWindowModality(Qt::ApplicationModal);
    venster->show();
    return venster;
}

void TZnInfoBox::GotoWebsite() {
    try {
        QString adres = WebAdres.trimmed();
        if (!adres.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) &&
            !adres.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
            adres.prepend(QStringLiteral("http://"));
        const QUrl url(adres, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            throw std::runtime_error(
                QStringLiteral("\"%1\" is geen geldig adres").arg(WebAdres).toStdString());
        if (!StandaardMelder().OpenAdres(url))
            throw std::runtime_error(
                QStringLiteral("het adres %1 kon niet worden geopend").arg(url.toString()).toStdString());
    } catch (const std::exception& fout) {
        StandaardMelder().Fout(QStringLiteral("Fout in procedure GotoWebsite: ") + Melding(fout));
    }
}

void TZnInfoBox::ZetStandaardOphaler(TZnVersieOphaler ophaler) {
    StandaardOphalerRef() = std::move(ophaler);
}

const TZnVersieOphaler& TZnInfoBox::StandaardOphaler() {
    return StandaardOphalerRef();
}

QString TZnInfoBox::VersieBasis() const {
    QString adres = VersieAdres.trimmed();
    if (adres.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        adres.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return adres;
    return QStringLiteral("http://") + adres;
}

void TZnInfoBox::OpenDownloadAdres(const QString& adres) {
    // The address comes from an unauthenticated answer: only a web address is handed to the
    // system, never a local file, a program or another kind of address.
    const QString schoon = adres.trimmed();
    const QUrl url(schoon, QUrl::StrictMode);
    const QString schema = url.scheme().toLower();
    if (schoon.isEmpty()) {
        StandaardMelder().Toon(
            MeldSoort::Waarschuwing,
            QStringLiteral("De versieserver gaf geen downloadadres op; er wordt niets geopend.\n\n"
                           "Ga naar de website %1 om de nieuwe versie te downloaden.")
                .arg(DownloadAdres),
            {MeldKnop::OK});
        return;
    }
    if (!url.isValid() || (schema != QLatin1String("http") && schema != QLatin1String("https")) ||
        url.host().isEmpty()) {
        StandaardMelder().Toon(MeldSoort::Waarschuwing,
                               QStringLiteral("Het downloadadres \"%1\" van de versieserver is geen http- of "
                                              "https-adres en wordt daarom niet geopend.\n\n"
                                              "Ga naar de website %2 om de nieuwe versie te downloaden.")
                                   .arg(schoon, DownloadAdres),
                               {MeldKnop::OK});
        return;
    }
    if (!StandaardMelder().OpenAdres(url))
        throw std::runtime_error(
            QStringLiteral("het adres %1 kon niet worden geopend").arg(url.toString()).toStdString());
}

void TZnInfoBox::VersieControleren(bool meldAltijd) {
    const QString eigen = ProgNaam + QStringLiteral(" versie ") + Versie + QStringLiteral(" - ") + Datum;
    try {
        const TZnVersieOphaler& ophaler = VersieOphaler ? VersieOphaler : StandaardOphaler();
        if (!ophaler) throw std::runtime_error("er is geen verbinding voor de versiecontrole ingesteld");
        const TZnVersieInfo info = ophaler(VersieBasis(), QStringLiteral("/") + VersieFile);
        // An empty or malformed answer says nothing about a newer version: the check failed.
        if (!IsVersieTekst(info))
            throw std::runtime_error("het antwoord van de versieserver is geen versietekst");

        // A text comparison: the server names the current version text, and every program whose
        // own version text contains it counts as current.
        if (!Versie.contains(info.versie)) {
            const QString tekst =
                QStringLiteral("Er is een nieuwe versie beschikbaar:\n") + info.naam +
                QStringLiteral(" versie ") + info.versie + QStringLiteral(" - ") + info.datum +
                QStringLiteral("\n") + QStringLiteral("\n") + QStringLiteral("U werkt nu met versie:") +
                QStringLiteral("\n") + eigen + QStringLiteral("\n") + QStringLiteral("\n") +
                QStringLiteral("U kunt de nieuwste versie downloaden vanaf de website:    ") +
                QStringLiteral("\n") + DownloadAdres + QStringLiteral("\n") + QStringLiteral("\n") +
                QStringLiteral("Wilt u de nieuwe versie nu downloaden naar uw PC?") + QStringLiteral("\n") +
                QStringLiteral("(sterk aanbevolen)");
            const MeldKnop antwoord = StandaardMelder().Toon(
                MeldSoort::Waarschuwing, tekst, {MeldKnop::Ja, MeldKnop::Nee, MeldKnop::Annuleer});
            if (antwoord == MeldKnop::Ja) {
                try {
                    OpenDownloadAdres(info.downloadAdres);
                } catch (const std::exception& fout) {
                    StandaardMelder().Fout(QStringLiteral("Fout in procedure versie controleren: ") +
                                           Melding(fout));
                }
            }
        } else if (meldAltijd) {
            StandaardMelder().Informatie(
                QStringLiteral("Er is geen nieuwe versie van het programma beschikbaar.\n\n"
                               "U werkt nu met de meest recente versie:\n") +
                eigen);
        }
    } catch (const std::exception& fout) {
        // The reason on a line of its own, first letter capital.
        QString reden = Melding(fout).trimmed();
        if (!reden.isEmpty()) reden[0] = reden[0].toUpper();
        StandaardMelder().Informatie(
            QStringLiteral("De controle op het versienummer van het programma is mislukt.\n") + reden +
            QStringLiteral("\n\nGa naar de website ") + DownloadAdres + QStringLiteral("\n") +
            QStringLiteral("om te controleren of er een nieuwe versie beschikbaar is.") +
            QStringLiteral("\n") + QStringLiteral("\n") + QStringLiteral("U werkt nu met versie:") +
            QStringLiteral("\n") + eigen + QStringLiteral("\n") + QStringLiteral("\n") +
            QStringLiteral("Nieuwe versies kunt u vanaf de website downloaden naar uw PC."));
    }
}

} // namespace korvalinde
