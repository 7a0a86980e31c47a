#include "report/GrafiekOpbouw.h"

#include "domain/Algemeen.h"

#include <algorithm>
#include <cmath>

namespace korvalinde {

const std::array<TGrafiekSoort, GrafiekAantal>& GrafiekSoorten() {
    static const std::array<TGrafiekSoort, GrafiekAantal> soorten{{
        {QStringLiteral("Grasaanbod en biomassa"), DetBiomassa5, DetAanbod0, TGrafiekVorm::Lijnen, 200,
         QStringLiteral("kg ds/ha"), 4, 0, 0, true},
        {QStringLiteral("Grasaanbod boven 5 cm"), DetBiomassa5, DetAanbod0, TGrafiekVorm::Vlakken, 200,
         QStringLiteral("kg ds/ha"), 4, DetBiomassa5, DetAanbod5, true},
        {QStringLiteral("Grasaanbod boven maaiveld"), DetBiomassa5, DetAanbod0, TGrafiekVorm::Vlakken, 200,
         QStringLiteral("kg ds/ha"), 4, DetBiomassa0, DetAanbod0, false},
        {QStringLiteral("Relatieve grasopname"), DetOpnameRel, DetOpnameRel, TGrafiekVorm::Lijnen, 10,
         QStringLiteral("%"), 4},
        {QStringLiteral("Grasopname per koe"), DetOpname, DetOpname, TGrafiekVorm::Lijnen, 5,
         QStringLiteral("kg ds"), 4},
        {QStringLiteral("Vervuild oppervlak"), DetMestCum, DetUrineCum, TGrafiekVorm::GestapeldeVlakken, 1000,
         QStringLiteral("m2"), 4},
        {QStringLiteral("Melkproductie (FPCM)"), DetMelk, DetMelk, TGrafiekVorm::Lijnen, 5,
         QStringLiteral("kg/koe"), 4},
    }};
    return soorten;
}

QStringList GrafiekVariantNamen() {
    return {QStringLiteral("Basis"), QStringLiteral("Alt 1"), QStringLiteral("Alt 1+2")};
}

quint32 VariantKleur(TSerieIndex serie, int variant) {
    // Per series three shades of one hue, from dark (Basis) to light (Alt 1+2); the light yellow of the
    // fouled total becomes amber, which still shows as a line on white.
    static constexpr quint32 kleuren[SerieAantal][GrafiekAantalVarianten] = {
        {Rgb(176, 112, 0), Rgb(224, 152, 0), Rgb(246, 196, 64)},   // AreaSerie1: amber
        {Rgb(110, 50, 0), Rgb(160, 90, 40), Rgb(204, 140, 96)},    // AreaSerie2: brown
        {Rgb(0, 0, 128), Rgb(40, 90, 220), Rgb(120, 160, 255)},    // LineSerie1: navy to blue
        {Rgb(0, 100, 0), Rgb(30, 160, 30), Rgb(120, 210, 110)},    // LineSerie2: green
        {Rgb(0, 120, 130), Rgb(0, 180, 190), Rgb(90, 220, 230)},   // LineSerie3: aqua
        {Rgb(120, 0, 120), Rgb(180, 60, 180), Rgb(225, 140, 225)}, // LineSerie4: purple
        {Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)},                // Nullijn
    };
    if (serie < 0 || serie >= SerieAantal) serie = Nullijn;
    return kleuren[serie][std::clamp(variant, 0, GrafiekAantalVarianten - 1)];
}

QString GrafiekOnderschrift(const TGrafiekBeschrijving& b) {
    if (b.grafiek < 1 || b.grafiek > GrafiekAantal) return QString();
    const QStringList namen = GrafiekVariantNamen();
    const QString varianten = b.variant == GrafiekAlleVarianten ? namen[0] + QStringLiteral(", ") + namen[1] +
                                                                      QStringLiteral(" en ") + namen[2]
                                                                : namen.value(b.variant, namen[0]);
    return GrafiekSoorten()[b.grafiek - 1].item + QStringLiteral(" (") + varianten + QLatin1Char(')');
}

QStringList GrafiekItems() {
    QStringList items;
    for (const TGrafiekSoort& soort : GrafiekSoorten()) items << soort.item;
    return items;
}

