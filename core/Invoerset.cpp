#include "core/Invoerset.h"

#include "domain/Algemeen.h"
#include "domain/Formaat.h"
#include "domain/Grastabel.h"
#include "domain/Koecurven.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace korvalinde {

namespace {

const QStringList Lactatiestadia{QStringLiteral("< 60"), QStringLiteral("60 - 120"),
                                 QStringLiteral("120 - 200"), QStringLiteral("200 - 305"),
                                 QStringLiteral("> 305")};

QString Formaat(const char* patroon, long double waarde) {
    return QString::fromStdString(FormatFloat(patroon, waarde));
}

bool IsGetal(const QString& tekst) {
    long double waarde = 0;
    return LeesGetal(tekst.toStdString(), waarde);
}

long double Begrens(long double waarde, long double laag, long double hoog) {
    return std::clamp(waarde, laag, hoog);
}

struct CodeRegel {
    const char* tekst;
    const char* code;
};
constexpr std::array<CodeRegel, 16> Codes{{
    {"omweiden", "OMWEID"},
    {"standweiden", "STAND"},
    {"weiden", "WEIDEN"},
    {"maaien", "MAAIEN"},
    {"snede1", "SNEDE1"},
    {"open", "OPEN"},
    {"normaal", "NORM"},
    {"dicht", "DICHT"},
    {"zeerdicht", "ZDICHT"},
    {"zand", "ZAND"},
    {"klei", "KLEI"},
    {"veen", "VEEN"},
    {"ja", "JA"},
    {"nee", "NEE"},
    {"<50", "<50"},
    {">50", ">50"},
}};

} // namespace

QString StringNaarCode(const QString& tekst, TMelder& melder, bool* bekend) {
    QString genormaliseerd = tekst.toLower();
    genormaliseerd.remove(QLatin1Char(' '));
    if (bekend) *bekend = true;
    for (const CodeRegel& regel : Codes)
        if (genormaliseerd == QLatin1String(regel.tekst)) return QString::fromLatin1(regel.code);
    if (bekend) *bekend = false;
    melder.Fout(QStringLiteral("Onbekende string :") + genormaliseerd);
    return tekst;
}

QString TInvoerset::StringNaarCode(const QString& tekst) const {
    bool bekend = true;
    QString code = korvalinde::StringNaarCode(tekst, *melder_, &bekend);
    if (!bekend) ++onbekend_;
    return code;
}

// ---------------------------------------------------------------------------------------------
// Construction

TInvoerset::TInvoerset(TMelder* melder, QObject* parent) : QObject(parent) {
    ZetMelder(melder);
    MaakInvoer();
    MaakHints();
    Koppel();
    // Every user edit of any input, the alternatives included, reaches the scenario as one signal.
    for (TInvoer* invoer : findChildren<TInvoer*>(QString(), Qt::FindDirectChildrenOnly))
        connect(invoer, &TInvoer::DoorGebruiker, this, &TInvoerset::GebruikerWijziging);
}

TInvoerset::~TInvoerset() = default;

void TInvoerset::ZetMelder(TMelder* melder) {
    if (melder) {
        melder_ = melder;
        return;
    }
    if (!eigenMelder_) eigenMelder_ = std::make_unique<TOpnameMelder>();
    melder_ = eigenMelder_.get();
}

