// Parameter sweeps, for the batch calculator and the window "Verkennen" alike: one scenario computed
// once per value of one or two number inputs ("SpePerceelOpp=1:6:0.5") or of the turn-in date
// ("Cbxdatum=0104:3110:7"), each value put into its input as the window puts a typed value (rounded
// to the input's decimals, its rules run), every point from the scenario as read; the sweep's table as CSV
// and workbook fields (both write the same bytes), its values as numbers, and the list of the number inputs a
// sweep takes.
#pragma once

#include "domain/Records.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace korvalinde {

class TGetalInvoer;
class TInvoerset;

// One swept input: its control name and the values it takes, in order.
struct TReeks {
    QString naam;
    QList<double> waarden;
};

// Reads "NAAM=BEGIN:EIND:STAP" or "NAAM=WAARDE" (point as decimal separator). The name must be a
// number input of the input set (else the message names the closest ones) or the turn-in date; every
// value must lie within the input's range (refused, not clamped), there are at most MaxReekswaarden
// of them, and the step is not finer than the input's values (KleinsteStap), which would repeat
// values. False with the message otherwise.
inline constexpr int MaxReekswaarden = 10000;
bool LeesReeks(const QString& tekst, const TInvoerset& invoer, TReeks& reeks, QString& fout);

// The turn-in date as a swept input, "Cbxdatum=0104:3110:7": from a date to a date by a number of
// days, each date written as the day edit takes it (day x 100 + month). Its values are days of the
// year (1 = 1 January, in a year without 29 February), so that a chart spaces them as the season
// runs. A point puts the date in as typing it and leaving the day edit does: that sets the grass
// supply of its month and the grass row's composition; a date swept with other inputs goes in first,
// so that a swept grass supply holds. Only days of the grazing months, whose grass the composition
// table holds, are taken (EersteWeidedag to LaatsteWeidedag); a date the day edit refuses (2902) is
// refused with its message.
bool IsDatumreeks(const QString& naam);
int EersteWeidedag();  // 1 April
int LaatsteWeidedag(); // 31 October
// A day of the year as a date is shown in a sweep's table and on its chart's axis: "01/04" (a number
// outside 1..365 as it is).
QString DagMaandTekst(int dag);
// The text of a swept value on a chart's axis: a date as DagMaandTekst, a number with a point and
// the digits it needs ("2.5", "60").
QString Astekst(const QString& naam, double waarde);

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
// The one summary row whose title holds `tekst` (any case), as --zoek and --gevoeligheid name it;
// false with the message after "`optie` `tekst`: " when no row or more than one row fits.
bool KiesSamenvattingsrij(const QString& tekst, const QString& optie, TSamenvattingKolom& kolom,
                          QString& fout);

// The sweep's table: the header (the swept inputs' names, then the summary rows, per variant with
// "Basis: " in front when the alternatives are included) and one line per point (the values as the
// inputs show them, then the summary values as the table shows them); the same fields make the
// CSV and the workbook's sheet.
QStringList ReeksKopVelden(const QList<TReeks>& reeksen, bool alternatieven);
QStringList ReeksVelden(const TReekspunt& punt, int aantalReeksen, bool alternatieven);
QString ReeksCsvKop(const QList<TReeks>& reeksen, bool alternatieven);
QString ReeksCsvRegel(const TReekspunt& punt, int aantalReeksen, bool alternatieven);

// A field of the sweep's table as a number: a swept value or a summary value as the table shows it
// ("4.20", "-3"; a date "01/04" as its day of the year); NaN for an empty field or one that holds no
// number.
double Reekswaarde(const QString& veld);
// A summary value of variant `variant` (0 Basis) as a number; NaN when the cell holds none.
double Samenvattingswaarde(const TSamenvatting& samenvatting, SamRij rij, int variant = 0);

// The least step between two values an input can hold: 1 for a whole-numbered input, else one unit
// of its last decimal.
double KleinsteStap(const TGetalInvoer& invoer);

// The name an input goes by in lists, tables and charts: its label with its unit; the value fields
// of the alternatives, which have no label on screen, by what they hold.
QString Invoertitel(const TGetalInvoer& invoer);
// The same for any swept input, the turn-in date too ("Inschaardatum").
QString Reekstitel(const TInvoerset& invoer, const QString& naam);

// A number input as a researcher looks it up: its name, its label and unit apart ("Perceelsgrootte",
// "ha"; empty when the label names none), its range, the step of its up/down buttons and the
// decimals it shows (0 for a whole-numbered input), the numbers written with those decimals.
struct TReeksinvoer {
    QString naam;
    QString label;
    QString eenheid;
    QString minimum;
    QString maximum;
    QString stap;
    int decimalen = 0;
};
// Every number input a sweep or a goal seek takes, in screen order; and that list as CSV, with the
// header "naam,label,eenheid,minimum,maximum,stap,decimalen".
QList<TReeksinvoer> Reeksinvoeren(const TInvoerset& invoer);
QString InvoerlijstCsv(const TInvoerset& invoer);
// For a name that is no number input: at most `aantal` names of number inputs that come closest,
// those whose name holds it first, then those whose label does (any case), each by the fewest
// letters to change.
QStringList NaasteInvoernamen(const TInvoerset& invoer, const QString& naam, int aantal = 3);
// The message for such a name after `optie` ("--reeks"): the closest names and where the list is.
QString OnbekendeInvoer(const TInvoerset& invoer, const QString& optie, const QString& naam);

} // namespace korvalinde