std::array<TGrafiekSerie, SerieAantal> LegeSeries() {
    std::array<TGrafiekSerie, SerieAantal> series;
    auto zet = [&](TSerieIndex i, const char* naam, TSerieSoort soort, quint32 kleur, int dikte) {
        series[i].naam = QString::fromLatin1(naam);
        series[i].soort = soort;
        series[i].kleur = kleur;
        series[i].lijnDikte = dikte;
    };
    zet(AreaSerie1, "AreaSerie1", TSerieSoort::Vlak, Rgb(255, 255, 128), 0);
    zet(AreaSerie2, "AreaSerie2", TSerieSoort::Vlak, Rgb(128, 64, 0), 0);
    zet(LineSerie1, "LineSerie1", TSerieSoort::Lijn, Rgb(0, 0, 128), 2);   // navy
    zet(LineSerie2, "LineSerie2", TSerieSoort::Lijn, Rgb(0, 128, 0), 2);   // green
    zet(LineSerie3, "LineSerie3", TSerieSoort::Lijn, Rgb(0, 255, 255), 2); // aqua
    zet(LineSerie4, "LineSerie4", TSerieSoort::Lijn, Rgb(128, 255, 128), 2);
    zet(Nullijn, "Nullijn", TSerieSoort::Lijn, Rgb(0, 0, 0), 2);
    return series;
}

double AsMinimum(double laagste, double stap, bool magNegatief) {
    if (!magNegatief || stap <= 0) return 0;
    const double stappen = std::trunc(laagste / stap);
    return (laagste < 0 ? stappen - 1 : stappen) * stap;
}

double AsMaximum(double hoogste, double stap) {
    if (stap <= 0) return 0;
    const double stappen = std::trunc(hoogste / stap);
    return (hoogste > 0 ? stappen + 1 : stappen) * stap;
}

namespace {

constexpr int Vakken = 4; // a chart reads at most four columns

// Working store of one rebuild: [variant][slot 1..4, index 0 unused][half day].
using TWaarden =
    std::array<std::array<std::array<float, GrafiekLaatsteHalveDag + 1>, Vakken + 1>, GrafiekAantalVarianten>;

QString CelTekst(const TDetailTabellen& tabellen, int variant, int kolom, int rij) {
    return tabellen.Cel ? tabellen.Cel(variant, kolom, rij) : QString();
}

// Title of a column's series: qualifier, one blank, quantity ("> 5 cm Biomassa"). The header rows of the
// last table are copies of those of the first.
QString KolomTitel(const TDetailTabellen& tabellen, int kolom) {
    return CelTekst(tabellen, 2, kolom, 1) + QLatin1Char(' ') + CelTekst(tabellen, 2, kolom, 0);
}

} // namespace

