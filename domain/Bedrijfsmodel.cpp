#include "domain/Bedrijfsmodel.h"

#include "domain/Rekenprecisie.h"

#include "domain/Algemeen.h"
#include "domain/Formaat.h"
#include "domain/Koecurven.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>

namespace korvalinde {

using Ext = long double;

namespace {

float Opslaan(Ext x) {
    return static_cast<float>(x);
}

// Weight of parity class p and lactation class k in the herd average.
Ext KlasseGewicht(const TBedrijf& b, int p, int k) {
    return static_cast<Ext>(b.Invoer.PercPar[static_cast<std::size_t>(p - 1)]) / 100.0L *
           b.Invoer.Aandeel[static_cast<std::size_t>(k - 1)] / 100.0L;
}

// Division where the model assumes a divisor that cannot be 0 in a sound scenario (at least one
// cow, a grass fill value above 0); a zero divisor ends the calculation with a clear message.
Ext Delen(Ext teller, Ext noemer, const char* wat) {
    if (noemer == 0.0L) throw RekenFout(std::string("Rekenfout: deling door nul (") + wat + ")");
    return teller / noemer;
}

// What a variant's herd takes in and gives at a relative intake, asked again at the same relative
// intake: on a large paddock it stays at 100 % for many steps.
enum Onthouden { OnthoudOpname, OnthoudMelk };

} // namespace

// ---------------------------------------------------------------------------------------------
// Cow-class values: either evaluated on every call (Direct) or once per variant (Klassen). The
// formulas that combine them are written once, for both.

struct TBedrijf::Direct {
    const TBedrijf& b;
    // Evaluates every time.
    template <class F> float Onthoud(Onthouden, float, F bereken) const { return bereken(); }
    Ext Gewicht(int p, int k) const { return KlasseGewicht(b, p, k); }
    float GemCapaciteit() const { return b.GemCapaciteit(); }
    float KlasseGrasopname(int p, int k) const { return b.KlasseGrasopname(p, k); }
    float KlasseMelk(int p, int k, float vem) const { return b.KlasseMelk(p, k, vem); }
    // The energy of the grass `vemGras` plus the concentrate of class k and the other feeds.
    float VemMetBijvoeding(int k, float vemGras) const {
        float vem = Opslaan(static_cast<Ext>(vemGras) +
                            static_cast<Ext>(b.Krachtvoer[static_cast<std::size_t>(k - 1)]) *
                                b.Voeders[VdKrachtvoer][VwVEM]);
        for (std::size_t f = 1; f < 7; ++f)
            vem = Opslaan(vem + static_cast<Ext>(b.Voeders[f][VwGift]) * b.Voeders[f][VwVEM]);
        return vem;
    }
};

// Values of the 15 cow classes that do not change between the variants of one run: intake
// capacity, energy requirement and potential FPCM (they depend on breed and calving interval only).
struct TBedrijf::KoeKlassen {
    // What the values depend on: the breed shares and the calving interval.
    std::array<float, 2> percRas{};
    std::int32_t tussenkalftijd = 0;
    float capaciteit[3][5]{};
    float vemBehoefte[3][5]{};
    float fpcm[3][5]{};

    // True when these are the values of the input record's herd (compared bit for bit, so that
    // -0 and NaN shares never pass for another herd's).
    bool Geldig(const TQXInvoer& in) const {
        return std::bit_cast<std::uint32_t>(percRas[0]) == std::bit_cast<std::uint32_t>(in.PercRas[0]) &&
               std::bit_cast<std::uint32_t>(percRas[1]) == std::bit_cast<std::uint32_t>(in.PercRas[1]) &&
               tussenkalftijd == in.Tussenkalftijd;
    }

    explicit KoeKlassen(const TBedrijf& b)
        : percRas{b.Invoer.PercRas[0], b.Invoer.PercRas[1]}, tussenkalftijd(b.Invoer.Tussenkalftijd) {
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 5; ++k) {
                const auto dag = LactatieDag[static_cast<std::size_t>(k - 1)];
                const auto pw = static_cast<Word>(p);
                capaciteit[p - 1][k - 1] = b.KlasseCapaciteit(p, k);
                fpcm[p - 1][k - 1] = FpcmKg(pw, dag, b.Drachtdagen(k));
                vemBehoefte[p - 1][k - 1] = VemBehoefteMet(pw, dag, fpcm[p - 1][k - 1]);
            }
    }
};

