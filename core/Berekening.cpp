#include "core/Berekening.h"

#include "domain/Algemeen.h"
#include "domain/Formaat.h"

#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvalinde {

namespace {

const char* const Drie = "   ";

// clang-format off
const std::array<TSamenvattingRij, 25> SamenvattingTabel{{
    {RijGrasaanbod, "GRASAANBOD", ""},
    {RijWeidedagen, "      Aantal weidedagen", "(dagen)"},
    {RijOppervlakte, "      Oppervlakte perceel", "(ha)"},
    {RijWeiderest, "      Weiderest", "(kg ds/ha)"},
    {RijAanbodInscharen, "      Aanbod bij inscharen (boven stoppel)", "(kg ds/ha)"},
    {RijAanbodKoe, "      Aanbod/koe (boven stoppel)", "(kg ds)"},
    {RijGrasopname, "GRASOPNAME", ""},
    {RijGemOpname, "      Gem. opname beweiding", "(kg ds/koe/dag)"},
    {RijOpnameDag1, "      Grasopname dag 1", "(kg ds/koe)"},
    {RijOpnameLaatsteDag, "      Grasopname laatste dag", "(kg ds/koe)"},
    {RijAfnameOpname, "      Afname grasopname ", "(% van dag 1)"},
    {RijVerliezen, "VERLIEZEN", ""},
    {RijBenutting, "      Benuttingspercentage (boven stoppel)", "(% van totale aanbod)"},
    {RijBijvoeding, "BIJVOEDING", ""},
    {RijSnijmais, "      Opname snijmais", "(kg ds/koe/dag)"},
    {RijGraskuil, "      Opname graskuil", "(kg ds/koe/dag)"},
    {RijKrachtvoer, "      Opname krachtvoer", "(kg ds/koe/dag)"},
    {RijVerdrongenGras, "      Verdrongen gras", "(kg ds/koe/dag)"},
    {RijVerdringing, "      Verdringingspercentage", "(% van gras zonder bijv)"},
    {RijTotaleOpname, "      Totale gemiddelde ds opname", "(kg ds/koe/dag)"},
    {RijMelkproductie, "POTENTIELE MELKPRODUCTIE", ""},
    {RijMelkgift, "      Gemiddelde melkgift", "(kg FPCM/koe/dag)"},
    {RijMelkgiftDag1, "      Melkgift dag 1", "(kg FPCM/koe/dag)"},
    {RijMelkgiftLaatsteDag, "      Melkgift laatste dag", "(kg FPCM/koe/dag)"},
    {RijAfnameMelkgift, "      Afname melkgift", "(kg FPCM/koe/dag)"},
}};

// The detail columns DetBiomassa5 .. DetMelk in order.
const std::array<TDetailKolomOpzet, DetLaatsteKolom> DetailTabel{{
    {{"Biomassa", "> 5 cm", "(kg ds/ha)"}, &TQXUitvoer::arBiomassa5},
    {{"Biomassa", "> 0 cm", "(kg ds/ha)"}, &TQXUitvoer::arBiomassa0},
    {{"Aanbod", "> 5 cm", "(kg ds/ha)"}, &TQXUitvoer::arBeschikbaar5},
    {{"Aanbod", "> 0 cm", "(kg ds/ha)"}, &TQXUitvoer::arBeschikbaar0},
    {{"Aanbod", "per koe", "(kg ds)"}, &TQXUitvoer::arAanbodKoe},
    {{"Bijgroei", "gestoord", "(kg ds/ha)"}, &TQXUitvoer::arBijgroei},
    {{"Opname", "relatief", "(%)"}, &TQXUitvoer::arOpnameRel},
    {{"Opname", "per koe", "(kg ds/dag)"}, &TQXUitvoer::arOpname},
    {{"VO mest", "cumulatief", "(m2)"}, &TQXUitvoer::arMestCum},
    {{"VO urine", "cumulatief", "(m2)"}, &TQXUitvoer::arUrineCum},
    {{"Melkprod", "FPCM", "(kg/koe)"}, &TQXUitvoer::arMelk},
}};
// clang-format on

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

// A choice text as code: upper case, spaces removed, through the vocabulary.
std::string Code(TInvoerset& invoer, const TKeuzeInvoer* keuze) {
    return S(invoer.StringNaarCode(Q(ZonderSpaties(NaarHoofdletters(S(keuze->Tekst()))))));
}

// A choice text upper case without spaces, not mapped (annual nitrogen, previous use).
std::string Kaal(const TKeuzeInvoer* keuze) {
    return ZonderSpaties(NaarHoofdletters(S(keuze->Tekst())));
}

// A text typed over the list that is no yes/no counts as "Nee"; the run goes on without a message.
bool JaNee(const TKeuzeInvoer* keuze) {
    return JNTOBOOL(NaarHoofdletters(S(keuze->Tekst())));
}

float Getal(const TGetalInvoer* invoer) {
    return static_cast<float>(invoer->Value());
}
std::int32_t Geheel(const TGetalInvoer* invoer) {
    return static_cast<std::int32_t>(Round(invoer->Value()));
}

// Reports a run as busy from its start to its end, whatever happens.
class Rekenend {
  public:
    explicit Rekenend(TBerekening& berekening) : berekening_(berekening) { emit berekening_.Rekent(true); }
    ~Rekenend() { emit berekening_.Rekent(false); }
    Rekenend(const Rekenend&) = delete;
    Rekenend& operator=(const Rekenend&) = delete;