void TInvoerset::MaakInvoer() {
    // Number inputs: whole-numbered unless told otherwise, step 1, Decimal 1, 5 typed characters.
    auto getal = [this](const char* naam, const char* label, double minimum, double maximum, double stap = 1,
                        int decimalen = 1, bool geheel = true) {
        auto* invoer = new TGetalInvoer(QString::fromLatin1(naam), QString::fromUtf8(label), this);
        invoer->ZetGeheel(geheel);
        invoer->ZetBereik(minimum, maximum);
        invoer->ZetIncrement(stap);
        invoer->ZetDecimal(decimalen);
        return invoer;
    };
    auto keuze = [this](const char* naam, const char* label, const QStringList& items) {
        return new TKeuzeInvoer(QString::fromLatin1(naam), QString::fromUtf8(label), items, this);
    };

    SpenKoe = getal("SpenKoe", "Aantal melkgevende koeien in perceel", 1, 300);
    SpeMelknivo = getal("SpeMelknivo", "Nivo melkproductie (kg)", 7000, 10000, 100);
    SpePercPar1 = getal("SpePercPar1", "Aandeel vaarzen (%)", 0, 100);
    SpePercPar2 = getal("SpePercPar2", "Aandeel 2e kalfskoeien (%)", 0, 100);
    SpePercPar3 = getal("SpePercPar3", "Aandeel oudere koeien (%)", 0, 100);
    SpePercRas1 = getal("SpePercRas1", "Aandeel HF (%)", 0, 100);
    SpePercRas2 = getal("SpePercRas2", "Aandeel dubbeldoel (%)", 0, 100);
    SpeTkt = getal("SpeTkt", "Tussenkalftijd", 300, 500);
    SpeGewicht = getal("SpeGewicht", "Gewicht", 400, 1000);

    MaakTabellen();

    SpePerceelOpp = getal("SpePerceelOpp", "Perceelsgrootte (ha)", 0.1, 50, 0.1, 1, false);
    SpePerceelOpp->ZetMaxLength(3);
    CbxSysteem =
        keuze("CbxSysteem", "Beweidingssysteem", {QStringLiteral("Omweiden"), QStringLiteral("Standweiden")});
    CbxZode = keuze("CbxZode", "Zodedichtheid",
                    {QStringLiteral("Open"), QStringLiteral("Normaal"), QStringLiteral("Dicht"),
                     QStringLiteral("Zeer dicht")});
    CbxJaargift = keuze("CbxJaargift", "Globale stikstofjaargift (kg/ha)",
                        {QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("400")});
    CbxGrondsoort = keuze("CbxGrondsoort", "Grondsoort",
                          {QStringLiteral("Zand"), QStringLiteral("Klei"), QStringLiteral("Veen")});
    CbxOntwatering =
        keuze("CbxOntwatering", "Goede ontwatering", {QStringLiteral("Ja"), QStringLiteral("Nee")});
    CbxEngelsraai = keuze("CbxEngelsraai", "Aandeel engelsraaigras+klaver (%)",
                          {QStringLiteral("< 50"), QStringLiteral("> 50")});

    Cbxdatum = new TDagInvoer(QStringLiteral("Cbxdatum"), QStringLiteral("Inschaardatum"), this);
    SpeHergroei = getal("SpeHergroei", "Hergroeiduur (dagen)", 10, 100, 1, 0);
    SpeGrasaanbod = getal("SpeGrasaanbod", "Grasaanbod boven stoppel (kg ds)", 100, 4000, 100, 0);
    SpeUrenWeidegang = getal("SpeUrenWeidegang", "Uren weidegang", 1, 20);
    SpeBiomassa05 = getal("SpeBiomassa05", "Biomassa 0-5 cm (kg ds/ha)", 0, 4000, 100, 0);

    CbxVorigGebruik = keuze("CbxVorigGebruik", "Gebruik vorige snede",
                            {QStringLiteral("Maaien"), QStringLiteral("Weiden"), QStringLiteral("Snede1")});
    CbxBloten = keuze("CbxBloten", "Vorige snede gebloot", {QStringLiteral("Ja"), QStringLiteral("Nee")});
    SpeVorigDagen = getal("SpeVorigDagen", "Aantal weidedagen vorige snede", 0, 20);
    SpeVorigRest = getal("SpeVorigRest", "Restant gras na beweiding (kg ds/ha)", 0, 1500);

    GrdGras = new TTabel(QStringLiteral("GrdGras"), TagGras, 8, 3, 2, 80, this);
    const char* grasKop[] = {"DS", "VEM", "RE", "RC", "FOS", "VOS", "VW"};
    for (int k = 1; k <= 7; ++k) {
        GrdGras->ZetCel(k, 0, QString::fromLatin1(grasKop[k - 1]));
        GrdGras->ZetCel(k, 1,
                        k == 1   ? QStringLiteral("(g/kg)")
                        : k == 7 ? QStringLiteral("(/kg ds)")
                                 : QStringLiteral("(g/kg ds)"));
    }
    GrdGras->ZetCel(0, 2, QStringLiteral("Gras"));

    SpenMestflat = getal("SpenMestflat", "Aantal mestflatten (20 uur beweiding)", 0, 30, 1, 0);
    SpenUrlozing = getal("SpenUrlozing", "Aantal urinelozingen (20 uur beweiding)", 0, 30, 1, 0);
    SpeOppMestflat =
        getal("SpeOppMestflat", "Oppervlakte geweigerd gras rondom mestflat (m2)", 0, 2, 0.01, 2, false);
    SpeOppUrplek =
        getal("SpeOppUrplek", "Oppervlakte geweigerd gras rondom urineplek (m2)", 0, 2, 0.01, 2, false);

    // The alternatives: the same seven kinds; alternative 1's first item ends in a space.
    const QStringList soorten{
        QStringLiteral("Aantal weidedagen"),     QStringLiteral("Oppervlakte perceel"),
        QStringLiteral("Hoeveelheid weiderest"), QStringLiteral("Aanbod bij inscharen > 5cm"),
        QStringLiteral("Opname ds snijmais"),    QStringLiteral("Opname ds graskuil"),
        QStringLiteral("Opname ds krachtvoer")};
    QStringList soorten1 = soorten;
    soorten1[0] += QLatin1Char(' ');
    CbxAlt1 = keuze("CbxAlt1", "", soorten1);
    CbxAlt1->ZetTag(1);
    CbxAlt2 = keuze("CbxAlt2", "", soorten);
    CbxAlt2->ZetTag(2);
    // An alternative is one of the seven kinds or none: a typed text of another kind is said once
    // (as a cell that is no number) and changes nothing.
    for (TKeuzeInvoer* alternatief : {CbxAlt1, CbxAlt2}) {
        alternatief->ZetAlleenItems(true);
        connect(alternatief, &TKeuzeInvoer::Geweigerd, this, [this](const QString& tekst) {
            melder_->Bericht((tekst.trimmed().isEmpty() ? QStringLiteral("(leeg)") : tekst) +
                             QStringLiteral(" is geen geldige waarde"));
        });
    }
    SpeAlt1 = getal("SpeAlt1", "", 1, 100, 1, 1, false);
    SpeAlt2 = getal("SpeAlt2", "", 1, 100, 1, 1, false);
    AlternatievenBeginstand();
}

