// Thin widgets bound to the inputs of the input set: they show what the input holds, pass what the
// user does to it, and run no rule of their own. Numbers are shown and typed with a point.
#pragma once

#include "core/Invoer.h"

#include <QAbstractSpinBox>
#include <QAbstractTableModel>
#include <QComboBox>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

class QAction;
class QLabel;
class QMenu;

namespace korvalinde {

class TznDayEdit;

// Number input with up/down buttons. Every typed or pasted text passes the input's check, which
// takes a comma in a decimal input as its decimal point. A refused keystroke beeps and leaves the
// text as it was; digits typed right after a refused decimal separator are refused too, so that
// "4,5" in a whole-numbered input stays 4 instead of becoming 45.
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
  public:
    TSpinEdit(TGetalInvoer* invoer, QWidget* parent = nullptr);
    TGetalInvoer* Invoer() const { return invoer_; }
    void stepBy(int stappen) override;
    QSize sizeHint() const override;

  signals:
    // A keystroke or a pasted text was refused (after the beep).
    void Geweigerd();

  protected:
    QValidator::State validate(QString& tekst, int& positie) const override;
    void fixup(QString&) const override {}
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // What the line edit shows: text, cursor and selection.
    struct TStand {
        QString tekst;
        int cursor = -1;
        int selectieBegin = -1;
        qsizetype selectieLengte = 0;
        bool operator==(const TStand&) const = default;
    };
    TStand Stand() const;
    void Bijwerken();
    void Weiger();
    TGetalInvoer* invoer_;
    // The state right after a refused decimal separator, as long as the digits of the fraction
    // that follow it are refused; empty cursor (-1) when no fraction is being refused.
    TStand breuk_;
};

// Drop-down list with an editable text field. A typed text reaches the input when the user
// finishes typing (Enter or leaving the field), not at every keystroke.
class TKeuzeBox : public QComboBox {
    Q_OBJECT
  public:
    TKeuzeBox(TKeuzeInvoer* invoer, QWidget* parent = nullptr);
    TKeuzeInvoer* Invoer() const { return invoer_; }

  private:
    void Bijwerken();
    TKeuzeInvoer* invoer_;
};

// The cells of a table as a Qt model: fixed cells are labels, data cells editable as the table says.
class TTabelModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TTabelModel(TTabel* tabel, QObject* parent);
    int rowCount(const QModelIndex& ouder = {}) const override;
    int columnCount(const QModelIndex& ouder = {}) const override;
    QVariant data(const QModelIndex& index, int rol) const override;
    bool setData(const QModelIndex& index, const QVariant& waarde, int rol) override;
    // The fixed rows of a column joined by line breaks: the header of a scrolling table.
    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Whether the cell check refused the last text given (the cell kept its value).
    bool Afgewezen() const { return afgewezen_; }

  private:
    TTabel* tabel_;
    bool afgewezen_ = false;
};

// Edits a cell in a line edit. Nothing reaches the table while the user types (a comma becomes
// the decimal point at once); the committed text goes to the table's cell rule, which checks it.
class TCelDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    TCelDelegate(TTabel* tabel, QObject* parent);
    QWidget* createEditor(QWidget* ouder, const QStyleOptionViewItem& optie,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    TTabel* tabel_;
};

// String grid: fixed rows and column as grey labels, data cells 20 high with the widths of the
// table, no scroll bars (the grid is as large as its cells).
//
// An input table is used by keyboard as by mouse. Tabbing into it makes its first editable cell the
// current one (its last one when tabbing backwards); arrows move; typing or F2 edits. Tab and Enter
// (which the main window turns into Tab) commit the cell and move to the next editable cell, and
// after the last one the focus goes on to the next control; Shift+Tab goes the other way. A cell
// becomes current as by a click: the table's selection rule runs for it.
//
// A result table (read only) lets the user select cells, a range or all of it (Ctrl+A), and copy
// them with their row and column titles to the clipboard (Ctrl+C, or "Kopiëren" in its right-click
// menu) as tab-separated text that pastes into a spreadsheet as a table. "Opslaan als CSV..." in
// the same menu writes the whole table as CSV, "Opslaan als Excel-werkmap (.xlsx)..." as a workbook
// with the same cells, the numbers as numbers.
class TStringGrid : public QTableView {
    Q_OBJECT
  public:
    // A table taller than `maxHoogte` (when given) keeps that height and scrolls vertically.
    TStringGrid(TTabel* tabel, QWidget* parent = nullptr, int maxHoogte = 0);
    TTabel* Tabel() const { return tabel_; }