  private:
    TBerekening& berekening_;
};

} // namespace

TBerekening::TBerekening(TInvoerset& invoer, TMelder& melder, QObject* parent)
    : QObject(parent), invoer_(invoer), melder_(melder), bedrijf_(std::make_unique<TBedrijf>()) {
    MaakTabellen();
    connect(invoer_.CbxAlt1, &TKeuzeInvoer::Wijziging, this, [this] { CbxAlt1Change(invoer_.CbxAlt1); });
    connect(invoer_.CbxAlt2, &TKeuzeInvoer::Wijziging, this, [this] { CbxAlt1Change(invoer_.CbxAlt2); });
    connect(invoer_.SpeAlt1, &TGetalInvoer::Wijziging, this, &TBerekening::SpeAlt1Change);
    connect(invoer_.SpeAlt2, &TGetalInvoer::Wijziging, this, &TBerekening::SpeAlt2Change);
}

TBerekening::~TBerekening() = default;

TResultaatTabellen MaakResultaatTabellen(QObject* ouder) {
    TResultaatTabellen t;
    TTabel*& GrdUitvoerSam = t.Sam;
    std::array<TTabel*, 3>& GrdUitvoerDet = t.Det;
    GrdUitvoerSam = new TTabel(QStringLiteral("GrdUitvoerSam"), 0, 5, 30, 1, 120, ouder);
    GrdUitvoerSam->ZetVasteKolommen(2);
    GrdUitvoerSam->ZetKolomBreedtes({210, 120, 120, 150, 150});
    GrdUitvoerSam->ZetRijHoogte(16);
    GrdUitvoerSam->ZetAlleenLezen(true);
    GrdUitvoerSam->ZetInhoud(TabelInhoud::Samenvatting);
    GrdUitvoerSam->ZetCel(KolBasis, 0, QStringLiteral("   Basis"));
    GrdUitvoerSam->ZetCel(KolAlt1, 0, QStringLiteral("   Alternatief 1"));
    GrdUitvoerSam->ZetCel(KolAlt12, 0, QStringLiteral("   Alternatief 1+2"));
    for (const auto& r : SamenvattingTabel) {
        GrdUitvoerSam->ZetCel(KolLabel, r.rij, QString::fromLatin1(r.label));
        GrdUitvoerSam->ZetCel(KolEenheid, r.rij, QString::fromLatin1(r.eenheid));
    }
    for (std::size_t v = 0; v < GrdUitvoerDet.size(); ++v) {
        auto* tabel = new TTabel(QStringLiteral("GrdUitvoerDet%1").arg(v), 0, DetLaatsteKolom + 1,
                                 DetKopRijen + AantalStappen + 1, DetKopRijen, 60, ouder);
        tabel->ZetKolomBreedtes(QVector<int>(DetLaatsteKolom + 1, 60));
        tabel->ZetRijHoogte(16);
        tabel->ZetAlleenLezen(true);
        tabel->ZetInhoud(TabelInhoud::Detail, static_cast<int>(v));
        for (int k = DetBiomassa5; k <= DetLaatsteKolom; ++k)
            for (int r = 0; r < DetKopRijen; ++r)
                tabel->ZetCel(k, r, QString::fromLatin1(DetailTabel[k - 1].kop[r]));
        for (int stap = 0; stap <= AantalStappen; ++stap)
            tabel->ZetCel(0, stap + DetKopRijen, QStringLiteral("Dag ") + Q(FormatFloat("0.0", stap * 0.5L)));
        // The grass above 5 cm is what the paddock holds less the 5 cm stubble: below zero once the
        // herd grazes into the stubble. The model's value, shown as it is.
        tabel->ZetKolomUitleg(DetBiomassa5,
                              QStringLiteral("Biomassa boven 5 cm (kg ds/ha); negatief: de koeien "
                                             "grazen onder 5 cm"));
        tabel->ZetKolomUitleg(DetAanbod5, QStringLiteral("Grasaanbod boven 5 cm (kg ds/ha); negatief: de "
                                                         "koeien grazen onder 5 cm"));
        GrdUitvoerDet[v] = tabel;
    }
    return t;
}