void TInvoerset::AlternatievenBeginstand() {
    for (int nr = 1; nr <= 2; ++nr) {
        TGetalInvoer* veld = AlternatiefVeld(nr);
        AlternatiefKeuze(nr)->KiesItem(-1);
        veld->ZetGeheel(false);
        veld->ZetBereik(1, 100);
        veld->ZetIncrement(1);
        veld->ZetDecimal(1);
        veld->SetValue(1);
        veld->ZetHint(veld->BereikTekst());
    }
}

void TInvoerset::MaakTabellen() {
    GrdProductie = new TTabel(QStringLiteral("GrdProductie"), TagProductie, 5, 6, 1, 100, this);
    const char* productieKop[] = {"Lactatiedagen", "Aandeel (%)", "Melk (kg/dag)", "Vet (%)", "Eiwit (%)"};
    for (int k = 0; k < 5; ++k) GrdProductie->ZetCel(k, 0, QString::fromLatin1(productieKop[k]));
    for (int r = 1; r <= 5; ++r) GrdProductie->ZetCel(0, r, Lactatiestadia.at(r - 1));

    GrdKrachtvoer = new TTabel(QStringLiteral("GrdKrachtvoer"), TagKrachtvoer, 2, 7, 2, 80, this);
    GrdKrachtvoer->ZetCel(1, 0, QStringLiteral("Krachtvoer"));
    GrdKrachtvoer->ZetCel(1, 1, QStringLiteral("(kg)"));
    GrdKrachtvoer->ZetCel(0, 1, QStringLiteral("Lactatiedagen"));
    for (int r = 2; r <= 6; ++r) GrdKrachtvoer->ZetCel(0, r, Lactatiestadia.at(r - 2));

    GrdVoeders = new TTabel(QStringLiteral("GrdVoeders"), TagVoeders, 8, 9, 2, 80, this);
    const char* voedersKop[][2] = {{"Gift", "(kg ds)"}, {"DS", "(g/kg)"},    {"VEM", "(g/kg ds)"},
                                   {"RE", "(g/kg ds)"}, {"RC", "(g/kg ds)"}, {"VOS", "(g/kg ds)"},
                                   {"VW", "(/kg ds)"}};
    for (int k = 1; k <= 7; ++k) {
        GrdVoeders->ZetCel(k, 0, QString::fromLatin1(voedersKop[k - 1][0]));
        GrdVoeders->ZetCel(k, 1, QString::fromLatin1(voedersKop[k - 1][1]));
    }
    const char* voeders[] = {"Krachtvoer", "Snijmais",           "Graskuil", "Perspulp",
                             "Bierbostel", "Aardappelpersvezel", "Overig"};
    for (int r = 2; r <= 8; ++r) GrdVoeders->ZetCel(0, r, QString::fromLatin1(voeders[r - 2]));
}

void TInvoerset::MaakHints() {
    for (TGetalInvoer* invoer : Getallen()) invoer->ZetHint(invoer->BereikTekst());
    for (TKeuzeInvoer* invoer : Keuzes()) invoer->ZetHint(invoer->ItemsTekst());
}

