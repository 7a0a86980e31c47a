// The kinds of input of one scenario, without widgets: number inputs, choice inputs, tables and the
// turn-in date. Each input carries its control name as objectName, holds what its control shows
// and announces changes, so that windows can bind thin widgets to it and the calculation, the
// scenario file and the batch calculator can use it without a window.
//
// Two kinds of notification:
// - `Bijgewerkt` (every input): something the control shows changed (value, text, list, range,
//   visibility, hint). Widgets listen to it and read the input again.
// - the input's change event (`Wijziging` of number and choice inputs, `SetEditText`,
//   `SelectCell` and `Exit` of tables, `Exit` of the date): the moment a rule hangs on. A number
//   input fires it whenever its text changes, from the user or from a rule; setting the value it
//   already shows fires nothing. A choice fires it only for the user's choice or typing; a rule
//   that selects an item fires nothing. Writing a table cell from a rule fires nothing.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace korvalinde {

class TInvoer : public QObject {
    Q_OBJECT
  public:
    TInvoer(const QString& naam, const QString& label, QObject* parent);

    QString Naam() const { return objectName(); }
    // The text of the label to the left of the control; empty when it has none.
    QString Label() const { return label_; }
    // The number by which rules tell controls apart (tables 1..4, alternatives 1 and 2); 0 if none.
    int Tag() const { return tag_; }
    void ZetTag(int tag) { tag_ = tag; }

    // Shown or hidden (the control together with its label).
    bool Zichtbaar() const { return zichtbaar_; }
    void ZetZichtbaar(bool zichtbaar);

    // The hint: the tooltip, and the text of the status panel while the mouse is over the control.
    QString Hint() const { return hint_; }
    void ZetHint(const QString& hint);

    // Takes over all that `bron`, the same input of another input set, holds (text, value, range,
    // list, cells, visibility, hint), without any event: the copy of a whole input set
    // (TInvoerset::NeemToestandOver). Every kind of input copies all its own members.
    virtual void NeemToestandOver(const TInvoer& bron);

  signals:
    void Bijgewerkt();
    // The user changed what the input holds (typing, a step, a choice, a cell); never sent for a
    // value the program sets.
    void DoorGebruiker();

  private:
    QString label_;
    int tag_ = 0;
    bool zichtbaar_ = true;
    QString hint_;
};

// Number input (spin edit). Holds the text the control shows; its value is read from that text.
class TGetalInvoer : public TInvoer {
    Q_OBJECT
  public:
    TGetalInvoer(const QString& naam, const QString& label, QObject* parent);

    // Set-up: whole-numbered or decimal, range, step, decimals shown, typed length.
    bool Geheel() const { return geheel_; }
    double MinValue() const { return min_; }
    double MaxValue() const { return max_; }
    double Increment() const { return stap_; }
    int Decimal() const { return decimalen_; }
    // The number of characters that may be typed: the length set, or more when the longest value
    // of the range needs more, as the control writes it (a minus sign for a negative minimum,
    // the decimals). It follows every change of range, decimals or kind. 0 when the length set is
    // 0: no limit.
    int MaxLength() const;
    void ZetGeheel(bool geheel);
    void ZetBereik(double minimum, double maximum);
    void ZetIncrement(double stap) { stap_ = stap; }
    void ZetDecimal(int decimalen);
    // The least typed length; see MaxLength.
    void ZetMaxLength(int lengte) { maxLengte_ = lengte; }

    // The text as shown or typed, for example "2.3" or "8000".
    QString Tekst() const { return tekst_; }

    // The value of the text ("." as decimal separator): text that is not a number reads as
    // MinValue; clamped into the range (when MinValue and MaxValue differ); rounded half to even
    // for a whole-numbered input.
    double Value() const;

    // Puts a value in: clamped and rounded as above, written as the control writes it ("0" for
    // whole numbers, Decimal places otherwise). Fires the change event when the text changes.
    void SetValue(double waarde);

    // Puts a text in as it stands (typing, or a text taken from elsewhere). Fires the change event
    // when the text changes.
    void SetText(const QString& tekst);
    // The user typed the text: as SetText, and `DoorGebruiker` when the text changed.
    void TypDoorGebruiker(const QString& tekst);

    // The up/down buttons (a user's step): n steps of Increment from the current value.
    void Stap(int n);

    // When the focus leaves the control: the text is rewritten from the value (clamped, rounded).
    void Herformatteer();

    // Whether a text may stand in the control while typing: at most MaxLength characters (blanks
    // before and after the number not counted), digits, signs and blanks, for decimal inputs one
    // point and an exponent.
    bool TekstToegestaan(const QString& tekst) const;