void TBerekening::MaakTabellen() {
    const TResultaatTabellen t = MaakResultaatTabellen(this);
    GrdUitvoerSam = t.Sam;
    GrdUitvoerDet = t.Det;
}

namespace {

// A plain text "[sign] digits [. digits]" of at most 19 digits, the kind the tables hold: the digits
// as a whole number N, exact in extended precision as is 10^k, and one division N / 10^k, rounded
// once. That is the correctly rounded value, the same as strtold gives. False for any other text.
bool EenvoudigGetal(const QString& tekst, long double& waarde) {
    static constexpr long double macht[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                            1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                            1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
    const QChar* c = tekst.constData();
    const QChar* const eind = c + tekst.size();
    const bool negatief = c != eind && *c == u'-';
    if (c != eind && (*c == u'-' || *c == u'+')) ++c;
    std::uint64_t n = 0;
    int cijfers = 0;
    int decimalen = -1;
    for (; c != eind; ++c) {
        const char16_t u = c->unicode();
        if (u == u'.' && decimalen < 0) {
            decimalen = 0;
            continue;
        }
        if (u < u'0' || u > u'9' || ++cijfers > 19) return false;
        n = n * 10 + (u - u'0');
        if (decimalen >= 0) ++decimalen;
    }
    if (cijfers == 0) return false;
    const long double w = static_cast<long double>(n) / macht[std::max(decimalen, 0)];
    waarde = negatief ? -w : w;
    return true;
}

} // namespace

float TBerekening::TekstNaarGetal(const QString& tekst) {
    long double waarde = 0;
    if (!EenvoudigGetal(tekst, waarde) && !LeesGetal(S(tekst), waarde)) return 0.0f;
    constexpr long double grens = 3.4028234663852886e38L;
    if (waarde > grens || waarde < -grens) return 0.0f;
    return static_cast<float>(waarde);
}

const std::array<TDetailKolomOpzet, DetLaatsteKolom>& DetailKolommen() {
    return DetailTabel;
}

const std::array<TSamenvattingRij, 25>& SamenvattingRijen() {
    return SamenvattingTabel;
}

TQXInvoer TBerekening::LeesInvoer() {
    return LeesInvoerRecord(invoer_);
}

TQXInvoer LeesInvoerRecord(TInvoerset& s) {
    TQXInvoer in;
    auto cel = [](const TTabel* tabel, int kolom, int rij) {
        return TBerekening::TekstNaarGetal(tabel->Cel(kolom, rij));
    };

    in.AantalKoeien = Getal(s.SpenKoe);
    in.Melknivo = Getal(s.SpeMelknivo);
    in.PercPar = {Getal(s.SpePercPar1), Getal(s.SpePercPar2), Getal(s.SpePercPar3)};
    in.PercRas = {Getal(s.SpePercRas1), Getal(s.SpePercRas2)};
    in.Tussenkalftijd = Geheel(s.SpeTkt);
    in.Gewicht = Getal(s.SpeGewicht);
    for (int k = 0; k < 5; ++k) {
        const auto i = static_cast<std::size_t>(k);
        in.Aandeel[i] = cel(s.GrdProductie, 1, k + 1);
        in.Melk[i] = cel(s.GrdProductie, 2, k + 1);
        in.Vet[i] = cel(s.GrdProductie, 3, k + 1);
        in.Eiwit[i] = cel(s.GrdProductie, 4, k + 1);
    }
    in.Inschaardag = s.Cbxdatum->DagVanHetJaar();
    in.VorigeSnede.Gebruik = Kaal(s.CbxVorigGebruik);
    in.VorigeSnede.Gebloot = JaNee(s.CbxBloten);
    in.VorigeSnede.Dagen = Getal(s.SpeVorigDagen);
    in.VorigeSnede.Rest = Getal(s.SpeVorigRest);
    in.UrenWeidegang = Geheel(s.SpeUrenWeidegang);
    in.Ontwatering = JaNee(s.CbxOntwatering);
    in.PerceelOpp = Getal(s.SpePerceelOpp);
    in.Grondsoort = Code(s, s.CbxGrondsoort);
    in.Systeem = Code(s, s.CbxSysteem);
    in.Zode = Code(s, s.CbxZode);
    in.Engelsraai = Code(s, s.CbxEngelsraai);
    in.Jaargift = Kaal(s.CbxJaargift);
    in.Grasaanbod = Getal(s.SpeGrasaanbod);
    in.Hergroeiduur = Getal(s.SpeHergroei);
    for (int k = 0; k < 5; ++k)
        in.KrachtvoerKlasse[static_cast<std::size_t>(k)] = cel(s.GrdKrachtvoer, 1, k + 2);
    for (int f = 0; f < 7; ++f)
        for (int w = 0; w < 7; ++w)
            in.Voeders[static_cast<std::size_t>(f)][static_cast<std::size_t>(w)] =
                cel(s.GrdVoeders, w + 1, f + 2);
    for (int w = 0; w < 7; ++w) in.Gras[static_cast<std::size_t>(w)] = cel(s.GrdGras, w + 1, 2);
    in.Biomassa05 = Getal(s.SpeBiomassa05);
    in.AantalMestflatten = Geheel(s.SpenMestflat);
    in.AantalUrinelozingen = Geheel(s.SpenUrlozing);
    in.OppMestflat = Getal(s.SpeOppMestflat);
    in.OppUrineplek = Getal(s.SpeOppUrplek);
    const TKeuzeInvoer* keuzes[2] = {s.CbxAlt1, s.CbxAlt2};
    const TGetalInvoer* waarden[2] = {s.SpeAlt1, s.SpeAlt2};
    for (std::size_t j = 0; j < 2; ++j) {
        in.Alternatief[j].Soort = keuzes[j]->ItemIndex() + 1;
        in.Alternatief[j].Waarde = waarden[j]->Tekst().isEmpty() ? 0.0f : Getal(waarden[j]);
    }
    return in;
}

bool TBerekening::Doorrekenen(QString* modelFout) {
    TQXUitvoer uitvoer; // every text empty
    TQXInvoer invoer = LeesInvoer();
    const Rekenend bezig(*this);
    if (modelFout) modelFout->clear();
    try {
        bedrijf_->Bereken(invoer, uitvoer);
    } catch (const std::exception& e) {
        if (modelFout)
            *modelFout = QString::fromStdString(e.what());
        else
            Melder().Fout(QString::fromStdString(e.what()));
    }
    BewaardeInvoer = std::move(invoer);
    BewaardeUitvoer = std::move(uitvoer);
    emit Doorgerekend();
    return true;
}

void TBerekening::ToonResultaten(QObject* sender) {
    resultatenInBeeld_ = true;
    emit ResultatenGevraagd();
    TabKorvalindeChange(sender ? sender : this);
}

void TBerekening::ToonInvoer() {
    resultatenInBeeld_ = false;
    emit InvoerGevraagd();
    TabKorvalindeChange(this);
}

void TBerekening::PaginaGewijzigd(bool resultaten, QObject* sender) {
    resultatenInBeeld_ = resultaten;
    TabKorvalindeChange(sender ? sender : this);
}

TRekenpoging::TRekenpoging(TBerekening& berekening) : berekening_(berekening), filter_(berekening.melder_) {
    if (berekening_.poging_) return; // part of an attempt under way
    eigen_ = true;
    invoerMelder_ = &berekening_.invoer_.Melder();
    berekening_.poging_ = &filter_;
    berekening_.invoer_.ZetMelder(&filter_);
}

TRekenpoging::~TRekenpoging() {
    if (!eigen_) return;
    berekening_.invoer_.ZetMelder(invoerMelder_);
    berekening_.poging_ = nullptr;
    if (filter_.Getoond().isEmpty()) return;
    berekening_.zojuist_ = filter_.Getoond();
    TBerekening* b = &berekening_;
    QTimer::singleShot(0, b, [b] { b->zojuist_.clear(); });
}

bool TBerekening::Reken() {
    const int onbekend = invoer_.OnbekendeTeksten();
    try {
        QString modelFout;
        Doorrekenen(&modelFout);
        if (!modelFout.isEmpty()) {
            // The model's box as the run shows it; what it wrote before the error is no result.
            Melder().Fout(modelFout);
            return false;
        }
    } catch (const std::exception& e) {
        Melder().Waarschuwing(QString::fromStdString(e.what()));
        return false;
    }
    // A choice the model does not know: its box came with the reading; the numbers belong to no
    // scenario the user can see.
    return invoer_.OnbekendeTeksten() == onbekend;
}

void TBerekening::TabKorvalindeChange(QObject* sender) {
    if (!resultatenInBeeld_) return;
    const TRekenpoging poging(*this);
    // The inputs on screen cannot be computed: no numbers of earlier inputs (nor half a run) may
    // stay in view, and the alternatives keep their values for the next run.
    if (!Reken()) return WisResultaten();
    if (LaadModus) {
        // The values of the file stay, and count as typed: the next page turn writes back what
        // they reach.
        teruggeschreven_ = {};
    } else {
        bool basisAnders = false;
        for (int rij = SamEersteRij; rij <= SamLaatsteRij && !basisAnders; ++rij)
            basisAnders = Drie + Q(BewaardeUitvoer.arsam[KolBasis][static_cast<std::size_t>(rij)]) !=
                          getoondeBasis_[static_cast<std::size_t>(rij)];
        // A new base: both alternatives start again from the base values of their kinds.
        if (basisAnders && AlternatievenNaarBasis() && !Reken()) return WisResultaten();
    }
    // The value fields show what the alternatives reached; when that differs from what was
    // computed, one more run computes what they now show. Nothing is written back after that run,
    // so every column is the calculation of the kind and value above it.
    if (sender != invoer_.SpeAlt1 && sender != invoer_.SpeAlt2 && AlternatievenNaarUitkomst() && !Reken())
        return WisResultaten();
    VulDetailTabellen();
    VulSamenvatting();
    emit TabellenVernieuwd();
}

namespace {

void VulDetail(const std::array<TTabel*, 3>& det, const TQXUitvoer& uitvoer) {
    const int stappen = std::min(AantalStappen, det[0]->RowCount() - 4);
    for (std::size_t v = 0; v < det.size(); ++v)
        for (int k = 0; k <= stappen; ++k)
            for (int c = DetBiomassa5; c <= DetLaatsteKolom; ++c)
                det[v]->ZetCel(c, k + DetKopRijen,
                               Q((uitvoer.*DetailTabel[c - 1].veld)[v][static_cast<std::size_t>(k)]));
}

void VulSam(TTabel& sam, const TQXUitvoer& uitvoer) {
    for (int c = KolBasis; c <= KolAlt12; ++c)
        for (int r = SamEersteRij; r <= SamLaatsteRij; ++r)
            sam.ZetCel(c, r,
                       Drie + Q(uitvoer.arsam[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)]));
}

} // namespace

