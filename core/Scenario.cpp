#include "core/Scenario.h"

#include "core/Bestandspad.h"
#include "domain/Bestand.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopedValueRollback>

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace korvalinde {

namespace {

// A scenario file is a few kilobytes; nothing beyond this is read, so that a wrong file picked by
// mistake (a film, a disk image) cannot exhaust memory. A longer file reads as far as its fields go.
constexpr qint64 MaxLeesGrootte = qint64{16} * 1024 * 1024;

QString Naam(std::string_view naam) {
    return QString::fromLatin1(naam.data(), static_cast<qsizetype>(naam.size()));
}

// Texts of the file are 8-bit characters; the program's texts (digits, units) are Latin-1.
std::string NaarBytes(const QString& tekst) {
    return tekst.toLatin1().toStdString();
}
QString UitBytes(const std::string& tekst) {
    return QString::fromLatin1(tekst.data(), static_cast<qsizetype>(tekst.size()));
}

[[noreturn]] void GeenInvoer(std::string_view naam) {
    throw std::invalid_argument("geen invoer van het scenariobestand: " + std::string(naam));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The input set as the file sees it

TGetalInvoer* TInvoersetScenario::GetalInvoer(std::string_view naam) const {
    TGetalInvoer* invoer = invoer_.Getal(Naam(naam));
    if (!invoer) GeenInvoer(naam);
    return invoer;
}

TKeuzeInvoer* TInvoersetScenario::KeuzeInvoer(std::string_view naam) const {
    TKeuzeInvoer* invoer = invoer_.Keuze(Naam(naam));
    if (!invoer) GeenInvoer(naam);
    return invoer;
}

TTabel* TInvoersetScenario::TabelInvoer(std::string_view naam) const {
    TTabel* tabel = invoer_.Tabel(Naam(naam));
    if (!tabel) GeenInvoer(naam);
    return tabel;
}

long double TInvoersetScenario::Getal(std::string_view naam) const {
    return static_cast<long double>(GetalInvoer(naam)->Value());
}

void TInvoersetScenario::ZetGetal(std::string_view naam, long double waarde) {
    GetalInvoer(naam)->SetValue(static_cast<double>(waarde));
}

int TInvoersetScenario::Index(std::string_view naam) const {
    return KeuzeInvoer(naam)->ItemIndex();
}

void TInvoersetScenario::ZetIndex(std::string_view naam, int index) {
    KeuzeInvoer(naam)->KiesItem(index);
    // The sward density that follows is an index into the list of the grazing system just read.
    if (naam == "CbxSysteem" && invoer_.CbxSysteem->ItemIndex() >= 0) invoer_.VulZodeLijst();
}

std::string TInvoersetScenario::Tekst(std::string_view naam) const {
    if (naam != "Cbxdatum") GeenInvoer(naam);
    return NaarBytes(invoer_.Cbxdatum->Tekst());
}

void TInvoersetScenario::ZetTekst(std::string_view naam, const std::string& tekst) {
    if (naam != "Cbxdatum") GeenInvoer(naam);
    invoer_.Cbxdatum->ZetTekst(UitBytes(tekst));
}

std::string TInvoersetScenario::Cel(std::string_view tabel, int kolom, int rij) const {
    return NaarBytes(TabelInvoer(tabel)->Cel(kolom, rij));
}

void TInvoersetScenario::ZetCel(std::string_view tabel, int kolom, int rij, const std::string& tekst) {
    TabelInvoer(tabel)->ZetCel(kolom, rij, UitBytes(tekst));
}

int TInvoersetScenario::AlternatiefIndex(int nr) const {
    return invoer_.AlternatiefKeuze(nr)->ItemIndex();
}

long double TInvoersetScenario::AlternatiefWaarde(int nr) const {
    return static_cast<long double>(invoer_.AlternatiefVeld(nr)->Value());
}

void TInvoersetScenario::ZetAlternatiefIndex(int nr, int index) {
    // The value field takes any value of any kind until the kind's own range is set after the
    // calculation.
    TGetalInvoer* veld = invoer_.AlternatiefVeld(nr);
    veld->ZetGeheel(false);
    veld->ZetBereik(0, 100000);
    veld->ZetDecimal(2);
    invoer_.AlternatiefKeuze(nr)->KiesItem(index);
}

void TInvoersetScenario::ZetAlternatiefWaarde(int nr, float waarde) {
    TGetalInvoer* veld = invoer_.AlternatiefVeld(nr);
    veld->SetValue(static_cast<double>(waarde));
    // The text shows the value as stored, not rounded to the field's decimals; a value outside
    // the field's range shows as the range's bound it was clamped to.
    veld->SetText(KortsteTekst(static_cast<float>(veld->Begrensd(static_cast<double>(waarde)))));
}

QString LeesScenarioBytes(const QString& pad, QByteArray& data) {
    std::string bytes;
    BestandFout soort = BestandFout::Geen;
    LeesBestand(DomeinPad(pad), static_cast<std::size_t>(MaxLeesGrootte), bytes, nullptr, &soort);
    if (soort == BestandFout::Geweigerd || soort == BestandFout::Openen) return NietTeOpenen(pad);
    if (soort != BestandFout::Geen) return QString::fromLatin1(MeldingLeesFout);
    data = QByteArray::fromStdString(bytes);
    return {};
}

QString NietTeOpenen(const QString& pad) {
    return QStringLiteral("Cannot open file %1").arg(pad);
}

QString DecodeerScenario(const QByteArray& data, TInvoerset& invoer) {
    try {
        invoer.ZetStandaardwaarden();
        TInvoersetScenario scenario(invoer);
        LeesScenario(reinterpret_cast<const std::uint8_t*>(data.constData()),
                     static_cast<std::size_t>(data.size()), scenario);
        invoer.VulZodeLijst();
        invoer.ToonVorigeSnede();
    } catch (const std::exception& e) {
        // A rule that a value read sets off may fail (a turn-in date that is no date).
        return QString::fromStdString(e.what());
    }
    return {};
}

QString KortsteTekst(float waarde) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, waarde, std::chars_format::fixed);
    if (res.ec != std::errc()) return QString::number(static_cast<double>(waarde), 'g', 9);
    return QString::fromLatin1(buf, res.ptr - buf);
}

// ---------------------------------------------------------------------------------------------
// The document

TScenarioDocument::TScenarioDocument(TInvoerset& invoer, TBerekening& berekening, TMelder& melder,
                                     QObject* parent)
    : QObject(parent), invoer_(invoer), berekening_(berekening), melder_(melder) {
    connect(&invoer_, &TInvoerset::GebruikerWijziging, this, &TScenarioDocument::GebruikerWijziging);
    // Whatever changes an input (the user, a rule, the calculation's alternatives) is compared with
    // the saved state once the change is complete.
    for (TInvoer* ingang : invoer_.findChildren<TInvoer*>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(ingang, &TInvoer::Bijgewerkt, this, &TScenarioDocument::PlanControle);
        if (auto* tabel = qobject_cast<TTabel*>(ingang))
            connect(tabel, &TTabel::CelGewijzigd, this, &TScenarioDocument::PlanControle);
    }
    connect(&berekening_, &TBerekening::TabellenVernieuwd, this, &TScenarioDocument::Controleer);
    bewaard_ = ScenarioBytes();
}

QByteArray TScenarioDocument::ScenarioBytes() const {
    const std::vector<std::uint8_t> bytes = SchrijfScenario(TInvoersetScenario(invoer_));
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QString TScenarioDocument::Caption() const {
    QString caption = QStringLiteral("Korvalinde");
    if (!bestandsnaam_.isEmpty())
        caption += QStringLiteral(" - ") + QFileInfo(bestandsnaam_).fileName().toLower();
    return caption;
}

void TScenarioDocument::ZetBestandsnaam(const QString& pad) {
    bestandsnaam_ = pad.isEmpty() ? QString() : QFileInfo(pad).absoluteFilePath();
    emit CaptionGewijzigd(Caption());
}

void TScenarioDocument::Meld(const QString& melding, const QString& pad, bool schrijven) {
    laatsteFout_ = melding;
    const QString uitleg = BestandFoutUitleg(pad, melding, schrijven);
    melder_.Fout(uitleg.isEmpty() ? melding : uitleg + QStringLiteral("\n\n") + melding);
}

QString BestandFoutUitleg(const QString& pad, const QString& melding, bool schrijven) {
    if (pad.isEmpty()) return {};
    const QString naam = QFileInfo(pad).fileName();
    const QString kiesAnder = QStringLiteral("Kies een ander bestand of een reservekopie.");
    if (schrijven) {
        const QString begin = QStringLiteral("Het bestand %1 kan niet opgeslagen worden: ").arg(naam);
        if (melding.startsWith(QLatin1String("Cannot create file")))
            return begin + QStringLiteral("de map bestaat niet of u mag er niet schrijven. Kies met "
                                          "\"Opslaan als...\" een andere map.");
        if (melding == QLatin1String(MeldingSchrijfFout))
            return begin + QStringLiteral("het schrijven is mislukt (is de schijf vol?). Het bestand op "
                                          "schijf is niet veranderd. Maak ruimte vrij of kies met \"Opslaan "
                                          "als...\" een andere plaats.");
        return begin + QStringLiteral("er mag niet overheen geschreven worden. Kies met \"Opslaan als...\" "
                                      "een andere naam of map.");
    }
    const QString begin = QStringLiteral("Het bestand %1 kan niet gelezen worden: ").arg(naam);
    if (melding.startsWith(QLatin1String("Cannot open file"))) {
        if (!QFileInfo::exists(pad))
            return QStringLiteral("Het bestand %1 bestaat niet (meer). Controleer de naam en de map, of kies "
                                  "een ander bestand.")
                .arg(naam);
        return QStringLiteral("Het bestand %1 kan niet geopend worden: het is geen gewoon bestand of u mag "
                              "het niet lezen. Kies een ander bestand.")
            .arg(naam);
    }
    if (melding == QLatin1String(MeldingLeesFout))
        return begin + QStringLiteral("het is afgekapt of beschadigd. ") + kiesAnder;
    if (melding == QLatin1String(MeldingOngeldig))
        return begin + QStringLiteral("het is geen Korvalinde-scenario of het is beschadigd. ") + kiesAnder;
    if (melding == QLatin1String(MeldingBereik))
        return begin +
               QStringLiteral("het begint niet met een geldig versienummer; het is geen "
                              "Korvalinde-scenario of het is beschadigd. ") +
               kiesAnder;
    return {};
}

bool TScenarioDocument::Lees(const QString& pad) {
    laatsteFout_.clear();
    // A file that cannot be opened or read changes nothing on screen: the inputs are only set to
    // their defaults once the file's bytes are at hand.
    QByteArray data;
    if (const QString fout = LeesScenarioBytes(pad, data); !fout.isEmpty()) {
        Meld(fout, pad);
        return false;
    }

    // The whole file is decoded into an input set of its own first: a file that ends early or holds
    // a value that does not fit changes nothing on screen, so "Opslaan" cannot write the damaged
    // file's values over the file in use.
    QString fout = Proeflezen(data);
    if (!fout.isEmpty()) {
        Meld(fout, pad);
        return false;
    }

    const QString vorige = bestandsnaam_;
    ZetBestandsnaam(pad);
    berekening_.LaadModus = true;
    fout = DecodeerScenario(data, invoer_);
    if (!fout.isEmpty()) {
        // Cannot happen after the trial read succeeded; should it all the same, the file read is not
        // the scenario now on screen and "Opslaan" must not write over it.
        berekening_.LaadModus = false;
        ZetBestandsnaam(vorige);
        ZetOnbewaard();
        Meld(fout, pad);
        return false;
    }
    if (VoegToeAanHistorie && !vorige.isEmpty()) VoegToeAanHistorie(vorige);

    {
        // Opening is one calculation attempt: each box once.
        const TRekenpoging poging(berekening_);
        try {
            // A model error shows once, in the run of the page-change rule.
            QString modelFout;
            berekening_.Doorrekenen(&modelFout);
            berekening_.ToonResultaten(invoer_.SpeAlt2);
        } catch (const std::exception& e) {
            fout = QString::fromStdString(e.what());
        }
    }
    // The value fields get the ranges of their kinds, keeping the values read, also when the file's
    // scenario cannot be computed.
    berekening_.SetRxSpinEdit(invoer_.CbxAlt1->ItemIndex(), invoer_.SpeAlt1);
    berekening_.SetRxSpinEdit(invoer_.CbxAlt2->ItemIndex(), invoer_.SpeAlt2);
    berekening_.LaadModus = false;
    // The scenario as opened counts as saved, as this program would write it: a file of an older
    // version or with values its inputs clamp is not changed by opening it. Its edit history starts
    // empty.
    ZetBewaard();
    emit Begonnen();
    if (!fout.isEmpty()) {
        // Every value was read; the scenario stays the current file so that it can be mended. The
        // results of the scenario shown before are no results of this one.
        berekening_.WisResultaten();
        Meld(fout);
        return false;
    }
    return true;
}

QString TScenarioDocument::Proeflezen(const QByteArray& data) {
    TOpnameMelder stil;
    TInvoerset proef(&stil);
    return DecodeerScenario(data, proef);
}

bool TScenarioDocument::Schrijf(const QString& pad) {
    laatsteFout_.clear();
    const TInvoersetScenario invoer(invoer_);
    const std::vector<std::uint8_t> bytes = SchrijfScenario(invoer);

    // Written next to the file and put in its place only when complete: a failure leaves the
    // previous file as it was. A device, a FIFO or a read-only file is not written over.
    BestandFout soort = BestandFout::Geen;
    const std::string reden = SchrijfBestand(
        DomeinPad(pad), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &soort);
    if (soort != BestandFout::Geen) {
        if (soort == BestandFout::Geweigerd)
            Meld(QString::fromStdString(reden), pad, true);
        else if (soort == BestandFout::Openen)
            Meld(QStringLiteral("Cannot create file %1").arg(pad), pad, true);
        else
            Meld(QString::fromLatin1(MeldingSchrijfFout), pad, true);
        return false;
    }
    ZetBestandsnaam(pad);
    bewaard_ = QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    Controleer();
    return true;
}

void TScenarioDocument::Nieuw() {
    // As the window starts: the defaults, and both alternatives chosen afresh from the first
    // calculation ("Opname ds snijmais" with the base intake); the inputs in view.
    invoer_.ZetStandaardwaarden();
    berekening_.StartBerekening();
    if (VoegToeAanHistorie && !bestandsnaam_.isEmpty()) VoegToeAanHistorie(bestandsnaam_);
    ZetBestandsnaam(QString());
    ZetBewaard();
    emit Begonnen();
}

void TScenarioDocument::Onveranderd() {
    ZetBewaard();
    emit Begonnen();
}

bool TScenarioDocument::Herstel(const QByteArray& bytes) {
    QString fout;
    {
        // As after reading a file: the alternatives keep the values put back; one calculation
        // attempt, each box once.
        const QScopedValueRollback<bool> laad(berekening_.LaadModus, true);
        fout = DecodeerScenario(bytes, invoer_);
        if (fout.isEmpty()) {
            const TRekenpoging poging(berekening_);
            try {
                if (berekening_.ResultatenInBeeld()) berekening_.TabKorvalindeChange(invoer_.SpeAlt2);
            } catch (const std::exception& e) {
                fout = QString::fromStdString(e.what());
            }
            berekening_.SetRxSpinEdit(invoer_.CbxAlt1->ItemIndex(), invoer_.SpeAlt1);
            berekening_.SetRxSpinEdit(invoer_.CbxAlt2->ItemIndex(), invoer_.SpeAlt2);
        }
    }
    Controleer();
    if (!fout.isEmpty()) {
        melder_.Fout(fout);
        return false;
    }
    return true;
}

void TScenarioDocument::NieuwNaVraag() {
    if (VraagOmOpslaan()) Nieuw();
}

void TScenarioDocument::Openen() {
    if (!VraagOpenNaam || !VraagOmOpslaan()) return;
    const QString pad = VraagOpenNaam(bestandsnaam_);
    if (!pad.isEmpty()) Lees(pad);
}

void TScenarioDocument::GebruikerWijziging() {
    Controleer();
    // The rules an edit sets off may still change inputs after it.
    PlanControle();
}

void TScenarioDocument::Controleer() {
    controleGepland_ = false;
    const bool opgeslagen = Opgeslagen();
    if (opgeslagen == opgeslagen_) return;
    opgeslagen_ = opgeslagen;
    emit OpgeslagenGewijzigd(opgeslagen_);
}

void TScenarioDocument::PlanControle() {
    if (controleGepland_) return;
    controleGepland_ = true;
    QMetaObject::invokeMethod(this, &TScenarioDocument::Controleer, Qt::QueuedConnection);
}

void TScenarioDocument::ZetBewaard() {
    bewaard_ = ScenarioBytes();
    Controleer();
}

void TScenarioDocument::ZetOnbewaard() {
    bewaard_.clear(); // no scenario encodes to nothing
    Controleer();
}

bool TScenarioDocument::Opslaan() {
    if (!bestandsnaam_.isEmpty()) return Schrijf(bestandsnaam_);
    return OpslaanAls();
}

bool TScenarioDocument::OpslaanAls() {
    if (!VraagOpslaanNaam) return false;
    const QString pad = VraagOpslaanNaam(bestandsnaam_);
    if (pad.isEmpty()) return false;
    return Schrijf(pad);
}

void TScenarioDocument::BestandHistorieClick(const QString& pad) {
    if (!pad.isEmpty() && QFileInfo::exists(pad) && VraagOmOpslaan()) Lees(pad);
}

bool TScenarioDocument::VraagOmOpslaan() {
    if (Opgeslagen()) return true;
    switch (melder_.Bevestig(QStringLiteral("Bestand ") + bestandsnaam_ + QStringLiteral(" opslaan ?"))) {
    case MeldKnop::Ja:
        return Opslaan();
    case MeldKnop::Nee:
        return true;
    default:
        return false;
    }
}

bool TScenarioDocument::MagSluiten() {
    if (!VraagOmOpslaan()) return false;
    // "Nee" lets the window close with the changes given up.
    ZetBewaard();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Batch use

namespace {

// The state of a main window just created: defaults and the first calculation with both
// alternatives on "Opname ds snijmais".
void AlsNieuwVenster(TInvoerset& invoer, TBerekening& berekening) {
    invoer.ZetStandaardwaarden();
    berekening.StartBerekening();
}

} // namespace

bool LeesScenarioBestand(const QString& pad, TInvoerset& invoer, TBerekening& berekening, TMelder& melder,
                         QString& fout) {
    try {
        AlsNieuwVenster(invoer, berekening);
    } catch (const std::exception& e) {
        fout = QString::fromStdString(e.what());
        return false;
    }
    TScenarioDocument document(invoer, berekening, melder);
    if (document.Lees(pad)) return true;
    fout = document.LaatsteFout();
    return false;
}

bool LeesScenarioInvoer(const QString& pad, TQXInvoer& record, TMelder& melder, QString& fout) {
    QByteArray data;
    fout = LeesScenarioBytes(pad, data);
    if (!fout.isEmpty()) return false;
    if (const QString nieuwer = NieuwereVersie(data); !nieuwer.isEmpty()) melder.Waarschuwing(nieuwer);
    TInvoerset invoer(&melder);
    fout = DecodeerScenario(data, invoer);
    if (!fout.isEmpty()) return false;
    try {
        record = LeesInvoerRecord(invoer);
    } catch (const std::exception& e) {
        fout = QString::fromStdString(e.what());
    }
    return fout.isEmpty();
}

QString NieuwereVersie(const QByteArray& data) {
    long double versie = 0;
    try {
        versie = LeesScenarioVersie(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                    static_cast<std::size_t>(data.size()));
    } catch (const ScenarioFout&) {
        return {}; // the file's own error follows when it is decoded
    }
    if (!(versie > ScenarioVersie && versie <= std::numeric_limits<std::int32_t>::max())) return {};
    return QStringLiteral(
               "het bestand is van een nieuwere versie (%1) dan dit programma (%2); wat die versie "
               "toevoegt, wordt niet gelezen")
        .arg(static_cast<qint64>(versie))
        .arg(ScenarioVersie);
}

bool SchrijfNieuwScenario(const QString& pad, QString& fout) {
    TOpnameMelder melder;
    TInvoerset invoer(&melder);
    TBerekening berekening(invoer, melder);
    AlsNieuwVenster(invoer, berekening);
    TScenarioDocument document(invoer, berekening, melder);
    document.Nieuw();
    // The bytes "Opslaan" writes, through the safe write itself: its message names the file and the
    // system's reason, where the window's box says only "Stream write error".
    const std::vector<std::uint8_t> bytes = SchrijfScenario(TInvoersetScenario(invoer));
    fout = QString::fromStdString(SchrijfBestand(
        DomeinPad(pad), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    return fout.isEmpty();
}

} // namespace korvalinde