// Class values of one variant: the weights of the classes in the herd average, the energy of the
// concentrate and the other feeds, and the grass that fills each class's remaining capacity.
struct TBedrijf::Klassen {
    const TBedrijf& b;
    const KoeKlassen& koe;
    bool grasVwNul = false;
    Ext gewicht[3][5]{};
    Ext krachtvoerVem[5]{};
    Ext voederVem[6]{};
    // The energy terms of the feeds that are fed (not zero), in the same order.
    Ext gevoerdVem[6]{};
    int aantalGevoerd = 0;
    float grasopname[3][5]{};
    struct Laatste {
        bool bekend = false;
        std::uint32_t bits = 0;
        float waarde = 0;
    };
    mutable std::array<Laatste, 2> laatste{};

    Klassen(const TBedrijf& bedrijf, const KoeKlassen& koeKlassen) : b(bedrijf), koe(koeKlassen) {
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 5; ++k) gewicht[p - 1][k - 1] = KlasseGewicht(b, p, k);
        for (std::size_t k = 0; k < 5; ++k)
            krachtvoerVem[k] = static_cast<Ext>(b.Krachtvoer[k]) * b.Voeders[VdKrachtvoer][VwVEM];
        for (std::size_t f = 1; f < 7; ++f) {
            voederVem[f - 1] = static_cast<Ext>(b.Voeders[f][VwGift]) * b.Voeders[f][VwVEM];
            if (voederVem[f - 1] != 0.0L) gevoerdVem[aantalGevoerd++] = voederVem[f - 1];
        }
        grasVwNul = b.Invoer.Gras[GrVW] == 0.0f;
        if (grasVwNul) return;
        for (int k = 1; k <= 5; ++k) {
            const float vw = b.VwBijvoeding(k);
            for (int p = 1; p <= 3; ++p)
                grasopname[p - 1][k - 1] = b.KlasseGrasopnameUit(koe.capaciteit[p - 1][k - 1], vw);
        }
    }
    float KlasseGrasopname(int p, int k) const {
        if (grasVwNul) return b.KlasseGrasopname(p, k); // raises the division error
        return grasopname[p - 1][k - 1];
    }
    float KlasseMelk(int p, int k, float vem) const {
        return FpcmBijVemMet(koe.vemBehoefte[p - 1][k - 1], koe.fpcm[p - 1][k - 1], vem);
    }
    Ext Gewicht(int p, int k) const { return gewicht[p - 1][k - 1]; }
    // The value of `bereken` for relative intake x: the one of the last call with these very bits
    // of x (a pure function of them within the variant), otherwise computed and kept.
    template <class F> float Onthoud(Onthouden welke, float x, F bereken) const {
        Laatste& l = laatste[welke];
        const auto bits = std::bit_cast<std::uint32_t>(x);
        if (l.bekend && l.bits == bits) return l.waarde;
        const float waarde = bereken();
        l = {true, bits, waarde};
        return waarde;
    }
    // As TBedrijf::GemCapaciteit, from the capacities already known.
    float GemCapaciteit() const {
        float som = 0;
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 5; ++k)
                som = Opslaan(som + koe.capaciteit[p - 1][k - 1] * gewicht[p - 1][k - 1]);
        return som;
    }
    // As Direct::VemMetBijvoeding. A feed that is not fed adds an exact zero, which leaves the sum as
    // it is, except that +0 turns a -0 sum into +0; such a term is added only when the sum is zero.
    // While the sum is not zero only the feeds that are fed count; a sum that is or becomes zero
    // takes the full walk over all feeds again, so that its sign comes out as there.
    float VemMetBijvoeding(int k, float vemGras) const {
        const float basis = Opslaan(static_cast<Ext>(vemGras) + krachtvoerVem[k - 1]);
        float vem = basis;
        for (int j = 0; j < aantalGevoerd && vem != 0.0f; ++j) vem = Opslaan(vem + gevoerdVem[j]);
        if (vem != 0.0f) return vem;
        vem = basis;
        for (const Ext term : voederVem)
            if (term != 0.0L || vem == 0.0f) vem = Opslaan(vem + term);
        return vem;
    }
};

// ---------------------------------------------------------------------------------------------
// Regrowth and rejected areas.