void VulResultaatTabellen(const TResultaatTabellen& tabellen, const TQXUitvoer& uitvoer) {
    VulDetail(tabellen.Det, uitvoer);
    VulSam(*tabellen.Sam, uitvoer);
}

void TBerekening::VulDetailTabellen() {
    VulDetail(GrdUitvoerDet, BewaardeUitvoer);
}

void TBerekening::VulSamenvatting() {
    VulSam(*GrdUitvoerSam, BewaardeUitvoer);
    for (int r = SamEersteRij; r <= SamLaatsteRij; ++r)
        getoondeBasis_[static_cast<std::size_t>(r)] = GrdUitvoerSam->Cel(KolBasis, r);
}

void TBerekening::WisResultaten() {
    for (int c = KolBasis; c <= KolAlt12; ++c)
        for (int r = SamEersteRij; r <= SamLaatsteRij; ++r) GrdUitvoerSam->ZetCel(c, r, QString());
    for (TTabel* tabel : GrdUitvoerDet)
        for (int r = DetKopRijen; r < tabel->RowCount(); ++r)
            for (int c = DetBiomassa5; c <= DetLaatsteKolom; ++c) tabel->ZetCel(c, r, QString());
    emit TabellenVernieuwd();
}

void TBerekening::SetRxSpinEdit(int item, TGetalInvoer* veld) {
    if (item < 0 || item > 6) return;
    struct Opzet {
        bool geheel;
        double minimum, maximum, stap;
        int decimalen;
    };
    static const Opzet opzet[7] = {
        {false, 0, 20, 0.5, 1}, {false, 0.1, 20, 0.1, 1}, {true, 0, 10000, 10, 0}, {true, 0, 3000, 100, 0},
        {false, 0, 20, 0.5, 1}, {false, 0, 20, 0.5, 1},   {false, 0, 20, 0.5, 2},
    };
    Opzet o = opzet[item];
    // An alternative covers at least the range of the base input it replaces, so that a base value
    // is never clamped into an alternative the user did not type: the paddock area and the offer
    // at turn-in reach beyond the kinds' own bounds. A residue reached may lie above the highest
    // offer (regrowth over 30 days), so its target goes to 10000.
    const auto dekt = [&o](const TGetalInvoer* basis) {
        o.minimum = std::min(o.minimum, basis->MinValue());
        o.maximum = std::max(o.maximum, basis->MaxValue());
    };
    if (item == 1) dekt(invoer_.SpePerceelOpp);
    if (item == 3) dekt(invoer_.SpeGrasaanbod);
    // The base as last computed; the table itself is empty after a failed calculation.
    const QString& basis =
        getoondeBasis_[static_cast<std::size_t>(AlternatiefRij[static_cast<std::size_t>(item)])];
    if (item == 0) {
        // At most the base number of grazing days shown, 20 while there is none.
        long double dagen = 0;
        const QString tekst = basis.trimmed();
        o.maximum = !tekst.isEmpty() && LeesGetal(S(tekst), dagen) ? static_cast<double>(dagen) : 20.0;
    }
    veld->ZetGeheel(o.geheel);
    veld->ZetBereik(o.minimum, o.maximum);
    veld->ZetDecimal(o.decimalen);
    veld->ZetIncrement(o.stap);
    // Tooltip and status panel give the range of the kind now shown.
    veld->ZetHint(veld->BereikTekst());
    if (!LaadModus) veld->SetText(basis);
}

