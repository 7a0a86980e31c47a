// Exploring one scenario by a goal seek: the first value of a number input, on the input's own
// grid, at which a summary row of "Basis" reaches a target ("Benutting>=85"), with every value of
// the range computed so that the answer is that of a full scan, also when the relation is not
// monotone. The sweep itself, its table and its input list are in core/Reeks.
#pragma once

#include "core/Reeks.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace korvalinde {

class TGetalInvoer;
class TInvoerset;

// The target: a summary row of "Basis", at least (minstens) or at most a value.
struct TZoekdoel {
    TSamenvattingKolom kolom;
    bool minstens = true;
    double waarde = 0;
};

// Reads "RIJ>=DOEL" or "RIJ<=DOEL": RIJ is part of one summary row's title (any case, as --rij
// takes it), DOEL a number with a point. False with the message when no row or more than one row
// matches, or the form is wrong.
bool LeesZoekdoel(const QString& tekst, TZoekdoel& doel, QString& fout);

// Whether the summary of a point meets the target; a point without a value (a model error) does not.
bool VoldoetAanDoel(const TZoekdoel& doel, const TSamenvatting& samenvatting);

// The grid of "NAAM=VAN:TOT" on the input's own steps: the values from the input's minimum by its
// step (its increment, but not finer than its decimals show) that lie from VAN to TOT. Refused as
// LeesReeks refuses, and when no value of the grid lies there.
bool LeesZoekbereik(const QString& tekst, const TInvoerset& invoer, TReeks& reeks, QString& fout);
// The step of that grid for an input.
double Zoekstap(const TGetalInvoer& invoer);

// The answer of a goal seek, in the order of the scan (from the smallest value, or from the
// largest with `grootste`).
struct TZoekuitkomst {
    bool afgebroken = false; // stopped by the caller; nothing else holds
    bool gevonden = false;
    int index = -1;          // the value found: index into the grid's values
    TReekspunt punt;         // the point at that value
    bool monotoon = true;    // along the scan, meeting the target changes at most once
    int laatsteIndex = -1;   // the last value in the scan that meets the target
    QString eerste, laatste; // the values found first and last, as the input shows them
    int modelfouten = 0;     // points at which the model stopped with an error (they do not meet)
    QString eersteModelfout; // the first of those messages, with the value
};

// Computes every value of the grid on `draden` threads (the scenario file's bytes read as the sweep
// reads them). `voortgang(klaar, totaal)` is called on the calling thread after each point in
// order; when it returns false the search stops and comes back `afgebroken`.
TZoekuitkomst Zoek(const QByteArray& scenario, const TReeks& reeks, const TZoekdoel& doel, bool grootste,
                   unsigned draden, const std::function<bool(int klaar, int totaal)>& voortgang = {});

// The same answer from which points meet the target, in the grid's order: the rule itself.
TZoekuitkomst BeoordeelScan(const QList<bool>& voldoet, bool grootste);

} // namespace korvalinde