float TBedrijf::GestoordeBijgroei() const {
    // In extended precision, so that no turn-in day can overflow the subtraction.
    const Ext d = static_cast<Ext>(Invoer.Inschaardag) - 90.0L;
    float dagGroei = 0;
    const char eerste = Invoer.Jaargift.empty() ? '\0' : Invoer.Jaargift.front();
    switch (eerste) {
    case '2':
        dagGroei = Opslaan(std::min(140.0L, 161.69L - 0.6715L * d));
        break;
    case '3':
        dagGroei = Opslaan(std::min(150.0L, 176.3L - 0.7015L * d));
        break;
    case '4':
        dagGroei = Opslaan(std::min(165.0L, 196.5L - 0.7702L * d));
        break;
    default:
        throw OnbekendeJaargift("Gestoorde bijgroei, onbekende jaargift: " + Invoer.Jaargift);
    }
    return Opslaan(static_cast<Ext>(dagGroei) * 0.5L / 2.0L);
}

float TBedrijf::MestflattenPerDag() const {
    return Opslaan(static_cast<Ext>(UrenWeidegang) * Invoer.AantalMestflatten *
                   static_cast<Ext>(Invoer.AantalKoeien) / 20.0L);
}

float TBedrijf::UrinelozingenPerDag() const {
    return Opslaan(static_cast<Ext>(UrenWeidegang) * Invoer.AantalUrinelozingen *
                   static_cast<Ext>(Invoer.AantalKoeien) / 20.0L);
}

float TBedrijf::OppMestPerDag() const {
    return Opslaan(static_cast<Ext>(MestflattenPerDag()) * Invoer.OppMestflat);
}

float TBedrijf::OppUrinePerDag(int i) const {
    if (i > 9) return 0.0f;
    return Opslaan(static_cast<Ext>(UrinelozingenPerDag()) * Invoer.OppUrineplek);
}

float TBedrijf::OppBevuildPerDag(int i) const {
    return Opslaan(static_cast<Ext>(OppMestPerDag()) + OppUrinePerDag(i));
}

float TBedrijf::OppMestVorigeSnede() const {
    return Opslaan(static_cast<Ext>(OppMestPerDag()) * Invoer.VorigeSnede.Dagen);
}

float TBedrijf::OppMestRest() const {
    if (Invoer.Hergroeiduur >= 60.0f) return 0.0f;
    return Opslaan(static_cast<Ext>(OppMestVorigeSnede()) *
                   (1.0L - static_cast<Ext>(Invoer.Hergroeiduur) / 60.0L));
}

float TBedrijf::OppMestCumulatief(int i) const {
    if (i < 0) return 0.0f;
    return Opslaan(static_cast<Ext>(OppMestPerDag()) * (i * 0.5L) + OppMestRest());
}

float TBedrijf::OppUrineCumulatief(int i) const {
    if (i < 0) return 0.0f;
    return Opslaan(std::min(9, i) * 0.5L * OppUrinePerDag(0));
}

// ---------------------------------------------------------------------------------------------
// Intake, substitution and milk.

std::uint16_t TBedrijf::Drachtdagen(int k) const {
    // In 64 bits and held within the range of the day count, so that no calving interval can
    // overflow or wrap around.
    const std::int64_t dag = LactatieDag[static_cast<std::size_t>(k - 1)];
    const std::int64_t dracht = dag - (static_cast<std::int64_t>(Invoer.Tussenkalftijd) - 280);
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(dracht, 0, UINT16_MAX));
}

float TBedrijf::KlasseCapaciteit(int p, int k) const {
    const float ras = Opslaan(static_cast<Ext>(Invoer.PercRas[0]) / 100.0L * 1.0L +
                              static_cast<Ext>(Invoer.PercRas[1]) / 100.0L * 0.8L);
    return OpnameCapaciteit(static_cast<Word>(p), LactatieDag[static_cast<std::size_t>(k - 1)],
                            Drachtdagen(k), ras);
}

float TBedrijf::GemCapaciteit() const {
    float som = 0;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 5; ++k) som = Opslaan(som + KlasseCapaciteit(p, k) * KlasseGewicht(*this, p, k));
    return som;
}

float TBedrijf::VwBijvoeding(int k) const {
    float som =
        Opslaan(static_cast<Ext>(Krachtvoer[static_cast<std::size_t>(k - 1)]) * Voeders[VdKrachtvoer][VwVW]);
    for (std::size_t f = 1; f < 7; ++f)
        som = Opslaan(som + static_cast<Ext>(Voeders[f][VwGift]) * Voeders[f][VwVW]);
    return som;
}

float TBedrijf::GemVwBijvoeding() const {
    float som = 0;
    for (int k = 1; k <= 5; ++k)
        som = Opslaan(som + static_cast<Ext>(VwBijvoeding(k)) *
                                Invoer.Aandeel[static_cast<std::size_t>(k - 1)] / 100.0L);
    return som;
}

