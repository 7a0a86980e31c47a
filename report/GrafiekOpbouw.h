// The seven charts of per-half-day results, built without any widget.
//
// A chart never looks at the model: it reads the texts of the three detail tables (Basis, Alternatief 1,
// Alternatief 1+2) back, so it shows exactly the rounded numbers the tables show. BouwGrafiek turns those
// texts, a chart number and a variant into a complete description of what to draw: the seven series in
// drawing order with their points, titles and legend entries, and the bounds, step and titles of both
// axes. The chart page (GrafiekPagina.h) only hands that description to the chart widget, which draws
// it with report/Grafiektekenaar.h.
#pragma once

#include "core/Grafiek.h"
#include "domain/Records.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace korvalinde {

// Layout of a detail table: DetKopRijen header rows (quantity, qualifier, unit) and one row per half day.
inline constexpr int GrafiekLaatsteHalveDag = 60;
inline constexpr int GrafiekAantalVarianten = 3;
// The variant choice "Alle drie": the chosen chart for Basis, Alt 1 and Alt 1+2 in one picture.
inline constexpr int GrafiekAlleVarianten = GrafiekAantalVarianten;

// The variants as the chart page names them: "Basis", "Alt 1", "Alt 1+2".
QStringList GrafiekVariantNamen();

// Source of the detail tables' texts. Cel(variant, kolom, rij): variant 0 Basis, 1 Alternatief 1,
// 2 Alternatief 1+2; column and row as in the table, header rows 0..2 included, so half day c lies in
// row c + 3. An empty function reads as tables without any text (no calculation yet).
struct TDetailTabellen {
    std::function<QString(int variant, int kolom, int rij)> Cel;
};

enum class TGrafiekVorm { Lijnen, Vlakken, GestapeldeVlakken };

// One entry of the program's fixed chart table; chart n is entry n - 1 and combo item n - 1.
struct TGrafiekSoort {
    QString item;    // text in the choice box
    int eersteKolom; // first and last detail column the chart reads
    int laatsteKolom;
    TGrafiekVorm vorm;
    double stap;         // step of the value axis
    QString asTitel;     // title of the value axis
    int tussenstreepjes; // minor ticks between two steps of the value axis
    // Area charts of supply: the column drawn behind and the one drawn in front of it; only these two
    // count for the value range. 0 for the other forms.
    int achterKolom = 0;
    int voorKolom = 0;
    bool magNegatief = false; // the value axis may start below zero
};

inline constexpr int GrafiekAantal = 7;
const std::array<TGrafiekSoort, GrafiekAantal>& GrafiekSoorten();
// The combo items in order, "Grasaanbod en biomassa" to "Melkproductie (FPCM)".
QStringList GrafiekItems();

// The seven series of the chart, in drawing order: later series paint over earlier ones.
enum TSerieIndex {
    AreaSerie1,
    AreaSerie2,
    LineSerie1,
    LineSerie2,
    LineSerie3,
    LineSerie4,
    Nullijn,
    SerieAantal
};

struct TGrafiekBeschrijving {
    int grafiek = 0; // 1..7; 0 when no chart is chosen
    int variant = 0; // 0..2, or GrafiekAlleVarianten
    // False when no chart is chosen: the series are empty and the axes stay as they were.
    bool assenGezet = false;
    std::array<TGrafiekSerie, SerieAantal> series;
    // All three variants: the seven series stay empty apart from the zero line, and every series the
    // chart draws for one variant comes here once per variant that has results, as a line (areas would
    // hide each other): grouped per series, Basis, Alt 1, Alt 1+2. Each series keeps one colour family,
    // darker to lighter and solid, dashed, dotted per variant; the variant stands behind the title.
    QList<TGrafiekSerie> variantLijnen;
    TGrafiekAs halveDagAs;                                     // horizontal
    TGrafiekAs waardeAs;                                       // vertical
    int hoogsteHalveDag = 0;                                   // over all three variants
    std::array<int, GrafiekAantalVarianten> laatsteHalveDag{}; // per variant
    // Cells that held text but no number; they were read as empty cells.
    int ongeldigeCellen = 0;
};

// The seven series as the chart holds them before anything is drawn: names, kinds, colours, line widths,
// no points, none in the legend.
std::array<TGrafiekSerie, SerieAantal> LegeSeries();

// Rebuilds chart `grafiek` (1..7; anything else: no chart, empty series) for variant `variant` (0..2,
// or GrafiekAlleVarianten; other values are taken as 0) from the detail tables. The value axis covers all
// three variants, so switching the variant never rescales it.
TGrafiekBeschrijving BouwGrafiek(const TDetailTabellen& tabellen, int grafiek, int variant);

// Colour of series `serie` for `variant` when the three variants are shown together: one family per
// series, the darkest for Basis.
quint32 VariantKleur(TSerieIndex serie, int variant);

// What the painter draws of a description: the seven series in their order, then the lines of
// "Alle drie", and both axes; `titel` above the plot (empty on the screen).
TGrafiek TeTekenenGrafiek(const TGrafiekBeschrijving& b, const QString& titel = QString());

// The caption a saved or copied chart carries: the chart's item and the variant or variants shown,
// "Vervuild oppervlak (Alt 1)", "Melkproductie (FPCM) (Basis, Alt 1 en Alt 1+2)"; empty without a chart.
QString GrafiekOnderschrift(const TGrafiekBeschrijving& b);

// Axis bounds on whole multiples of the step, always one step beyond a value on a multiple:
// minimum -150 with step 200 gives -200, maximum 400 gives 600, 390 gives 400. `magNegatief` false keeps
// the minimum at 0.
double AsMinimum(double laagste, double stap, bool magNegatief);
double AsMaximum(double hoogste, double stap);

} // namespace korvalinde