void TInvoerset::Koppel() {
    connect(SpeMelknivo, &TGetalInvoer::Wijziging, this, &TInvoerset::SpeMelknivoChange);
    connect(SpePercPar1, &TGetalInvoer::Wijziging, this, &TInvoerset::SpePercPar1Change);
    connect(SpePercPar2, &TGetalInvoer::Wijziging, this, &TInvoerset::SpePercPar2Change);
    connect(SpePercPar3, &TGetalInvoer::Wijziging, this, &TInvoerset::SpePercPar3Change);
    connect(SpePercRas1, &TGetalInvoer::Wijziging, this, &TInvoerset::SpePercRas1Change);
    connect(SpePercRas2, &TGetalInvoer::Wijziging, this, &TInvoerset::SpePercRas2Change);
    connect(CbxVorigGebruik, &TKeuzeInvoer::Wijziging, this, &TInvoerset::CbxVorigGebruikChange);
    connect(CbxBloten, &TKeuzeInvoer::Wijziging, this, &TInvoerset::CbxVorigGebruikChange);
    connect(CbxSysteem, &TKeuzeInvoer::Wijziging, this, &TInvoerset::CbxSysteemChange);
    connect(CbxZode, &TKeuzeInvoer::Wijziging, this, &TInvoerset::CbxZodeChange);
    connect(CbxOntwatering, &TKeuzeInvoer::Wijziging, this, &TInvoerset::CbxOntwateringChange);
    connect(CbxEngelsraai, &TKeuzeInvoer::Wijziging, this, &TInvoerset::CbxEngelsraaiChange);
    connect(SpeGrasaanbod, &TGetalInvoer::Wijziging, this, &TInvoerset::SpeGrasaanbodChange);
    connect(Cbxdatum, &TDagInvoer::Exit, this, &TInvoerset::CbxdatumExit);
    for (TTabel* tabel : Tabellen()) {
        connect(tabel, &TTabel::SetEditText, this,
                [this, tabel](int k, int r) { GrdSetEditText(tabel, k, r); });
        connect(tabel, &TTabel::SelectCell, this,
                [this, tabel](int k, int r) { GrdSelectCell(tabel, k, r); });
        connect(tabel, &TTabel::Exit, this, [this, tabel] { GrdExit(tabel); });
    }
}

// ---------------------------------------------------------------------------------------------
// Lookup

TInvoer* TInvoerset::Invoer(const QString& naam) const {
    return findChild<TInvoer*>(naam, Qt::FindDirectChildrenOnly);
}
TGetalInvoer* TInvoerset::Getal(const QString& naam) const {
    return qobject_cast<TGetalInvoer*>(Invoer(naam));
}
TKeuzeInvoer* TInvoerset::Keuze(const QString& naam) const {
    return qobject_cast<TKeuzeInvoer*>(Invoer(naam));
}
TTabel* TInvoerset::Tabel(const QString& naam) const {
    return qobject_cast<TTabel*>(Invoer(naam));
}

void TInvoerset::NeemToestandOver(const TInvoerset& bron) {
    // Both sets were made by the same constructor: the same inputs in the same order.
    const QObjectList& doel = children();
    const QObjectList& van = bron.children();
    if (doel.size() != van.size()) throw std::logic_error("invoersets verschillen");
    for (qsizetype i = 0; i < doel.size(); ++i) {
        auto* d = qobject_cast<TInvoer*>(doel[i]);
        const auto* v = qobject_cast<const TInvoer*>(van[i]);
        if (!d || !v) continue;
        if (d->metaObject() != v->metaObject() || d->objectName() != v->objectName())
            throw std::logic_error("invoersets verschillen");
        d->NeemToestandOver(*v);
    }
}

QList<TGetalInvoer*> TInvoerset::Getallen() const {
    return findChildren<TGetalInvoer*>(QString(), Qt::FindDirectChildrenOnly);
}
QList<TKeuzeInvoer*> TInvoerset::Keuzes() const {
    return findChildren<TKeuzeInvoer*>(QString(), Qt::FindDirectChildrenOnly);
}
QList<TTabel*> TInvoerset::Tabellen() const {
    return findChildren<TTabel*>(QString(), Qt::FindDirectChildrenOnly);
}