float TBedrijf::KlasseGrasopnameUit(float capaciteit, float vwBijvoeding) const {
    const Ext rest = static_cast<Ext>(capaciteit) - vwBijvoeding;
    return Opslaan(std::max(0.0L, Delen(rest, Invoer.Gras[GrVW], "voederwaarde VW van het gras is 0")));
}

float TBedrijf::KlasseGrasopname(int p, int k) const {
    return KlasseGrasopnameUit(KlasseCapaciteit(p, k), VwBijvoeding(k));
}

float TBedrijf::OpnameRelatief(int i, float beschikbaar0, float biomassa0) const {
    if (beschikbaar0 <= 0.0f) return 0.0f;
    const bool omweiden = Invoer.Systeem == "OMWEID";
    if (omweiden || i <= 12) {
        const float oppPerKoe = Opslaan(
            Delen(static_cast<Ext>(PerceelOpp) * 10000.0L, Invoer.AantalKoeien, "aantal koeien is 0"));
        const float x = Opslaan(static_cast<Ext>(beschikbaar0) * oppPerKoe / 10000.0L);
        return Opslaan((1.0L - std::exp(-0.0466L * x)) * 100.0L);
    }
    if (Invoer.Systeem == "STAND") {
        float h = 0;
        if (biomassa0 > 0.0f)
            h = Opslaan(std::max(0.0L, 10.751L * std::log(static_cast<Ext>(biomassa0)) - 62.29L));
        return Opslaan((1.0L - std::exp(-0.303L * h)) * 100.0L);
    }
    return 1.0f;
}

template <class Bron>
float TBedrijf::GrasopnameMet(const Bron& bron, int i, float beschikbaar0, float biomassa0) const {
    if (beschikbaar0 <= 0.0f) return 0.0f;
    return GrasopnameUitRelatief(bron, OpnameRelatief(i, beschikbaar0, biomassa0));
}

template <class Bron> float TBedrijf::GrasopnameUitRelatief(const Bron& bron, float relatief) const {
    return bron.Onthoud(OnthoudOpname, relatief, [&] {
        const float q = Opslaan(static_cast<Ext>(relatief) / 100.0L * 1.1L);
        float som = 0;
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 5; ++k)
                som = Opslaan(som + static_cast<Ext>(bron.KlasseGrasopname(p, k)) * (bron.Gewicht(p, k) * q));
        return som;
    });
}

float TBedrijf::Grasopname(int i, float beschikbaar0, float biomassa0) const {
    return GrasopnameMet(Direct{*this}, i, beschikbaar0, biomassa0);
}

float TBedrijf::KlasseMelk(int p, int k, float vem) const {
    return FpcmBijVem(static_cast<Word>(p), LactatieDag[static_cast<std::size_t>(k - 1)], Drachtdagen(k),
                      vem);
}

template <class Bron> float TBedrijf::MelkproductieMet(const Bron& bron, float x) const {
    return bron.Onthoud(OnthoudMelk, x, [&] {
        float som = 0;
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 5; ++k) {
                const float g = Opslaan(static_cast<Ext>(bron.KlasseGrasopname(p, k)) * x / 100.0L);
                const float vem = bron.VemMetBijvoeding(k, Opslaan(static_cast<Ext>(g) * Invoer.Gras[GrVEM]));
                som = Opslaan(som + bron.Gewicht(p, k) * bron.KlasseMelk(p, k, vem));
            }
        return som;
    });
}

float TBedrijf::Melkproductie(float x) const {
    return MelkproductieMet(Direct{*this}, x);
}

float TBedrijf::AanbodPerKoe(long double x) const {
    return Opslaan(VeiligDelen(x, VeiligDelen(Invoer.AantalKoeien, PerceelOpp)));
}

// ---------------------------------------------------------------------------------------------
// The sward recursion. One step at a time; DagToestand(n) and the incremental run use the same
// code, so they give the same numbers.

