// The farm model: one herd grazing one paddock during one grazing period, simulated in half-day
// steps from turn-in for the base situation and two alternatives.
#pragma once

#include "domain/Records.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

namespace korvalinde {

// The model computes in long double and its result texts are rounded from those values: with a
// 64-bit long double (MSVC, ARM) other digits would come out, without any error. So the model builds
// only where long double is the 80-bit x87 extended type.
static_assert(std::numeric_limits<long double>::digits == 64,
              "Het bedrijfsmodel rekent in long double en zijn uitkomstteksten hangen af van het 80-bits "
              "extended type (64 bits mantisse). Bouw met GCC, Clang of MinGW op x86-64; MSVC en ARM "
              "(ook Apple silicon) hebben een 64-bits long double en zouden andere teksten geven.");

template <class Bron> struct Uitkomsten;

// Raised when the annual nitrogen text is not one the regrowth lines know.
class OnbekendeJaargift : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Lactation day that represents each lactation class in the cow curves.
inline constexpr std::array<std::uint16_t, 5> LactatieDag{30, 90, 160, 260, 320};

class TBedrijf {
  public:
    // The input record of the run, as entered: the herd, the paddock, the previous cut, the grass
    // and the dung and urine figures. The alternatives never change it.
    TQXInvoer Invoer;
    // What a variant makes of it: the values the alternatives change (grazing hours, paddock area,
    // grass on offer, the feeds' gifts) and the concentrate of each lactation class (0-based).
    std::int32_t UrenWeidegang = 0;
    float PerceelOpp = 0;
    float Grasaanbod = 0;
    std::array<float, 5> Krachtvoer{};
    std::array<std::array<float, 7>, 7> Voeders{};

    // Computes the three variants of the input record and writes every result as text into
    // `uitvoer` (which the caller has emptied). Steps incrementally through the grazing period.
    // May raise OnbekendeJaargift or RekenFout; what was written before the error stays.
    void Bereken(const TQXInvoer& invoer, TQXUitvoer& uitvoer);

    // Only the summary columns of Bereken, the same texts; the detail texts of the steps stay
    // empty. Computes everything Bereken computes, so it raises the same errors at the same point:
    // for sweeps and goal seeks, which show the summary only.
    void BerekenSamenvatting(const TQXInvoer& invoer, TSamenvatting& samenvatting);

    // The same results, computed the plain way: every state again from turn-in with DagToestand
    // and every cow-class value evaluated afresh. Kept as the reference for Bereken.
    void BerekenVanafInscharen(const TQXInvoer& invoer, TQXUitvoer& uitvoer);

    // Prepares variant v (0 base, 1 alternative 1, 2 alternative 1+2): keeps the input record,
    // applies the alternatives to the variant's values and distributes the concentrate over the
    // classes.
    void BereidVariantVoor(const TQXInvoer& invoer, int v);

    // Sward state after n half-day steps from turn-in (n = 0..60); a pure function of the fields.
    RecDagToestand DagToestand(int n) const;

    // Grazeable biomass x (kg DM/ha) as kg DM per cow.
    float AanbodPerKoe(long double x) const;

    // Regrowth and rejected areas.
    float GestoordeBijgroei() const;
    float MestflattenPerDag() const;
    float UrinelozingenPerDag() const;
    float OppMestPerDag() const;
    float OppUrinePerDag(int i) const;
    float OppBevuildPerDag(int i) const;
    float OppMestVorigeSnede() const;
    float OppMestRest() const;
    float OppMestCumulatief(int i) const;
    float OppUrineCumulatief(int i) const;

    // Intake, substitution and milk; p is the parity class 1..3, k the lactation class 1..5.
    float KlasseCapaciteit(int p, int k) const;
    float GemCapaciteit() const;
    float VwBijvoeding(int k) const;
    float GemVwBijvoeding() const;
    float KlasseGrasopname(int p, int k) const;
    float OpnameRelatief(int i, float beschikbaar0, float biomassa0) const;
    float Grasopname(int i, float beschikbaar0, float biomassa0) const;
    float KlasseMelk(int p, int k, float vem) const;
    float Melkproductie(float x) const;

    // Days pregnant of lactation class k.
    std::uint16_t Drachtdagen(int k) const;

  private:
    template <class Bron> friend class Stapper;
    template <class Bron> friend struct Uitkomsten;
    struct Direct;
    struct KoeKlassen;
    struct Klassen;

    // The cow classes of the last run (they depend on the breed shares and the calving interval
    // only), kept for the next run of the same herd: a sweep over the paddock or the feeding
    // computes them once.
    std::shared_ptr<const KoeKlassen> koeKlassen_;

    float KlasseGrasopnameUit(float capaciteit, float vwBijvoeding) const;
    template <class Bron> float GrasopnameUitRelatief(const Bron& bron, float relatief) const;
    template <class Bron>
    float GrasopnameMet(const Bron& bron, int i, float beschikbaar0, float biomassa0) const;
    template <class Bron> float MelkproductieMet(const Bron& bron, float x) const;
    // The run; the detail texts go into `detail` when MetDetail, the summary into `samenvatting`.
    template <bool VanafInscharen, bool MetDetail>
    void BerekenAlles(const TQXInvoer& invoer, TQXUitvoer* detail, TSamenvatting& samenvatting);
    template <bool VanafInscharen, bool MetDetail>
    void BerekenVariant(const TQXInvoer& invoer, int v, TQXUitvoer* detail, TSamenvatting& samenvatting);
    // The steps of one variant: the states, their detail texts, and intake and milk per step.
    using Toestanden = std::array<RecDagToestand, AantalStappen + 1>;
    template <bool VanafInscharen, bool MetDetail, class Bron>
    void BerekenStappen(const Bron& bron, int v, Toestanden& toestand, Uitkomsten<Bron>& u,
                        TQXUitvoer* detail) const;
    // The length of the grazing period of variant v in days.
    template <class Bron>
    float Weidedagen(const TQXInvoer& invoer, int v, const Toestanden& toestand, Uitkomsten<Bron>& u) const;
    // The summary column of variant v.
    template <class Bron>
    void SchrijfSamenvatting(const Bron& bron, int v, float dagen, const Toestanden& toestand,
                             Uitkomsten<Bron>& u, TSamenvatting& samenvatting) const;
};

} // namespace korvalinde