QPair<int, int> TInvoerset::CelBereik(int tag, int kolom) {
    switch (tag) {
    case TagProductie:
        if (kolom == 1) return {0, 100};
        if (kolom == 2) return {5, 40};
        if (kolom == 3 || kolom == 4) return {3, 5};
        break;
    case TagKrachtvoer:
        if (kolom == 1) return {0, 20};
        break;
    case TagVoeders:
        switch (kolom) {
        case 1:
            return {0, 20};
        case 2:
            return {100, 1000};
        case 3:
            return {500, 1500};
        case 4:
        case 5:
            return {10, 500};
        case 6:
            return {0, 1000};
        case 7:
            return {0, 2};
        default:
            break;
        }
        break;
    case TagGras:
        switch (kolom) {
        case 1:
        case 3:
        case 4:
            return {100, 300};
        case 2:
            return {600, 1100};
        case 5:
        case 6:
            return {400, 800};
        case 7:
            return {0, 2};
        default:
            break;
        }
        break;
    default:
        break;
    }
    return {0, 100};
}

long double TInvoerset::CelGetal(const TTabel* tabel, int kolom, int rij) {
    const QString tekst = tabel->Cel(kolom, rij);
    long double waarde = 0;
    if (!LeesGetal(tekst.toStdString(), waarde))
        throw EKorvalindeFout(QStringLiteral("'%1' is not a valid floating point value").arg(tekst));
    return waarde;
}

void TInvoerset::ZetCelGetal(TTabel* tabel, int kolom, int rij, const char* patroon, long double waarde) {
    tabel->ZetCel(kolom, rij, Formaat(patroon, waarde));
}

// ---------------------------------------------------------------------------------------------
// Defaults

void TInvoerset::StandaardVeestapel() {
    SpenKoe->SetValue(50);
    SpeMelknivo->SetValue(8000);
    SpePercPar1->SetValue(25);
    SpePercPar2->SetValue(20);
    SpePercPar3->SetValue(55);
    SpePercRas1->SetValue(100);
    SpePercRas2->SetValue(0);
    SpeTkt->SetValue(365);
    SpeGewicht->SetValue(650);

    const char* productie[5][4] = {{"21", "33.1", "4.22", "3.02"},
                                   {"25", "31.2", "4.23", "3.31"},
                                   {"28", "27.2", "4.44", "3.41"},
                                   {"20", "25.6", "4.52", "3.52"},
                                   {"6", "22.6", "4.89", "3.66"}};
    for (int r = 1; r <= 5; ++r)
        for (int k = 1; k <= 4; ++k) GrdProductie->ZetCel(k, r, QString::fromLatin1(productie[r - 1][k - 1]));

    SpeMelknivoChange();
}

void TInvoerset::StandaardVoeding() {
    const char* krachtvoer[] = {"6.0", "5.8", "4.6", "3.0", "1.1"};
    for (int r = 2; r <= 6; ++r) GrdKrachtvoer->ZetCel(1, r, QString::fromLatin1(krachtvoer[r - 2]));

    // Gift, DS, VEM, RE, RC, VOS, VW per feed; the gift and fill value of concentrate and the fill
    // values of maize and grass silage are recomputed right below.
    const char* voeders[7][7] = {{"4.5", "900", "1045", "167", "140", "", ""},
                                 {"0.0", "337", "937", "79", "180", "697", "0.88"},
                                 {"0.0", "445", "880", "178", "235", "705", "1.04"},
                                 {"0.0", "218", "1062", "98", "199", "803", "0.70"},
                                 {"0.0", "221", "943", "245", "179", "598", "0.55"},
                                 {"0.0", "162", "1038", "75", "194", "801", "0.55"},
                                 {"0.0", "", "", "", "", "", ""}};
    for (int r = 2; r <= 8; ++r)
        for (int k = 1; k <= 7; ++k) GrdVoeders->ZetCel(k, r, QString::fromLatin1(voeders[r - 2][k - 1]));

    BerekenVoederwaarden();
    BerekenUrenWeidegang();
}

void TInvoerset::StandaardGrasland() {
    Cbxdatum->ZetTekst(QStringLiteral("1509"));
    SpeUrenWeidegang->SetValue(20);
    SpeHergroei->SetValue(28);
    SpeGrasaanbod->SetValue(1300);
    CbxSysteem->KiesItem(0);

    SpeBiomassa05->SetValue(StringNaarCode(CbxSysteem->Tekst()).contains(QLatin1String("OMWEID")) ? 1000
                                                                                                  : 1500);

    CbxVorigGebruik->KiesItem(0);
    CbxBloten->KiesItem(0);
    ZetVorigeSnede(VorigeSnede());

    CbxOntwatering->KiesItem(0);
    SpePerceelOpp->SetValue(2.3);
    CbxGrondsoort->KiesItem(0);
    CbxZode->KiesItem(1);
    CbxEngelsraai->KiesItem(1);
    CbxJaargift->KiesItem(2);

    GraslandRegels();
}