template <class Bron> class Stapper {
  public:
    Stapper(const TBedrijf& b, const Bron& bron) : b_(b), bron_(bron) {
        t_.Biomassa5 = b.Grasaanbod;
        t_.Biomassa0 = Opslaan(static_cast<Ext>(b.Grasaanbod) + b.Invoer.Biomassa05);
        const float f0 = Opslaan(VeiligDelen(static_cast<Ext>(b.OppMestRest()) / 10000.0L, b.PerceelOpp));
        t_.Beschikbaar5 = Opslaan(static_cast<Ext>(t_.Biomassa5) - b.Invoer.VorigeSnede.Rest -
                                  static_cast<Ext>(f0) * t_.Biomassa5);
        t_.Beschikbaar0 = Opslaan(static_cast<Ext>(t_.Biomassa0) - b.Invoer.VorigeSnede.Rest -
                                  static_cast<Ext>(f0) * t_.Biomassa0);
    }

    // Advances from step i - 1 to step i.
    void Stap(int i) {
        if (gestopt_) return;
        const float r =
            Opslaan(VeiligDelen(static_cast<Ext>(b_.OppBevuildPerDag(i)) / 10000.0L * 0.5L, b_.PerceelOpp));
        m_ = Opslaan(std::min(static_cast<Ext>(m_) + r, 1.0L));
        const float g = b_.GestoordeBijgroei();
        t_.Biomassa0 = Opslaan(static_cast<Ext>(t_.Biomassa0) - e_ + g);
        t_.Biomassa5 = Opslaan(static_cast<Ext>(t_.Biomassa5) - e_ + g);
        t_.Beschikbaar0 = Opslaan(static_cast<Ext>(t_.Beschikbaar0) - e_ + static_cast<Ext>(g) * (1.0L - m_) -
                                  static_cast<Ext>(r) * t_.Biomassa0);
        t_.Beschikbaar5 = Opslaan(static_cast<Ext>(t_.Beschikbaar5) - e_ + static_cast<Ext>(g) * (1.0L - m_) -
                                  static_cast<Ext>(r) * t_.Biomassa5);
        relatief_ = b_.OpnameRelatief(i, t_.Beschikbaar0, t_.Biomassa0);
        opname_ = t_.Beschikbaar0 <= 0.0f ? 0.0f : b_.GrasopnameUitRelatief(bron_, relatief_);
        e_ = Opslaan(static_cast<Ext>(opname_) / 2.0L * VeiligDelen(b_.Invoer.AantalKoeien, b_.PerceelOpp));
        if (t_.Beschikbaar0 < 0.0f) gestopt_ = true;
    }

    const RecDagToestand& Toestand() const { return t_; }
    // Relative intake and grass intake of the current state (after at least one step).
    float Relatief() const { return relatief_; }
    float Opname() const { return opname_; }

  private:
    const TBedrijf& b_;
    const Bron& bron_;
    RecDagToestand t_;
    float m_ = 0; // fraction of the paddock rejected around new dung and urine
    float e_ = 0; // grass eaten in the previous half day, kg DM/ha
    float relatief_ = 0;
    float opname_ = 0;
    bool gestopt_ = false;
};

RecDagToestand TBedrijf::DagToestand(int n) const {
    const Direct bron{*this};
    Stapper<Direct> stapper(*this, bron);
    for (int i = 1; i <= n; ++i) stapper.Stap(i);
    return stapper.Toestand();
}

// ---------------------------------------------------------------------------------------------
// Preparing a variant.

void TBedrijf::BereidVariantVoor(const TQXInvoer& in, int v) {
    Invoer = in;
    UrenWeidegang = in.UrenWeidegang;
    PerceelOpp = in.PerceelOpp;
    Grasaanbod = in.Grasaanbod;
    Voeders = in.Voeders;

    if (v >= 1) {
        // Extra maize or grass silage shortens the grazing hours: 1.28 hours per kg DM.
        float delta = 0;
        for (const auto& [soort, rij] :
             {std::pair{AltSnijmais, VdSnijmais}, std::pair{AltGraskuil, VdGraskuil}}) {
            const RecAlternatief* laatste = nullptr;
            for (int j = 0; j < v; ++j)
                if (in.Alternatief[static_cast<std::size_t>(j)].Soort == soort)
                    laatste = &in.Alternatief[static_cast<std::size_t>(j)];
            if (laatste)
                delta = Opslaan(static_cast<Ext>(delta) +
                                (static_cast<Ext>(laatste->Waarde) - in.Voeders[rij][VwGift]));
        }
        const Ext uren = std::max(1.0L, std::min(20.0L, static_cast<Ext>(UrenWeidegang) - 1.28L * delta));
        UrenWeidegang = static_cast<std::int32_t>(Round(uren));

        for (int j = 0; j < v; ++j) {
            const RecAlternatief& alt = in.Alternatief[static_cast<std::size_t>(j)];
            switch (alt.Soort) {
            case AltOppervlakte:
                PerceelOpp = alt.Waarde;
                break;
            case AltAanbod:
                Grasaanbod = alt.Waarde;
                break;
            case AltSnijmais:
                Voeders[VdSnijmais][VwGift] = alt.Waarde;
                break;
            case AltGraskuil:
                Voeders[VdGraskuil][VwGift] = alt.Waarde;
                break;
            case AltKrachtvoer:
                Voeders[VdKrachtvoer][VwGift] = alt.Waarde;
                break;
            default:
                break;
            }
        }
    }

    // The classes keep the proportions of the concentrate grid; the herd average equals the gift.
    float s = 0;
    for (std::size_t k = 0; k < 5; ++k)
        s = Opslaan(s + static_cast<Ext>(in.Aandeel[k]) / 100.0L * in.KrachtvoerKlasse[k]);
    const float factor = Opslaan(VeiligDelen(Voeders[VdKrachtvoer][VwGift], s));
    for (std::size_t k = 0; k < 5; ++k)
        Krachtvoer[k] = Opslaan(static_cast<Ext>(in.KrachtvoerKlasse[k]) * factor);
}