namespace {

// Every variant read back from its table; empty cells stay 0, as do cells without a number. Fills the
// half-day fields and the count of unreadable cells of `b`.
TWaarden LeesWaarden(const TDetailTabellen& tabellen, const TGrafiekSoort& soort, TGrafiekBeschrijving& b,
                     std::array<bool, GrafiekAantalVarianten>& heeftWaarden) {
    TWaarden waarden{};
    for (int a = 0; a < GrafiekAantalVarianten; ++a) {
        for (int kolom = soort.eersteKolom; kolom <= soort.laatsteKolom; ++kolom) {
            const int vak = kolom - soort.eersteKolom + 1;
            for (int c = 0; c <= GrafiekLaatsteHalveDag; ++c) {
                const QString tekst = CelTekst(tabellen, a, kolom, c + DetKopRijen).trimmed();
                if (tekst.isEmpty()) continue;
                long double getal = 0;
                if (!LeesGetal(tekst.toStdString(), getal)) {
                    ++b.ongeldigeCellen;
                    continue;
                }
                const float waarde = static_cast<float>(getal);
                waarden[a][vak][c] += waarde;
                heeftWaarden[a] = true;
                b.hoogsteHalveDag = std::max(b.hoogsteHalveDag, c);
                b.laatsteHalveDag[a] = c;
                if (soort.vorm == TGrafiekVorm::GestapeldeVlakken) waarden[a][3][c] += waarde;
            }
        }
    }
    return waarden;
}

// The axes: the value range common to the three variants, so that the axis does not jump with the
// variant. The area charts of supply count only the two columns they draw; the fouled area counts its
// total.
void ZetAssen(const TGrafiekSoort& soort, const TWaarden& waarden, TGrafiekBeschrijving& b) {
    const int vakken = soort.laatsteKolom - soort.eersteKolom + 1;
    double laagste = 0;
    double hoogste = 0;
    for (int a = 0; a < GrafiekAantalVarianten; ++a) {
        for (int vak = 1; vak <= vakken; ++vak) {
            const int kolom = soort.eersteKolom + vak - 1;
            for (int c = 0; c <= b.hoogsteHalveDag; ++c) {
                double p = waarden[a][vak][c];
                if (soort.vorm == TGrafiekVorm::Vlakken && kolom != soort.achterKolom &&
                    kolom != soort.voorKolom)
                    p = 0;
                if (soort.vorm == TGrafiekVorm::GestapeldeVlakken) p = waarden[a][3][c];
                laagste = std::min(laagste, p);
                hoogste = std::max(hoogste, p);
            }
        }
    }

    b.assenGezet = true;
    b.waardeAs.stap = soort.stap;
    b.waardeAs.minimum = AsMinimum(laagste, soort.stap, soort.magNegatief);
    b.waardeAs.maximum = AsMaximum(hoogste, soort.stap);
    b.waardeAs.tussenstreepjes = soort.tussenstreepjes;
    b.waardeAs.titel = soort.asTitel;
    b.halveDagAs.stap = 1;
    b.halveDagAs.automatischMinimum = true;
    b.halveDagAs.maximum = b.hoogsteHalveDag;
    b.halveDagAs.titel = QStringLiteral("Halve weidedagen");
}

// The series of variant v, up to its own last half day (the zero line up to `laatsteNul`).
std::array<TGrafiekSerie, SerieAantal> SeriesVan(const TDetailTabellen& tabellen, const TGrafiekSoort& soort,
                                                 const TWaarden& waarden, const TGrafiekBeschrijving& b,
                                                 int v, int laatsteNul) {
    std::array<TGrafiekSerie, SerieAantal> series = LegeSeries();
    const int laatste = b.laatsteHalveDag[v];
    const auto& w = waarden[v];
    auto vul = [&](TSerieIndex serie, int kolom, int vanaf, auto waarde) {
        TGrafiekSerie& s = series[serie];
        s.inLegenda = true;
        s.titel = KolomTitel(tabellen, kolom);
        for (int c = vanaf; c <= laatste; ++c) s.punten.append(QPointF(c, waarde(c)));
    };
    auto nullijn = [&](int vanaf) {
        for (int c = vanaf; c <= laatsteNul; ++c) series[Nullijn].punten.append(QPointF(c, 0));
    };
    switch (soort.vorm) {
    case TGrafiekVorm::Vlakken: {
        const int achter = soort.achterKolom - soort.eersteKolom + 1;
        const int voor = soort.voorKolom - soort.eersteKolom + 1;
        vul(AreaSerie1, soort.achterKolom, 0, [&](int c) { return w[achter][c]; });
        vul(AreaSerie2, soort.voorKolom, 0, [&](int c) { return w[voor][c]; });
        nullijn(0);
        break;
    }
    case TGrafiekVorm::GestapeldeVlakken:
        // The total of dung and urine patches in light yellow, the dung part in brown over its lower
        // part: the yellow band that stays visible is the urine part.
        vul(AreaSerie1, soort.laatsteKolom, 0, [&](int c) { return w[3][c]; });
        vul(AreaSerie2, soort.eersteKolom, 0, [&](int c) { return w[1][c]; });
        series[AreaSerie1].onderrand = series[AreaSerie2].punten;
        break;
    case TGrafiekVorm::Lijnen: {
        // Intake and milk have no value at turn-in, so line charts start at half day 1.
        if (laatsteNul > 0) nullijn(1);
        int serie = LineSerie1;
        for (int kolom = soort.eersteKolom; kolom <= soort.laatsteKolom; ++kolom, ++serie) {
            const int vak = kolom - soort.eersteKolom + 1;
            vul(static_cast<TSerieIndex>(serie), kolom, 1, [&](int c) { return w[vak][c]; });
        }
        break;
    }
    }
    return series;
}

// "Alle drie": one line per series and variant; only the zero line stays in the seven series and runs
// to the longest variant's end.
void ZetVariantLijnen(const TDetailTabellen& tabellen, const TGrafiekSoort& soort, const TWaarden& waarden,
                      const std::array<bool, GrafiekAantalVarianten>& heeftWaarden, TGrafiekBeschrijving& b) {
    b.series[Nullijn].punten = SeriesVan(tabellen, soort, waarden, b, 0, b.hoogsteHalveDag)[Nullijn].punten;
    std::array<std::array<TGrafiekSerie, SerieAantal>, GrafiekAantalVarianten> perVariant;
    for (int v = 0; v < GrafiekAantalVarianten; ++v)
        perVariant[v] = SeriesVan(tabellen, soort, waarden, b, v, 0);
    const QStringList namen = GrafiekVariantNamen();
    const Qt::PenStyle stijlen[GrafiekAantalVarianten] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
    for (int i = 0; i < Nullijn; ++i) {
        for (int v = 0; v < GrafiekAantalVarianten; ++v) {
            const TGrafiekSerie& bron = perVariant[v][i];
            if (!bron.inLegenda || !heeftWaarden[v]) continue;
            TGrafiekSerie lijn = bron;
            lijn.naam = bron.naam + QLatin1Char('_') + QString::number(v);
            lijn.soort = TSerieSoort::Lijn;
            lijn.kleur = VariantKleur(static_cast<TSerieIndex>(i), v);
            lijn.lijnDikte = 2;
            lijn.lijnStijl = stijlen[v];
            lijn.onderrand.clear();
            // As a line the upper edge of the fouled area is the total of both kinds of patches:
            // "VO mest + urine".
            if (soort.vorm == TGrafiekVorm::GestapeldeVlakken && i == AreaSerie1)
                lijn.titel = CelTekst(tabellen, 2, soort.eersteKolom, 0) + QStringLiteral(" + ") +
                             CelTekst(tabellen, 2, soort.laatsteKolom, 0).section(QLatin1Char(' '), -1);
            lijn.titel += QStringLiteral(" (") + namen[v] + QLatin1Char(')');
            b.variantLijnen.append(lijn);
        }
    }
}

// The horizontal axis starts at the first half day drawn and ends at the longest variant's last.
void ZetEersteHalveDag(TGrafiekBeschrijving& b) {
    double eersteX = 0;
    bool gevonden = false;
    QList<const TGrafiekSerie*> getekend;
    for (const TGrafiekSerie& s : b.series) getekend.append(&s);
    for (const TGrafiekSerie& s : b.variantLijnen) getekend.append(&s);
    for (const TGrafiekSerie* s : getekend) {
        for (const QPointF& p : s->punten) {
            eersteX = gevonden ? std::min(eersteX, p.x()) : p.x();
            gevonden = true;
        }
    }
    b.halveDagAs.minimum = std::min(eersteX, b.halveDagAs.maximum);
}

} // namespace