void TInvoerset::StandaardOverig() {
    SpenMestflat->SetValue(13);
    SpenUrlozing->SetValue(13);
    SpeOppMestflat->SetValue(1.00);
    SpeOppUrplek->SetValue(0.68);
    BerekenGraswaarden();
}

void TInvoerset::ZetStandaardwaarden() {
    StandaardVeestapel();
    StandaardGrasland();
    StandaardVoeding();
    StandaardOverig();

    // Every derived value once more, now that all pages hold their defaults.
    BerekenVoederwaarden();
    BerekenGraswaarden();
    BerekenUrenWeidegang();
    SpeMelknivoChange();
    GraslandRegels();
}

void TInvoerset::GraslandRegels() {
    CbxVorigGebruikChange();
    CbxSysteemChange();
    CbxOntwateringChange();
    CbxEngelsraaiChange();
    CbxdatumExit();
    SpeGrasaanbodChange();
}

// ---------------------------------------------------------------------------------------------
// Herd

void TInvoerset::SpeMelknivoChange() {
    long double ras1 = static_cast<long double>(SpeMelknivo->Value()) * 0.0399L - 292.93L;
    if (ras1 < 0) ras1 = 0;
    SpePercRas1->SetValue(static_cast<double>(Round(ras1)));
    SpePercRas2->SetValue(static_cast<double>(Round(100.0L - SpePercRas1->Value())));
}

void TInvoerset::ZetPariteit(int gewijzigd) {
    // Two passes; each puts what is missing to 100 (or too much) on one other share, which fires
    // that share's own rule in turn. The order depends on the share that changed.
    TGetalInvoer* const par[3] = {SpePercPar1, SpePercPar2, SpePercPar3};
    const int volgorde[3][2] = {{1, 2}, {2, 0}, {0, 1}};
    for (int pass = 0; pass < 2; ++pass) {
        const float c = static_cast<float>(
            100.0L - (static_cast<long double>(par[0]->Value()) + par[1]->Value() + par[2]->Value()));
        TGetalInvoer* aan = par[volgorde[gewijzigd][pass]];
        aan->SetValue(static_cast<double>(Begrens(static_cast<long double>(aan->Value()) + c, 0, 100)));
    }
}

void TInvoerset::SpePercPar1Change() {
    ZetPariteit(0);
}
void TInvoerset::SpePercPar2Change() {
    ZetPariteit(1);
}
void TInvoerset::SpePercPar3Change() {
    ZetPariteit(2);
}

void TInvoerset::SpePercRas1Change() {
    SpePercRas2->SetValue(static_cast<double>(Begrens(100.0L - SpePercRas1->Value(), 0, 100)));
}

void TInvoerset::SpePercRas2Change() {
    SpePercRas1->SetValue(static_cast<double>(Begrens(100.0L - SpePercRas2->Value(), 0, 100)));
}

// ---------------------------------------------------------------------------------------------
// Grassland

TInvoerset::TVorigeSnede TInvoerset::VorigeSnede() const {
    TVorigeSnede vorige;
    vorige.geweid = StringNaarCode(CbxVorigGebruik->Tekst()) == QLatin1String("WEIDEN");
    vorige.restBlijft = vorige.geweid && StringNaarCode(CbxBloten->Tekst()) == QLatin1String("NEE");
    return vorige;
}

void TInvoerset::ToonVorigeSnede() {
    const TVorigeSnede vorige = VorigeSnede();
    CbxBloten->ZetZichtbaar(vorige.geweid);
    SpeVorigDagen->ZetZichtbaar(vorige.geweid);
    SpeVorigRest->ZetZichtbaar(vorige.restBlijft);
}

void TInvoerset::ZetVorigeSnede(const TVorigeSnede& vorige) {
    SpeVorigDagen->SetValue(vorige.geweid ? 4 : 0);
    SpeVorigRest->SetValue(vorige.restBlijft ? 300 : 0);
}

void TInvoerset::CbxVorigGebruikChange() {
    ToonVorigeSnede();
    // What is shown now holds the answers, so the choice texts are not looked up again.
    ZetVorigeSnede({SpeVorigDagen->Zichtbaar(), SpeVorigRest->Zichtbaar()});
}

void TInvoerset::VulZodeLijst() {
    const int index = CbxZode->ItemIndex();
    if (StringNaarCode(CbxSysteem->Tekst()).contains(QLatin1String("STAND")))
        CbxZode->ZetItems({QStringLiteral("Normaal"), QStringLiteral("Dicht"), QStringLiteral("Zeer dicht")});
    else
        CbxZode->ZetItems({QStringLiteral("Open"), QStringLiteral("Normaal"), QStringLiteral("Dicht"),
                           QStringLiteral("Zeer dicht")});
    CbxZode->KiesItem(index);
}