    // A text the user typed or pasted into the control: in a decimal input a comma is the decimal
    // point and becomes one, so that "4,5" stays four and a half. True when the text, so changed,
    // may stand in the control (TekstToegestaan); a whole-numbered input refuses a comma.
    bool GetyptToegestaan(QString& tekst) const;

    // The range as tooltip: "Minimum: 1.0  -  Maximum: 300.0" ("0" format when Decimal is 0).
    QString BereikTekst() const;

    // The text that SetValue writes for a value.
    QString TekstVoor(double waarde) const;
    double Begrensd(double waarde) const;

    void NeemToestandOver(const TInvoer& bron) override;

  signals:
    void Wijziging();

  private:
    bool geheel_ = true;
    double min_ = 0;
    double max_ = 100;
    double stap_ = 1;
    int decimalen_ = 1;
    int maxLengte_ = 5;
    QString tekst_;
};

// Choice input: a drop-down list with an editable text field.
class TKeuzeInvoer : public TInvoer {
    Q_OBJECT
  public:
    TKeuzeInvoer(const QString& naam, const QString& label, const QStringList& items, QObject* parent);

    QStringList Items() const { return items_; }
    // Replaces the list; nothing is selected and the text is empty afterwards.
    void ZetItems(const QStringList& items);

    // Index of the selected item, -1 when none (also when the user typed a text of his own).
    int ItemIndex() const { return index_; }
    // The text in the field: the selected item's text or what the user typed.
    QString Tekst() const { return tekst_; }

    // Selects an item from the program (a rule, the scenario file): no change event.
    // -1 or an index outside the list leaves nothing selected and an empty text.
    void KiesItem(int index);

    // The user picks an item from the list or types a text: change event.
    void KiesDoorGebruiker(int index);
    void TypDoorGebruiker(const QString& tekst);

    // All items joined by " - ", as the tooltip.
    QString ItemsTekst() const { return items_.join(QStringLiteral(" - ")); }

    // A choice that holds one of its items (an alternative's kind): a typed text picks the item it
    // names, whatever its case and the spaces around it; any other text is refused (Geweigerd)
    // and the field shows the item it had. Other choices take a typed text as it is.
    void ZetAlleenItems(bool aan) { alleenItems_ = aan; }
    bool AlleenItems() const { return alleenItems_; }

    void NeemToestandOver(const TInvoer& bron) override;

  signals:
    void Wijziging();
    // A typed text was refused; the field shows the previous choice again before this is sent.
    void Geweigerd(const QString& tekst);

  private:
    QStringList items_;
    int index_ = -1;
    QString tekst_;
    bool alleenItems_ = false;
};

// What a table holds: an input table, the summary of the results or the detail results of one variant.
enum class TabelInhoud { Invoer, Samenvatting, Detail };

// Table (string grid) of text cells, addressed (column, row) from 0. Column 0 holds the row labels;
// the top FixedRows rows the header texts.
class TTabel : public TInvoer {
    Q_OBJECT
  public:
    TTabel(const QString& naam, int tag, int kolommen, int rijen, int vasteRijen, int dataBreedte,
           QObject* parent);

    int ColCount() const { return kolommen_; }
    int RowCount() const { return rijen_; }
    int FixedCols() const { return vasteKolommen_; }
    int FixedRows() const { return vasteRijen_; }
    int ColWidth(int kolom) const {
        if (kolom >= 0 && kolom < breedtes_.size()) return breedtes_.at(kolom);
        return kolom == 0 ? 150 : dataBreedte_;
    }
    int RowHeight() const { return rijHoogte_; }
    // Layout of the result tables, which differ from the input tables: more fixed columns, their
    // own column widths and row height, and no editing at all.
    void ZetVasteKolommen(int aantal) { vasteKolommen_ = aantal; }
    void ZetKolomBreedtes(const QVector<int>& breedtes) { breedtes_ = breedtes; }
    void ZetRijHoogte(int hoogte) { rijHoogte_ = hoogte; }
    bool AlleenLezen() const { return alleenLezen_; }
    void ZetAlleenLezen(bool alleenLezen) { alleenLezen_ = alleenLezen; }
    // What the table holds and, for a detail table, its variant (0 "Basis", 1, 2); set by the
    // calculation driver that makes the result tables, so that exports know them by what they are.
    TabelInhoud Inhoud() const { return inhoud_; }
    int Variant() const { return variant_; }
    void ZetInhoud(TabelInhoud inhoud, int variant = -1) {
        inhoud_ = inhoud;
        variant_ = variant;
    }
    bool IsVast(int kolom, int rij) const { return kolom < FixedCols() || rij < FixedRows(); }
    // What a column's numbers mean where their heading does not say it all: the tooltip of its
    // heading and of its cells. Empty for most columns.
    QString KolomUitleg(int kolom) const { return kolomUitleg_.value(kolom); }
    void ZetKolomUitleg(int kolom, const QString& uitleg) {
        if (kolom >= kolomUitleg_.size()) kolomUitleg_.resize(kolom + 1);
        kolomUitleg_[kolom] = uitleg;
    }
    bool Bestaat(int kolom, int rij) const {
        return kolom >= 0 && rij >= 0 && kolom < kolommen_ && rij < rijen_;
    }

