// Parameter sweeps of the batch calculator: one scenario computed once per value of one or two
// number inputs ("SpePerceelOpp=1:6:0.5"), each value put into its input as the window puts a typed
// value (rounded to the input's steps, its rules run), every point from the scenario as read.
#pragma once

#include "domain/Records.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace korvalinde {

class TInvoerset;

// One swept input: its control name and the values it takes, in order.
struct TReeks {
    QString naam;
    QList<double> waarden;
};

// Reads "NAAM=BEGIN:EIND:STAP" or "NAAM=WAARDE" (point as decimal separator). The name must be a
// number input of the input set; every value must lie within the input's range (refused, not
// clamped) and there are at most MaxReekswaarden of them. False with the message otherwise.
inline constexpr int MaxReekswaarden = 10000;
bool LeesReeks(const QString& tekst, const TInvoerset& invoer, TReeks& reeks, QString& fout);

// One point of a sweep: the values of the swept inputs as the inputs show them, and the model's
// input record and summary columns for it (the model's error in `fout`). A sweep shows the summary
// only, so the steps' detail texts are not made.
struct TReekspunt {
    QStringList waarden;
    TQXInvoer invoer;
    TSamenvatting samenvatting;
    QString fout;
};

// The grid of the sweeps, the first sweep outermost: how many points, and point `index` of it
// computed from the scenario file's bytes (read before with LeesScenarioBytes). Every point starts
// from the scenario as read; the bytes are decoded once per thread and the input set copied for
// each point (safe to call from several threads at once).
// A number as a sweep, a goal or a range is written ("4.5", " 60 "), always with a point; false for
// no number or one that is not finite.
bool ReeksGetal(const QString& tekst, double& waarde);

int AantalReekspunten(const QList<TReeks>& reeksen);
TReekspunt BerekenReekspunt(const QByteArray& scenario, const QList<TReeks>& reeksen, int index);
// The same point with the bytes decoded into a new input set: the slow way, the reference of the
// fast one.
TReekspunt BerekenReekspuntOpnieuwGelezen(const QByteArray& scenario, const QList<TReeks>& reeksen,
                                          int index);

// The summary rows that carry a value (the group headings and blank rows left out), with their
// column titles "Aantal weidedagen (dagen)".
struct TSamenvattingKolom {
    SamRij rij;
    QString titel;
};
const QList<TSamenvattingKolom>& SamenvattingKolommen();

} // namespace korvalinde
