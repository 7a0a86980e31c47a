#include "core/Reeksgrafiek.h"

#include "core/Csv.h"
#include "core/Invoerset.h"
#include "core/Reeks.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace korvalinde {

namespace {

constexpr quint32 Kleuren[] = {Rgb(0, 0, 128),   Rgb(0, 128, 0), Rgb(0, 190, 210), Rgb(128, 64, 0),
                               Rgb(128, 0, 128), Rgb(220, 0, 0), Rgb(128, 128, 0), Rgb(0, 128, 128),
                               Rgb(255, 128, 0), Rgb(96, 96, 96)};
constexpr int AantalKleuren = static_cast<int>(std::size(Kleuren));
constexpr Qt::PenStyle Stijlen[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};

double MooieStap(double spanwijdte, int streepjes) {
    if (!(spanwijdte > 0)) return 1;
    const double ruw = spanwijdte / streepjes;
    const double macht = std::pow(10.0, std::floor(std::log10(ruw)));
    for (double f : {1.0, 2.0, 5.0})
        if (ruw <= f * macht) return f * macht;
    return 10 * macht;
}

} // namespace

quint32 ReekslijnKleur(int lijn) {
    return Kleuren[std::max(0, lijn) % AantalKleuren];
}

Qt::PenStyle ReekslijnStijl(int lijn) {
    return Stijlen[(std::max(0, lijn) / AantalKleuren) % static_cast<int>(std::size(Stijlen))];
}

TGrafiekAs MooieAs(double laagste, double hoogste, const QString& titel) {
    if (!(hoogste > laagste)) {
        laagste -= 1;
        hoogste += 1;
    }
    TGrafiekAs as;
    as.titel = titel;
    as.stap = MooieStap(hoogste - laagste, 5);
    as.minimum = std::floor(laagste / as.stap) * as.stap;
    as.maximum = std::ceil(hoogste / as.stap) * as.stap;
    return as;
}

QList<TGrafiek> BouwReeksgrafiek(const TInvoerset& invoer, const QList<TReeks>& reeksen,
                                 const QList<QStringList>& velden, const QList<int>& rijen,
                                 bool alternatieven) {
    QList<TGrafiek> panelen;
    const int n = static_cast<int>(reeksen.size());
    if (n == 0 || velden.isEmpty() || rijen.isEmpty()) return panelen;
    const QList<TSamenvattingKolom>& kolommen = SamenvattingKolommen();
    const int per = static_cast<int>(kolommen.size());
    // With a second input the points run through its values for every value of the first.
    const int perX = n > 1 ? std::max<int>(1, static_cast<int>(reeksen[1].waarden.size())) : 1;
    const int varianten = n > 1 || !alternatieven ? 1 : AantalVarianten;
    const int lijnen = n > 1 ? perX : varianten;

    QStringList namen;
    for (int l = 0; l < lijnen && lijnen > 1; ++l)
        // The value first, so that a name that has to wrap still starts with it.
        namen << (n > 1
                      ? velden.value(l).value(1) + QStringLiteral(" - ") + Reekstitel(invoer, reeksen[1].naam)
                      : VariantNaam(l));

    const QString xTitel = Reekstitel(invoer, reeksen[0].naam);
    double xLaag = std::numeric_limits<double>::max();
    double xHoog = std::numeric_limits<double>::lowest();
    for (const QStringList& v : velden) {
        const double x = Reekswaarde(v.value(0));
        if (!std::isfinite(x)) continue;
        xLaag = std::min(xLaag, x);
        xHoog = std::max(xHoog, x);
    }
    if (xLaag > xHoog) xLaag = xHoog = 0;
    TGrafiekAs xAs = MooieAs(xLaag, xHoog, xTitel);
    // Turn-in dates: their days of the year on whole weeks, labelled as dates.
    if (IsDatumreeks(reeksen[0].naam)) {
        xAs.dagen = true;
        xAs.stap = 7;
        xAs.minimum = std::floor(xLaag / 7) * 7;
        xAs.maximum = std::max(xAs.minimum + 7, std::ceil(xHoog / 7) * 7);
    }

    for (int k : rijen) {
        if (k < 0 || k >= per) continue;
        TGrafiek paneel;
        paneel.titel = kolommen[k].titel;
        paneel.xAs = xAs;
        paneel.legenda = TLegendaPlaats::Onder;
        double laag = std::numeric_limits<double>::max();
        double hoog = std::numeric_limits<double>::lowest();
        for (int l = 0; l < lijnen; ++l) {
            TGrafiekSerie s;
            s.naam = QStringLiteral("Lijn%1").arg(l + 1);
            s.soort = TSerieSoort::Lijn;
            s.kleur = ReekslijnKleur(l);
            s.lijnStijl = ReekslijnStijl(l);
            s.lijnDikte = 2;
            s.puntjes = true;
            s.titel = namen.value(l);
            for (qsizetype p = n > 1 ? l : 0; p<velden.size(); p += n> 1 ? perX : 1) {
                const QStringList& v = velden[p];
                const int variant = n > 1 ? 0 : l;
                const double y = Reekswaarde(v.value(n + variant * per + k));
                s.punten << QPointF(Reekswaarde(v.value(0)), y);
                if (std::isfinite(y)) {
                    laag = std::min(laag, y);
                    hoog = std::max(hoog, y);
                }
            }
            paneel.series << s;
        }
        if (laag > hoog) laag = hoog = 0;
        paneel.yAs = MooieAs(laag, hoog, QString());
        panelen << paneel;
    }
    // One legend for all panels, under the last: every panel has the same lines.
    if (lijnen > 1 && !panelen.isEmpty())
        for (TGrafiekSerie& s : panelen.last().series) s.inLegenda = true;
    return panelen;
}

} // namespace korvalinde