void TInvoerset::CbxSysteemChange() {
    VulZodeLijst();
    CbxZode->KiesItem(1);
    CbxZodeChange();
}

void TInvoerset::CbxZodeChange() {
    const QString code = StringNaarCode(CbxZode->Tekst());
    double biomassa = 1250;
    if (code == QLatin1String("OPEN"))
        biomassa = 800;
    else if (code == QLatin1String("NORM"))
        biomassa = 1000;
    else if (code == QLatin1String("DICHT"))
        biomassa = 1500;
    else if (code == QLatin1String("ZDICHT"))
        biomassa = 2000;
    SpeBiomassa05->SetValue(biomassa);
}

void TInvoerset::CbxdatumExit() {
    GrasaanbodPerMaand();
    BerekenGraswaarden();
}

void TInvoerset::GrasaanbodPerMaand() {
    if (Cbxdatum->Waarde() == 0) return;
    double aanbod = 0;
    switch (DagNaarMaand(Cbxdatum->DagVanHetJaar())) {
    case 1:
    case 2:
    case 3:
    case 4:
        aanbod = 1400;
        break;
    case 5:
    case 6:
    case 7:
        aanbod = 1700;
        break;
    case 8:
        aanbod = 1500;
        break;
    case 9:
        aanbod = 1300;
        break;
    case 10:
    case 11:
    case 12:
        aanbod = 1100;
        break;
    default:
        return;
    }
    SpeGrasaanbod->SetValue(aanbod);
}

void TInvoerset::BerekenGraswaarden() {
    if (CbxOntwatering->ItemIndex() < 0 || CbxEngelsraai->ItemIndex() < 0) return;
    if (Cbxdatum->Waarde() == 0) return;
    const double aanbod = SpeGrasaanbod->Value();
    if (aanbod <= 0) return;

    // A sward of lower quality: badly drained, or less than half ryegrass and clover.
    QString ontwatering = CbxOntwatering->Tekst().toUpper();
    ontwatering.remove(QLatin1Char(' '));
    bool minder = StringNaarCode(ontwatering) == QLatin1String("NEE");
    if (!minder) minder = StringNaarCode(CbxEngelsraai->Tekst()) == QLatin1String("<50");

    const int dag = Cbxdatum->DagVanHetJaar();
    const char* soorten[] = {"DS", "VEM", "RE", "RC", "FOS", "VOS"};
    for (int k = 1; k <= 6; ++k)
        ZetCelGetal(GrdGras, k, 2, "0", GehalteGras(soorten[k - 1], dag, minder, static_cast<float>(aanbod)));
    BerekenVw(VwRij::Gras);
}

// ---------------------------------------------------------------------------------------------
// Feeding

void TInvoerset::BerekenVw(VwRij rij) {
    auto leeg = [](const TTabel* tabel, int rijnr, std::initializer_list<int> kolommen) {
        for (int k : kolommen)
            if (tabel->Cel(k, rijnr).isEmpty()) return true;
        return false;
    };
    auto getal = [](const TTabel* tabel, int kolom, int rijnr) {
        return static_cast<float>(CelGetal(tabel, kolom, rijnr));
    };
    switch (rij) {
    case VwRij::Krachtvoer:
        if (leeg(GrdVoeders, 2, {5})) return;
        ZetCelGetal(GrdVoeders, 7, 2, "0.00", VwKrachtvoer(getal(GrdVoeders, 5, 2)));
        break;
    case VwRij::Snijmais:
        if (leeg(GrdVoeders, 3, {2, 6})) return;
        ZetCelGetal(GrdVoeders, 7, 3, "0.00",
                    VwSnijmais(getal(GrdVoeders, 2, 3), getal(GrdVoeders, 6, 3), 1));
        break;
    case VwRij::Graskuil:
        if (leeg(GrdVoeders, 4, {2, 4, 5})) return;
        ZetCelGetal(GrdVoeders, 7, 4, "0.00",
                    VwGraskuil(getal(GrdVoeders, 2, 4), getal(GrdVoeders, 4, 4), getal(GrdVoeders, 5, 4), 1));
        break;
    case VwRij::Gras:
        if (leeg(GrdGras, 2, {4, 6})) return;
        ZetCelGetal(GrdGras, 7, 2, "0.00", VwGras(getal(GrdGras, 4, 2), getal(GrdGras, 6, 2), 1));
        break;
    }
}

void TInvoerset::BerekenVoederwaarden() {
    BerekenKrachtvoergift();
    BerekenVw(VwRij::Krachtvoer);
    BerekenVw(VwRij::Snijmais);
    BerekenVw(VwRij::Graskuil);
}