QString TBerekening::UitkomstTekst(int nr, int kolom) const {
    const int item = invoer_.AlternatiefKeuze(nr)->ItemIndex();
    if (item < 0 || item > 6) return invoer_.AlternatiefVeld(nr)->Tekst();
    const auto rij = static_cast<std::size_t>(AlternatiefRij[static_cast<std::size_t>(item)]);
    return Q(BewaardeUitvoer.arsam[static_cast<std::size_t>(kolom)][rij]);
}

bool TBerekening::ZetAlternatiefWaarden(const QString& waarde1, const QString& waarde2) {
    const QScopedValueRollback<bool> opzet(alternatievenOpzetten_, true);
    const bool zelfde = invoer_.CbxAlt1->ItemIndex() == invoer_.CbxAlt2->ItemIndex();
    const QString voor = invoer_.SpeAlt1->Tekst() + QLatin1Char('\n') + invoer_.SpeAlt2->Tekst();
    invoer_.SpeAlt1->SetText(waarde1);
    invoer_.SpeAlt2->SetText(zelfde ? invoer_.SpeAlt1->Tekst() : waarde2);
    return invoer_.SpeAlt1->Tekst() + QLatin1Char('\n') + invoer_.SpeAlt2->Tekst() != voor;
}

bool TBerekening::AlternatievenNaarBasis() {
    return ZetAlternatiefWaarden(UitkomstTekst(1, KolBasis), UitkomstTekst(2, KolBasis));
}