// ---------------------------------------------------------------------------------------------
// The run over the three variants.

namespace {

// A value that is not a number ends the calculation instead of showing nonsense.
template <class Getal> void ControleerGetal(Getal waarde) {
    if (!std::isfinite(waarde)) throw RekenFout("Rekenfout: de uitkomst is geen getal");
}

// The patterns are "0", "0.0" and "0.00": the number of decimals is the length after "0.".
int Decimalen(std::string_view patroon) {
    return patroon.size() > 2 ? static_cast<int>(patroon.size()) - 2 : 0;
}

// Writes a result text.
void Schrijf(std::string& cel, std::string_view patroon, Ext waarde) {
    ControleerGetal(waarde);
    FormatVast(Decimalen(patroon), waarde, cel);
}

// A value stored as float takes the quicker route for the same text.
void Schrijf(std::string& cel, std::string_view patroon, float waarde) {
    ControleerGetal(waarde);
    FormatVastFloat(Decimalen(patroon), waarde, cel);
}

// A detail text of a step: written when the run keeps the details, otherwise only checked, so that
// a run without them stops at the same value with the same error.
template <bool MetDetail>
void SchrijfDetail(TQXUitvoer* detail, TQXUitvoer::Detail TQXUitvoer::*veld, std::size_t v, std::size_t stap,
                   std::string_view patroon, float waarde) {
    if constexpr (MetDetail)
        Schrijf((detail->*veld)[v][stap], patroon, waarde);
    else
        ControleerGetal(waarde);
}

} // namespace

// Per-step intake and milk of one variant; the incremental run remembers what it computed for the
// detail texts so that the summary does not evaluate it again.
template <class Bron> struct Uitkomsten {
    const TBedrijf& b;
    const Bron& bron;
    const std::array<RecDagToestand, AantalStappen + 1>& toestand;
    bool onthouden;
    std::array<bool, AantalStappen + 1> bekend{};
    std::array<float, AantalStappen + 1> relatief{}, opname{}, melk{};

    float Relatief(int i) {
        if (onthouden && bekend[static_cast<std::size_t>(i)]) return relatief[static_cast<std::size_t>(i)];
        const auto& t = toestand[static_cast<std::size_t>(i)];
        return b.OpnameRelatief(i, t.Beschikbaar0, t.Biomassa0);
    }
    float Opname(int i) {
        if (onthouden && bekend[static_cast<std::size_t>(i)]) return opname[static_cast<std::size_t>(i)];
        const auto& t = toestand[static_cast<std::size_t>(i)];
        return b.GrasopnameMet(bron, i, t.Beschikbaar0, t.Biomassa0);
    }
    float Melk(int i) {
        if (onthouden && bekend[static_cast<std::size_t>(i)]) return melk[static_cast<std::size_t>(i)];
        return b.MelkproductieMet(bron, Relatief(i));
    }
    void Onthoud(int i, float r, float o, float m) {
        const auto n = static_cast<std::size_t>(i);
        relatief[n] = r, opname[n] = o, melk[n] = m, bekend[n] = onthouden;
    }
};

template <bool VanafInscharen, bool MetDetail>
void TBedrijf::BerekenVariant(const TQXInvoer& invoer, int v, TQXUitvoer* detail,
                              TSamenvatting& samenvatting) {
    // 1. The model's fields for this variant.
    BereidVariantVoor(invoer, v);
    if (!(PerceelOpp > 0.0f)) return;
    if (!VanafInscharen && !koeKlassen_) koeKlassen_ = std::make_shared<const KoeKlassen>(*this);

    using Bron = std::conditional_t<VanafInscharen, Direct, Klassen>;
    const Bron bron = [&] {
        if constexpr (VanafInscharen)
            return Direct{*this};
        else
            return Klassen(*this, *koeKlassen_);
    }();
    Toestanden toestand{};
    Uitkomsten<Bron> u{*this, bron, toestand, !VanafInscharen};
    BerekenStappen<VanafInscharen, MetDetail>(bron, v, toestand, u, detail);
    const float dagen = Weidedagen(invoer, v, toestand, u);
    SchrijfSamenvatting(bron, v, dagen, toestand, u, samenvatting);
}