    QString Cel(int kolom, int rij) const;
    // Writes a cell from the program: no change event. Cells outside the table are ignored.
    void ZetCel(int kolom, int rij, const QString& tekst);

    // The user committed a new text into a cell (Enter, Tab, leaving it): the cell takes the
    // text and the change event `SetEditText` fires (also when the text is the same).
    void BewerkDoorGebruiker(int kolom, int rij, const QString& tekst);
    // The text the edited cell had before the user's last change.
    QString VorigeTekst() const { return vorigeTekst_; }

    // Editing allowed (for the selected cell; the selection rule switches it).
    bool Bewerkbaar() const { return bewerkbaar_; }
    void ZetBewerkbaar(bool bewerkbaar);
    bool CelBewerkbaar(int kolom, int rij) const {
        return bewerkbaar_ && !alleenLezen_ && Bestaat(kolom, rij) && !IsVast(kolom, rij);
    }

    // The selected cell; (-1, -1) when nothing is selected.
    int SelKolom() const { return selKolom_; }
    int SelRij() const { return selRij_; }
    bool HeeftSelectie() const { return selKolom_ >= 0; }
    // The user selects a data cell: the selection moves and `SelectCell` fires.
    void SelecteerDoorGebruiker(int kolom, int rij);
    void WisSelectie();
    // The focus left the table: `Exit` fires.
    void Verlaat() { emit Exit(); }

    void NeemToestandOver(const TInvoer& bron) override;

  signals:
    void CelGewijzigd(int kolom, int rij);
    void SetEditText(int kolom, int rij);
    void SelectCell(int kolom, int rij);
    void Exit();

  private:
    int kolommen_;
    int rijen_;
    int vasteRijen_;
    int dataBreedte_;
    int vasteKolommen_ = 1;
    int rijHoogte_ = 20;
    bool alleenLezen_ = false;
    TabelInhoud inhoud_ = TabelInhoud::Invoer;
    int variant_ = -1;
    QVector<int> breedtes_;
    QVector<QString> kolomUitleg_;
    QVector<QString> cellen_;
    QString vorigeTekst_;
    bool bewerkbaar_ = true;
    int selKolom_ = -1;
    int selRij_ = -1;
};

// The turn-in date: day and month without a year, held as the text of the number
// day x 100 + month ("1509" is 15 September). Dates lie in the non-leap year 2001.
class TDagInvoer : public TInvoer {
    Q_OBJECT
  public:
    TDagInvoer(const QString& naam, const QString& label, QObject* parent);

    QString Tekst() const { return tekst_; }
    // Sets the text (program, scenario file, or the user typing): no rule runs.
    void ZetTekst(const QString& tekst);
    // The user typed the text: as ZetTekst, and `DoorGebruiker` when the text changed.
    void TypDoorGebruiker(const QString& tekst);

    // The number day x 100 + month; 0 for an empty text or a text that is not a whole number.
    int Waarde() const;

    // Day of the year 1..365. An invalid day or month raises EKorvalindeFout with
    // "Ongeldige maand ingegeven" or "Ongeldige dag ingegeven" (month first; value 0 has month 0).
    int DagVanHetJaar() const;

    // Empty when day x 100 + month is a date of 2001, else the message of the day edit.
    static QString Controle(long long ddmm);
    // Day of the year of a valid day x 100 + month.
    static int DagNummer(int ddmm);
    // The other way: day x 100 + month of a day of the year 1..365.
    static int DagMaand(int dag);

    // The focus left the date control after its check passed: `Exit` fires.
    void Verlaat() { emit Exit(); }

    void NeemToestandOver(const TInvoer& bron) override;

  signals:
    void Exit();

  private:
    QString tekst_;
};

} // namespace korvalinde