TGrafiek TeTekenenGrafiek(const TGrafiekBeschrijving& b, const QString& titel) {
    TGrafiek g;
    g.titel = titel;
    g.xAs = b.halveDagAs;
    g.yAs = b.waardeAs;
    for (const TGrafiekSerie& s : b.series) g.series.append(s);
    g.series.append(b.variantLijnen);
    return g;
}

TGrafiekBeschrijving BouwGrafiek(const TDetailTabellen& tabellen, int grafiek, int variant) {
    TGrafiekBeschrijving b;
    b.series = LegeSeries();
    if (variant < 0 || variant > GrafiekAlleVarianten) variant = 0;
    b.variant = variant;
    if (grafiek < 1 || grafiek > GrafiekAantal) return b; // no chart chosen: empty, axes untouched
    b.grafiek = grafiek;
    const TGrafiekSoort& soort = GrafiekSoorten()[grafiek - 1];

    std::array<bool, GrafiekAantalVarianten> heeftWaarden{};
    const TWaarden waarden = LeesWaarden(tabellen, soort, b, heeftWaarden);
    ZetAssen(soort, waarden, b);
    if (variant != GrafiekAlleVarianten)
        b.series = SeriesVan(tabellen, soort, waarden, b, variant, b.laatsteHalveDag[variant]);
    else
        ZetVariantLijnen(tabellen, soort, waarden, heeftWaarden, b);
    ZetEersteHalveDag(b);
    return b;
}

} // namespace korvalinde