void TInvoerset::BerekenKrachtvoergift() {
    long double aandeel[5] = {};
    long double krachtvoer[5] = {};
    for (int k = 1; k <= 5; ++k) {
        if (GrdProductie->Cel(1, k).isEmpty() || GrdKrachtvoer->Cel(1, k + 1).isEmpty()) continue;
        aandeel[k - 1] = CelGetal(GrdProductie, 1, k);
        krachtvoer[k - 1] = CelGetal(GrdKrachtvoer, 1, k + 1);
    }
    if (GrdVoeders->Cel(2, 2).isEmpty()) return;
    const long double ds = CelGetal(GrdVoeders, 2, 2);
    float gift = 0;
    for (int k = 0; k < 5; ++k)
        gift = static_cast<float>(gift + krachtvoer[k] * ds / 1000.0L * aandeel[k] / 100.0L);
    ZetCelGetal(GrdVoeders, 1, 2, "0.00", gift);
}

void TInvoerset::BerekenUrenWeidegang() {
    long double bijvoeding = 0;
    for (int r = 3; r <= 8; ++r)
        if (!GrdVoeders->Cel(1, r).isEmpty()) bijvoeding += CelGetal(GrdVoeders, 1, r);
    SpeUrenWeidegang->SetValue(static_cast<double>(std::min(20.0L - 1.28L * bijvoeding, 20.0L)));
}

void TInvoerset::VerdeelAandelen(int rij) {
    if (rij < 1 || rij > 5) return;
    auto aandeel = [this](int r) {
        return GrdProductie->Cel(1, r).isEmpty() ? 0.0L : CelGetal(GrdProductie, 1, r);
    };
    const long double v = aandeel(rij);
    if (v < 0)
        GrdProductie->ZetCel(1, rij, QStringLiteral("0"));
    else if (v > 100)
        GrdProductie->ZetCel(1, rij, QStringLiteral("100"));

    // The stages below the edited one, wrapping to the top, take up the difference in turn.
    int n = rij;
    for (int pass = 0; pass < 4; ++pass) {
        long double som = 0;
        for (int r = 1; r <= 5; ++r) som += aandeel(r);
        const long double rest = 100.0L - som;
        n = n % 5 + 1;
        ZetCelGetal(GrdProductie, 1, n, "0.#", Begrens(aandeel(n) + rest, 0, 100));
    }
}

// ---------------------------------------------------------------------------------------------
// Tables

void TInvoerset::GrdSetEditText(TTabel* tabel, int kolom, int rij) {
    if (!tabel || kolom < 1) return;
    const QString tekst = tabel->Cel(kolom, rij);
    if (!tekst.isEmpty() && !IsGetal(tekst)) {
        // Said once, and the cell gets back the value it had before the edit; no rule runs.
        melder_->Bericht(tekst + QStringLiteral(" is geen geldige waarde"));
        tabel->ZetCel(kolom, rij, tabel->VorigeTekst());
        return;
    }

    switch (tabel->Tag()) {
    case TagProductie:
        if (kolom == 1) VerdeelAandelen(rij);
        break;
    case TagKrachtvoer:
        if (kolom == 1) BerekenKrachtvoergift();
        break;
    case TagVoeders:
        if (kolom >= 2 && kolom <= 6) {
            if (rij == 2)
                BerekenVw(VwRij::Krachtvoer);
            else if (rij == 3)
                BerekenVw(VwRij::Snijmais);
            else if (rij == 4)
                BerekenVw(VwRij::Graskuil);
        } else if (kolom == 1 && rij >= 3 && rij <= 8) {
            BerekenUrenWeidegang();
        }
        break;
    case TagGras:
        if (kolom >= 2 && kolom <= 6 && rij == 2) BerekenVw(VwRij::Gras);
        break;
    default:
        break;
    }
}

void TInvoerset::GrdSelectCell(TTabel* tabel, int kolom, int rij) {
    if (!tabel) return;
    tabel->ZetHint(QString());
    if (kolom < 1 || rij < tabel->FixedRows()) return;
    const bool vast = tabel->Tag() == TagVoeders && rij == 2 && (kolom == 1 || kolom == 6 || kolom == 7);
    tabel->ZetBewerkbaar(!vast);
    const auto [minimum, maximum] = CelBereik(tabel->Tag(), kolom);
    tabel->ZetHint(QStringLiteral("Minimum: %1 - Maximum: %2").arg(minimum).arg(maximum));
}

void TInvoerset::GrdExit(TTabel* tabel) {
    if (tabel) tabel->WisSelectie();
}

} // namespace korvalinde