    // Result tables: the selected cells as tab-separated text with their titles (empty when no
    // cell is selected), and that text put on the clipboard.
    QString SelectieTekst() const;
    void Kopieer();
    // A cell being typed in takes what was typed, as when the user leaves it (Enter, Tab); false
    // when no cell was being typed in.
    bool BevestigBewerking();
    // Input tables: typed keys go to the current cell, they never search for another one.
    void keyboardSearch(const QString& zoek) override;
    // Result tables: asks for a file name and writes the whole table as CSV through the safe write;
    // false when the user cancelled or the file could not be written (said through ToonFout).
    bool OpslaanAlsCsv();
    // The same as an Excel workbook (core/Werkmap), ".xlsx" added to a name without an extension.
    bool OpslaanAlsXlsx();

    // The right-click menu's entries of a result table; null for an input table.
    QAction* MitKopieren() const { return mitKopieren_; }
    QAction* MitOpslaanCsv() const { return mitOpslaanCsv_; }
    QAction* MitOpslaanXlsx() const { return mitOpslaanXlsx_; }
    QMenu* Menu() const { return menu_; }

    // Asks for the file name of the CSV or the workbook (the proposal ends in ".csv" or ".xlsx");
    // returns an empty text when the user cancels. The default shows the standard save dialog for
    // that kind of file. Tests replace it.
    std::function<QString(QWidget* ouder, const QString& voorstel)> VraagBestandsnaam;
    // Shows a failure to the user; the default shows an error box through the standard melder.
    std::function<void(const QString& melding)> ToonFout;
    // The scenario file the results belong to, for the first column of the CSV; empty when not set.
    std::function<QString()> Bestandsnaam;
    // Result tables that stand for more than they show (a sweep): the CSV to write instead of the
    // table's own, and the name's part after the scenario ("verkenning").
    std::function<QString()> CsvTekst;
    QString CsvNaamDeel;
    // The same for the workbook: writes it to the file name given; the reason when that failed.
    std::function<QString(const QString& naam)> SchrijfWerkmap;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool volgende) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    void Bijwerken();
    // Makes the next (or previous) editable cell after the current one current; false when there
    // is none in that direction. Without a current cell the search starts before the first cell
    // (or after the last one).
    bool NaarBewerkbareCel(bool volgende);
    // Asks for the name (proposed: next to the scenario, named after it and the table, with
    // `extensie`) and writes the table with `schrijf`, which returns the reason of a failure.
    bool OpslaanAls(const QString& extensie, const std::function<QString(const QString& naam)>& schrijf);
    TTabel* tabel_;
    TTabelModel* model_;
    QAction* mitKopieren_ = nullptr;
    QAction* mitOpslaanCsv_ = nullptr;
    QAction* mitOpslaanXlsx_ = nullptr;
    QMenu* menu_ = nullptr;
    // The mouse button went down on the cell that was current already: its release edits it.
    bool klikOpHuidige_ = false;
};

// Binds the day edit to the turn-in date: typing goes to the input, a leaving that passes the
// check runs the input's exit rule, the message of a failed check goes to `toonFout`.
void KoppelDagEdit(TznDayEdit* edit, TDagInvoer* invoer, const std::function<void(const QString&)>& toonFout);

// The label to the left of an input; it follows the input's visibility.
QLabel* MaakLabel(TInvoer* invoer, QWidget* ouder);

} // namespace korvalinde