bool TBerekening::IsTeruggeschreven(int nr) const {
    const TTeruggeschreven nu{invoer_.AlternatiefKeuze(nr)->ItemIndex(),
                              invoer_.AlternatiefVeld(nr)->Tekst()};
    return nu == teruggeschreven_[static_cast<std::size_t>(nr - 1)];
}

bool TBerekening::AlternatievenNaarUitkomst() {
    // A value that itself came from the write-back stays: see teruggeschreven_.
    const QString waarde1 = IsTeruggeschreven(1) ? invoer_.SpeAlt1->Tekst() : UitkomstTekst(1, KolAlt1);
    const QString waarde2 = IsTeruggeschreven(2) ? invoer_.SpeAlt2->Tekst() : UitkomstTekst(2, KolAlt12);
    const bool anders = ZetAlternatiefWaarden(waarde1, waarde2);
    for (int nr = 1; nr <= 2; ++nr)
        teruggeschreven_[static_cast<std::size_t>(nr - 1)] = {invoer_.AlternatiefKeuze(nr)->ItemIndex(),
                                                              invoer_.AlternatiefVeld(nr)->Tekst()};
    return anders;
}

void TBerekening::CbxAlt1Change(TKeuzeInvoer* box) {
    const int item = box->ItemIndex();
    {
        // Both alternatives take the new kind, range and value first; a calculation in between
        // would compute one alternative with the kind of the other.
        const QScopedValueRollback<bool> opzet(alternatievenOpzetten_, true);
        if (box->Tag() == 1) {
            invoer_.CbxAlt2->KiesItem(item);
            SetRxSpinEdit(item, invoer_.SpeAlt1);
        }
        SetRxSpinEdit(item, invoer_.SpeAlt2);
        // The same kind in both: alternative 2 takes alternative 1's value.
        if (invoer_.CbxAlt1->ItemIndex() == invoer_.CbxAlt2->ItemIndex())
            invoer_.SpeAlt2->SetText(invoer_.SpeAlt1->Tekst());
    }
    // One calculation with both alternatives set; the value fields then show what the
    // alternatives reached, which can take one more run (the residue of "Hoeveelheid weiderest").
    if (item >= 0 && !LaadModus) TabKorvalindeChange(box);
}

