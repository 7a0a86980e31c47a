// Which input matters most for one summary row of "Basis": every number input of the list, and the
// turn-in date, lowered and raised by a change, each value put in as a sweep point puts it (its
// rules run, from the scenario as read), and the inputs ranked by how far the row moves. The ranked
// table as CSV and workbook fields from one place, for the batch calculator and the window alike.
#pragma once

#include "core/Grafiek.h"
#include "core/Reeks.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace korvalinde {

class TInvoerset;

// The change: whole steps of each input's own grid (Zoekstap), one step, or as many as come
// closest to a percentage of its value; and a number of days for the turn-in date.
struct TVerandering {
    bool procentueel = true;
    double procent = 10;
    int dagen = 14;
};

// One input's row: the values below and above its value in the scenario (within its range, the
// date within the grazing months; at an end of the range the value itself), as the input shows
// them; the row's value at each as the summary shows it; and the effect, the larger of the two
// distances from the row's value in the scenario, with the decimals of the row (NaN, and an empty
// text, when the model gave no value at one of them).
struct TGevoeligheidsrij {
    QString naam;      // the control name, "SpenKoe"
    QString invoer;    // its label with its unit
    TReeks laag, hoog; // the low and the high value as single-point sweeps
    QString laagTekst, hoogTekst;
    QString bijLaag, bijHoog;
    double effect = 0;
    QString effectTekst;
    QString foutBij; // the value, low or high, at which the model stopped with an error (the low first)
    QString fout;    // its message
};

struct TGevoeligheid {
    TSamenvattingKolom kolom;
    QString basis; // the row's value in the scenario as read
    QString fout;  // the scenario's own model error or decoding message; then no rows
    bool afgebroken = false;
    // Ranked by effect, the largest first; the inputs that change nothing after them, then those
    // without an effect; inputs of equal effect in screen order.
    QList<TGevoeligheidsrij> rijen;
};

// The low and the high value of every number input of the scenario's input set and of the turn-in
// date (left out when the scenario holds no valid date), in screen order, without computing.
QList<TGevoeligheidsrij> Gevoeligheidsrijen(const TInvoerset& invoer, const TVerandering& verandering);

// Decodes the scenario file's bytes, computes the scenario and both values of every row on
// `draden` threads (each as BerekenReekspunt computes a single-point sweep) and ranks them.
// `voortgang(klaar, totaal)` is called on the calling thread after each point in order; when it
// returns false the work stops and comes back `afgebroken`.
TGevoeligheid BerekenGevoeligheid(const QByteArray& scenario, const TSamenvattingKolom& kolom,
                                  const TVerandering& verandering, unsigned draden,
                                  const std::function<bool(int klaar, int totaal)>& voortgang = {});

// The ranked table: "naam", "invoer", "laag", "hoog", the row's title with " bij laag" and
// " bij hoog", "effect"; and one line per input. The first two columns are names: text also in the
// workbook (sheet "Gevoeligheid").
QStringList GevoeligheidKopVelden(const TGevoeligheid& gevoeligheid);
QStringList GevoeligheidVelden(const TGevoeligheidsrij& rij);
inline const QList<int> TekstkolommenGevoeligheid{0, 1};
QString GevoeligheidCsv(const TGevoeligheid& gevoeligheid);

// The tornado chart of the ranked table: one place per input on the vertical axis, named by it, the
// largest effect at the top; per input a bar from the row's value in the scenario to its value at
// the low value and one to its value at the high value, and a line at the row's value. An input
// without a value at one end has no bar there. No panel without rows.
inline constexpr int TornadoBreedte = 900;
int TornadoHoogte(const TGevoeligheid& gevoeligheid); // of the picture, by the number of inputs
QList<TGrafiek> BouwTornadografiek(const TGevoeligheid& gevoeligheid);

} // namespace korvalinde