// 2. The steps, with the detail texts of every step reached when the run keeps them.
template <bool VanafInscharen, bool MetDetail, class Bron>
void TBedrijf::BerekenStappen(const Bron& bron, int v, Toestanden& toestand, Uitkomsten<Bron>& u,
                              TQXUitvoer* detail) const {
    const auto vi = static_cast<std::size_t>(v);
    Stapper<Bron> stapper(*this, bron);
    float huidigBeschikbaar0 = 0;
    for (int i = 0; i <= AantalStappen && huidigBeschikbaar0 >= 0.0f; ++i) {
        RecDagToestand t;
        if constexpr (VanafInscharen) {
            t = DagToestand(i);
        } else {
            if (i > 0) stapper.Stap(i);
            t = stapper.Toestand();
        }
        const auto si = static_cast<std::size_t>(i);
        toestand[si] = t;
        huidigBeschikbaar0 = t.Beschikbaar0;

        SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arBiomassa0, vi, si, "0", t.Biomassa0);
        SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arBiomassa5, vi, si, "0", t.Biomassa5);
        SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arBeschikbaar0, vi, si, "0", t.Beschikbaar0);
        SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arBeschikbaar5, vi, si, "0", t.Beschikbaar5);
        SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arBijgroei, vi, si, "0", GestoordeBijgroei());
        SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arAanbodKoe, vi, si, "0.0",
                                 AanbodPerKoe(t.Beschikbaar0));
        if (i >= 1) {
            float r = 0, o = 0;
            if constexpr (VanafInscharen) {
                r = OpnameRelatief(i, t.Beschikbaar0, t.Biomassa0);
                o = GrasopnameMet(bron, i, t.Beschikbaar0, t.Biomassa0);
            } else {
                r = stapper.Relatief();
                o = stapper.Opname();
            }
            SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arOpnameRel, vi, si, "0.0", r);
            SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arOpname, vi, si, "0.0", o);
            SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arMestCum, vi, si, "0", OppMestCumulatief(i));
            SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arUrineCum, vi, si, "0", OppUrineCumulatief(i));
            const float m = MelkproductieMet(bron, r);
            SchrijfDetail<MetDetail>(detail, &TQXUitvoer::arMelk, vi, si, "0.0", m);
            u.Onthoud(i, r, o, m);
        }
    }
}

// 3. The length of the grazing period: the variant's own alternative may fix it or set the
// residue that ends it; otherwise the walk over the steps decides.
template <class Bron>
float TBedrijf::Weidedagen(const TQXInvoer& invoer, int v, const Toestanden& toestand,
                           Uitkomsten<Bron>& u) const {
    const RecAlternatief* eigen = v >= 1 ? &invoer.Alternatief[static_cast<std::size_t>(v) - 1] : nullptr;
    if (eigen && eigen->Soort == AltWeidedagen) return eigen->Waarde;
    float dagen = 0;
    const float doelRest = (eigen && eigen->Soort == AltWeiderest) ? eigen->Waarde : 0.0f;
    bool beeindigd = false;
    for (int i = 1; i <= AantalStappen && !beeindigd; ++i) {
        const auto& t = toestand[static_cast<std::size_t>(i)];
        const bool goed =
            t.Beschikbaar5 > 0.0f && u.Opname(i) > 0.0f &&
            std::nearbyint(static_cast<Ext>(t.Biomassa5)) >= std::nearbyint(static_cast<Ext>(doelRest));
        if (goed)
            dagen = Opslaan((i - 1) * 0.5L);
        else
            beeindigd = true;
    }
    return dagen;
}

