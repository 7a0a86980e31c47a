#include "core/Grafiek.h"

#include <cmath>

namespace korvalinde {

namespace {

// Points equal also where both have no value (NaN), as a sweep's point without a result.
bool ZelfdePunten(const QList<QPointF>& a, const QList<QPointF>& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const bool geenA = std::isnan(a[i].y());
        if (a[i].x() != b[i].x() || geenA != std::isnan(b[i].y()) || (!geenA && a[i].y() != b[i].y()))
            return false;
    }
    return true;
}

} // namespace

bool operator==(const TGrafiekSerie& a, const TGrafiekSerie& b) {
    return a.naam == b.naam && a.soort == b.soort && a.kleur == b.kleur && a.lijnDikte == b.lijnDikte &&
           a.lijnStijl == b.lijnStijl && a.titel == b.titel && a.inLegenda == b.inLegenda &&
           a.puntjes == b.puntjes && ZelfdePunten(a.punten, b.punten) &&
           ZelfdePunten(a.onderrand, b.onderrand);
}

bool operator==(const TGrafiekAs& a, const TGrafiekAs& b) {
    return a.automatischMinimum == b.automatischMinimum && a.automatischMaximum == b.automatischMaximum &&
           a.minimum == b.minimum && a.maximum == b.maximum && a.stap == b.stap &&
           a.tussenstreepjes == b.tussenstreepjes && a.titel == b.titel && a.dagen == b.dagen &&
           a.namen == b.namen;
}

bool operator==(const TGrafiek& a, const TGrafiek& b) {
    return a.titel == b.titel && a.series == b.series && a.xAs == b.xAs && a.yAs == b.yAs &&
           a.legenda == b.legenda;
}

} // namespace korvalinde