void TBerekening::SpeAlt1Change() {
    if (alternatievenOpzetten_) return;
    const bool zelfde = invoer_.CbxAlt1->ItemIndex() == invoer_.CbxAlt2->ItemIndex();
    if (!invoer_.SpeAlt1->Tekst().isEmpty() && !zelfde) TabKorvalindeChange(invoer_.SpeAlt1);
    if (invoer_.CbxAlt1->ItemIndex() == invoer_.CbxAlt2->ItemIndex())
        invoer_.SpeAlt2->SetText(invoer_.SpeAlt1->Tekst());
}

void TBerekening::SpeAlt2Change() {
    if (alternatievenOpzetten_) return;
    if (!invoer_.SpeAlt2->Tekst().isEmpty()) TabKorvalindeChange(invoer_.SpeAlt2);
}

void TBerekening::StartBerekening() {
    // The alternatives of an earlier scenario play no part: both start as in a new input set.
    {
        const QScopedValueRollback<bool> opzet(alternatievenOpzetten_, true);
        invoer_.AlternatievenBeginstand();
    }
    teruggeschreven_ = {};
    ToonResultaten();
    invoer_.CbxAlt1->KiesItem(4);
    CbxAlt1Change(invoer_.CbxAlt1);
    CbxAlt1Change(invoer_.CbxAlt2);
    ToonInvoer();
}

} // namespace korvalinde