// 4. The summary column of this variant. N is the last step counted in the averages.
template <class Bron>
void TBedrijf::SchrijfSamenvatting(const Bron& bron, int v, float dagen, const Toestanden& toestand,
                                   Uitkomsten<Bron>& u, TSamenvatting& samenvatting) const {
    const Ext tweeD = std::nearbyint(2.0L * dagen);
    const int n = std::isnan(tweeD) ? 0 : static_cast<int>(std::clamp(tweeD, 0.0L, 59.0L));
    float somOpname = 0, somMelk = 0, somTotaal = 0;
    float somBijvoeding = 0;
    for (std::size_t f = 0; f < 7; ++f)
        somBijvoeding = Opslaan(somBijvoeding + static_cast<Ext>(Voeders[f][VwGift]));
    for (int i = 1; i <= n; ++i) {
        const float opname = u.Opname(i);
        somOpname = Opslaan(somOpname + static_cast<Ext>(opname));
        somTotaal = Opslaan(somTotaal + (static_cast<Ext>(opname) + somBijvoeding));
        somMelk = Opslaan(somMelk + static_cast<Ext>(u.Melk(i)));
    }
    const float opname1 = u.Opname(1);
    const float opnameN = u.Opname(n);
    const float melk1 = u.Melk(1);
    const float melkN = u.Melk(n);
    const float bijgroei = GestoordeBijgroei();

    auto& kolom = samenvatting[KolBasis + static_cast<std::size_t>(v)];
    Schrijf(kolom[RijWeidedagen], "0.0", dagen);
    Schrijf(kolom[RijOppervlakte], "0.0", PerceelOpp);
    Schrijf(kolom[RijWeiderest], "0", toestand[static_cast<std::size_t>(n) + 1].Biomassa5);
    Schrijf(kolom[RijAanbodInscharen], "0", Grasaanbod);
    Schrijf(kolom[RijAanbodKoe], "0",
            Delen(toestand[0].Beschikbaar5, static_cast<Ext>(Invoer.AantalKoeien) / PerceelOpp,
                  "aantal koeien is 0"));
    Schrijf(kolom[RijGemOpname], "0.0", VeiligDelen(somOpname, n));
    Schrijf(kolom[RijOpnameDag1], "0.0", opname1);
    Schrijf(kolom[RijOpnameLaatsteDag], "0.0", opnameN);
    Schrijf(kolom[RijAfnameOpname], "0.0", (1.0L - VeiligDelen(opnameN, opname1)) * 100.0L);
    Schrijf(kolom[RijBenutting], "0",
            VeiligDelen(static_cast<Ext>(somOpname) * Invoer.AantalKoeien / PerceelOpp / 2.0L,
                        static_cast<Ext>(toestand[0].Biomassa5) + n * static_cast<Ext>(bijgroei)) *
                100.0L);
    Schrijf(kolom[RijSnijmais], "0.0", Voeders[VdSnijmais][VwGift]);
    Schrijf(kolom[RijGraskuil], "0.0", Voeders[VdGraskuil][VwGift]);
    Schrijf(kolom[RijKrachtvoer], "0.00", Voeders[VdKrachtvoer][VwGift]);
    const float gemVw = GemVwBijvoeding();
    Schrijf(kolom[RijVerdrongenGras], "0.0", VeiligDelen(gemVw, Invoer.Gras[GrVW]));
    Schrijf(kolom[RijVerdringing], "0", VeiligDelen(gemVw, bron.GemCapaciteit()) * 100.0L);
    Schrijf(kolom[RijTotaleOpname], "0.0", VeiligDelen(somTotaal, n));
    Schrijf(kolom[RijMelkgift], "0.0", VeiligDelen(somMelk, n));
    Schrijf(kolom[RijMelkgiftDag1], "0.0", melk1);
    Schrijf(kolom[RijMelkgiftLaatsteDag], "0.0", melkN);
    Schrijf(kolom[RijAfnameMelkgift], "0.0", static_cast<Ext>(melk1) - melkN);
}

template <bool VanafInscharen, bool MetDetail>
void TBedrijf::BerekenAlles(const TQXInvoer& invoer, TQXUitvoer* detail, TSamenvatting& samenvatting) {
    VolleRekenprecisie();
    if (koeKlassen_ && !koeKlassen_->Geldig(invoer)) koeKlassen_.reset();
    for (int v = 0; v < AantalVarianten; ++v)
        BerekenVariant<VanafInscharen, MetDetail>(invoer, v, detail, samenvatting);
}

void TBedrijf::Bereken(const TQXInvoer& invoer, TQXUitvoer& uitvoer) {
    BerekenAlles<false, true>(invoer, &uitvoer, uitvoer.arsam);
}

void TBedrijf::BerekenSamenvatting(const TQXInvoer& invoer, TSamenvatting& samenvatting) {
    BerekenAlles<false, false>(invoer, nullptr, samenvatting);
}

void TBedrijf::BerekenVanafInscharen(const TQXInvoer& invoer, TQXUitvoer& uitvoer) {
    BerekenAlles<true, true>(invoer, &uitvoer, uitvoer.arsam);
}

} // namespace korvalinde
