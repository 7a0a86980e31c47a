#include "ui/InvoerWidgets.h"

#include "components/Dagveld.h"
#include "core/Bestandspad.h"
#include "core/Csv.h"
#include "core/Meldingen.h"
#include "core/Werkmap.h"
#include "domain/Bestand.h"
#include "ui/Toepassing.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QStyle>
#include <QValidator>

namespace korvalinde {

namespace {

// Hint as tooltip and as status-panel text; when the mouse is over the widget the status panel
// follows at once.
void ZetHint(QWidget* widget, const QString& hint) {
    if (widget->toolTip() == hint && widget->statusTip() == hint) return;
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    if (widget->underMouse()) {
        QStatusTipEvent tip(hint);
        QApplication::sendEvent(widget, &tip);
    }
}

// Shown or hidden with its input. A widget without a parent is never shown from here (it would
// become a window of its own).
void ZetZichtbaar(QWidget* widget, bool zichtbaar) {
    if (!zichtbaar) {
        if (!widget->isHidden()) widget->hide();
    } else if (widget->isHidden() && widget->parentWidget()) {
        widget->show();
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------

TSpinEdit::TSpinEdit(TGetalInvoer* invoer, QWidget* parent) : QAbstractSpinBox(parent), invoer_(invoer) {
    setObjectName(invoer->Naam());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAccelerated(true);
    connect(lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& tekst) { VangFouten([&] { invoer_->TypDoorGebruiker(tekst); }); });
    connect(lineEdit(), &QLineEdit::inputRejected, this, &TSpinEdit::Weiger);
    connect(invoer_, &TInvoer::Bijgewerkt, this, &TSpinEdit::Bijwerken);
    Bijwerken();
}

void TSpinEdit::Weiger() {
    QApplication::beep();
    emit Geweigerd();
}

TSpinEdit::TStand TSpinEdit::Stand() const {
    const QLineEdit* regel = lineEdit();
    return {regel->text(), regel->cursorPosition(), regel->selectionStart(), regel->selectedText().size()};
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    const QString getypt = event->text();
    const bool teken = getypt.size() == 1 && getypt.at(0).isPrint();
    const bool cijfer = teken && getypt.at(0) >= u'0' && getypt.at(0) <= u'9';
    const bool scheiding = teken && (getypt.at(0) == u',' || getypt.at(0) == u'.');
    const TStand voor = Stand();
    if (cijfer && breuk_.cursor >= 0 && voor == breuk_) {
        // A digit of the fraction after a refused separator: joined to the digits before the
        // separator it would change the size of the number.
        Weiger();
        event->accept();
        return;
    }
    breuk_ = {};
    QAbstractSpinBox::keyPressEvent(event);
    // The check refused the separator (and has beeped): the fraction that follows is refused too.
    if (scheiding && Stand() == voor) breuk_ = voor;
}

void TSpinEdit::Bijwerken() {
    if (lineEdit()->text() != invoer_->Tekst()) {
        const int positie = lineEdit()->cursorPosition();
        lineEdit()->setText(invoer_->Tekst());
        if (hasFocus())
            lineEdit()->setCursorPosition(qMin(positie, static_cast<int>(invoer_->Tekst().size())));
    }
    ZetHint(this, invoer_->Hint());
    ZetZichtbaar(this, invoer_->Zichtbaar());
}

void TSpinEdit::stepBy(int stappen) {
    VangFouten([&] { invoer_->Stap(stappen); });
    if (hasFocus()) selectAll();
}

QSize TSpinEdit::sizeHint() const {
    return {80, QAbstractSpinBox::sizeHint().height()};
}

QValidator::State TSpinEdit::validate(QString& tekst, int&) const {
    return invoer_->GetyptToegestaan(tekst) ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    if (invoer_->MinValue() == invoer_->MaxValue()) return StepUpEnabled | StepDownEnabled;
    StepEnabled aan = StepNone;
    const double waarde = invoer_->Value();
    if (waarde < invoer_->MaxValue()) aan |= StepUpEnabled;
    if (waarde > invoer_->MinValue()) aan |= StepDownEnabled;
    return aan;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    breuk_ = {};
    QAbstractSpinBox::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    VangFouten([this] { invoer_->Herformatteer(); });
}

// ---------------------------------------------------------------------------------------------

TKeuzeBox::TKeuzeBox(TKeuzeInvoer* invoer, QWidget* parent) : QComboBox(parent), invoer_(invoer) {
    setObjectName(invoer->Naam());
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(10);
    connect(this, &QComboBox::activated, this,
            [this](int index) { VangFouten([&] { invoer_->KiesDoorGebruiker(index); }); });
    connect(lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const QString tekst = lineEdit()->text();
        if (tekst != invoer_->Tekst()) VangFouten([&] { invoer_->TypDoorGebruiker(tekst); });
    });
    connect(invoer_, &TInvoer::Bijgewerkt, this, &TKeuzeBox::Bijwerken);
    Bijwerken();
}

void TKeuzeBox::Bijwerken() {
    const QSignalBlocker stil(this);
    QStringList huidig;
    for (int i = 0; i < count(); ++i) huidig << itemText(i);
    if (huidig != invoer_->Items()) {
        clear();
        addItems(invoer_->Items());
    }
    if (currentIndex() != invoer_->ItemIndex()) setCurrentIndex(invoer_->ItemIndex());
    if (currentText() != invoer_->Tekst()) setEditText(invoer_->Tekst());
    // A text longer than the field shows its beginning, not its end.
    if (lineEdit() && !lineEdit()->hasFocus()) lineEdit()->setCursorPosition(0);
    ZetHint(this, invoer_->Hint());
    ZetZichtbaar(this, invoer_->Zichtbaar());
}

// ---------------------------------------------------------------------------------------------

TTabelModel::TTabelModel(TTabel* tabel, QObject* parent) : QAbstractTableModel(parent), tabel_(tabel) {
    connect(tabel_, &TTabel::CelGewijzigd, this, [this](int kolom, int rij) {
        const QModelIndex plek = index(rij, kolom);
        emit dataChanged(plek, plek);
    });
}

int TTabelModel::rowCount(const QModelIndex& ouder) const {
    return ouder.isValid() ? 0 : tabel_->RowCount();
}
int TTabelModel::columnCount(const QModelIndex& ouder) const {
    return ouder.isValid() ? 0 : tabel_->ColCount();
}

QVariant TTabelModel::data(const QModelIndex& index, int rol) const {
    if (!index.isValid()) return {};
    const int kolom = index.column();
    const int rij = index.row();
    const bool vast = tabel_->IsVast(kolom, rij);
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return tabel_->Cel(kolom, rij);
    case Qt::TextAlignmentRole:
        if (kolom == 0) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        if (vast) return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (vast) return QApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (vast) return QApplication::palette().brush(QPalette::ButtonText);
        return {};
    case Qt::ToolTipRole: {
        // A text cut off by its column shows in full as the cell's tooltip; otherwise what the
        // column's numbers mean, where the table says so.
        const QString uitleg = tabel_->KolomUitleg(kolom);
        const auto* grid = qobject_cast<const QWidget*>(QObject::parent());
        const QString tekst = tabel_->Cel(kolom, rij);
        if (!grid || tekst.trimmed().isEmpty()) return uitleg.isEmpty() ? QVariant() : QVariant(uitleg);
        // The text's room: the column less its grid line and the text margins on both sides.
        const int marge =
            1 + 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        if (grid->fontMetrics().horizontalAdvance(tekst) + marge <= tabel_->ColWidth(kolom))
            return uitleg.isEmpty() ? QVariant() : QVariant(uitleg);
        return tekst.trimmed();
    }
    default:
        return {};
    }
}

bool TTabelModel::setData(const QModelIndex& index, const QVariant& waarde, int rol) {
    if (!index.isValid() || rol != Qt::EditRole) return false;
    QString tekst = waarde.toString();
    tekst.replace(u',', u'.');
    const QString voor = tabel_->Cel(index.column(), index.row());
    afgewezen_ = false;
    if (tekst == voor) return true;
    VangFouten([&] { tabel_->BewerkDoorGebruiker(index.column(), index.row(), tekst); });
    // The cell check refused the text and gave the cell its value back.
    afgewezen_ = tabel_->Cel(index.column(), index.row()) == voor;
    return true;
}

QVariant TTabelModel::headerData(int sectie, Qt::Orientation richting, int rol) const {
    if (richting != Qt::Horizontal) return {};
    if (rol == Qt::DisplayRole) {
        QStringList regels;
        for (int r = 0; r < tabel_->FixedRows(); ++r) regels << tabel_->Cel(sectie, r);
        return regels.join(QLatin1Char('\n'));
    }
    if (rol == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    if (rol == Qt::ToolTipRole && !tabel_->KolomUitleg(sectie).isEmpty()) return tabel_->KolomUitleg(sectie);
    return {};
}

Qt::ItemFlags TTabelModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || tabel_->IsVast(index.column(), index.row())) return Qt::NoItemFlags;
    Qt::ItemFlags vlaggen = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (tabel_->CelBewerkbaar(index.column(), index.row())) vlaggen |= Qt::ItemIsEditable;
    return vlaggen;
}

// ---------------------------------------------------------------------------------------------

namespace {

// A comma typed or pasted into a cell is its decimal point, as in the number inputs.
class TKommaIsPunt : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& tekst, int&) const override {
        tekst.replace(u',', u'.');
        return Acceptable;
    }
};

} // namespace

TCelDelegate::TCelDelegate(TTabel* tabel, QObject* parent) : QStyledItemDelegate(parent), tabel_(tabel) {}

QWidget* TCelDelegate::createEditor(QWidget* ouder, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* editor = new QLineEdit(ouder);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setMaxLength(20);
    editor->setValidator(new TKommaIsPunt(editor));
    return editor;
}

void TCelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* regel = qobject_cast<QLineEdit*>(editor);
    const QString tekst = tabel_->Cel(index.column(), index.row());
    if (regel && regel->text() != tekst) regel->setText(tekst);
}

void TCelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    // The cell takes the text when it is committed (Enter, Tab, leaving it), and only then its
    // check and rules run; Escape closes the editor without this.
    if (auto* regel = qobject_cast<QLineEdit*>(editor)) model->setData(index, regel->text(), Qt::EditRole);
}

bool TCelDelegate::eventFilter(QObject* object, QEvent* event) {
    // A message box over the window does not end the editing: the user goes on typing after it.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---------------------------------------------------------------------------------------------

TStringGrid::TStringGrid(TTabel* tabel, QWidget* parent, int maxHoogte)
    : QTableView(parent), tabel_(tabel), model_(new TTabelModel(tabel, this)) {
    setObjectName(tabel->Naam());
    setModel(model_);
    setItemDelegate(new TCelDelegate(tabel, this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(tabel->RowHeight());
    verticalHeader()->setDefaultSectionSize(tabel->RowHeight());
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int breedte = 0;
    for (int k = 0; k < tabel->ColCount(); ++k) {
        setColumnWidth(k, tabel->ColWidth(k));
        breedte += tabel->ColWidth(k);
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    if (tabel->AlleenLezen()) {
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    } else {
        setSelectionMode(QAbstractItemView::SingleSelection);
        // A click on the current cell edits it too, at once (mouseReleaseEvent) rather than after the
        // double-click interval: keys typed while such an edit waits would not reach the cell.
        setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::EditKeyPressed);
    }
    // Tab moves between the cells through focusNextPrevChild, which knows when to leave the table.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    const int hoogte = tabel->RowCount() * tabel->RowHeight();
    if (maxHoogte > 0 && hoogte + 2 * frameWidth() > maxHoogte) {
        // The fixed rows become the header, so that they stay in view while the rows scroll.
        for (int r = 0; r < tabel->FixedRows(); ++r) setRowHidden(r, true);
        horizontalHeader()->show();
        horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const int balk = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        setFixedSize(breedte + balk + 2 * frameWidth(), maxHoogte);
    } else {
        setFixedSize(breedte + 2 * frameWidth(), hoogte + 2 * frameWidth());
    }

    if (tabel->AlleenLezen()) {
        mitKopieren_ = new QAction(QStringLiteral("Kopiëren"), this);
        mitKopieren_->setObjectName(QStringLiteral("MitKopieren"));
        mitKopieren_->setShortcut(QKeySequence::Copy);
        mitKopieren_->setShortcutContext(Qt::WidgetShortcut);
        mitOpslaanCsv_ = new QAction(QStringLiteral("Opslaan als CSV..."), this);
        mitOpslaanCsv_->setObjectName(QStringLiteral("MitOpslaanCsv"));
        connect(mitKopieren_, &QAction::triggered, this, &TStringGrid::Kopieer);
        mitOpslaanXlsx_ = new QAction(QStringLiteral("Opslaan als Excel-werkmap (.xlsx)..."), this);
        mitOpslaanXlsx_->setObjectName(QStringLiteral("MitOpslaanXlsx"));
        connect(mitOpslaanCsv_, &QAction::triggered, this, [this] { OpslaanAlsCsv(); });
        connect(mitOpslaanXlsx_, &QAction::triggered, this, [this] { OpslaanAlsXlsx(); });
        menu_ = new QMenu(this);
        menu_->addAction(mitKopieren_);
        menu_->addAction(mitOpslaanCsv_);
        menu_->addAction(mitOpslaanXlsx_);
        VraagBestandsnaam = [](QWidget* ouder, const QString& voorstel) {
            if (voorstel.endsWith(QLatin1String(".xlsx")))
                return QFileDialog::getSaveFileName(ouder, QStringLiteral("Opslaan als Excel-werkmap"),
                                                    voorstel, QStringLiteral("Excel-werkmap (*.xlsx)"));
            return QFileDialog::getSaveFileName(ouder, QStringLiteral("Opslaan als CSV"), voorstel,
                                                QStringLiteral("CSV-bestand (*.csv)"));
        };
        ToonFout = [](const QString& melding) { StandaardMelder().Fout(melding); };
    }

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& nu) {
        if (nu.isValid() && !tabel_->IsVast(nu.column(), nu.row()))
            VangFouten([&] { tabel_->SelecteerDoorGebruiker(nu.column(), nu.row()); });
    });
    // Leaving the table for another control of the same window (not for a message box or another
    // window) is the table's exit.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* oud, QWidget* nieuw) {
        const bool wasHier = oud && (oud == this || isAncestorOf(oud));
        const bool isHier = nieuw && (nieuw == this || isAncestorOf(nieuw));
        if (wasHier && !isHier && nieuw && nieuw->window() == window())
            VangFouten([this] { tabel_->Verlaat(); });
    });
    connect(tabel_, &TInvoer::Bijgewerkt, this, &TStringGrid::Bijwerken);
    Bijwerken();
}

void TStringGrid::Bijwerken() {
    ZetHint(this, tabel_->Hint());
    ZetZichtbaar(this, tabel_->Zichtbaar());
    if (!tabel_->AlleenLezen() && !tabel_->HeeftSelectie() &&
        (currentIndex().isValid() || selectionModel()->hasSelection())) {
        const QSignalBlocker stil(selectionModel());
        selectionModel()->clear();
        viewport()->update();
    }
}

bool TStringGrid::NaarBewerkbareCel(bool volgende) {
    const int kolommen = tabel_->ColCount();
    const int aantal = kolommen * tabel_->RowCount();
    const QModelIndex begin = currentIndex();
    const int stap = volgende ? 1 : -1;
    int plek = begin.isValid() ? begin.row() * kolommen + begin.column() : (volgende ? -1 : aantal);
    for (plek += stap; plek >= 0 && plek < aantal; plek += stap) {
        const int rij = plek / kolommen;
        const int kolom = plek % kolommen;
        if (tabel_->IsVast(kolom, rij) || isRowHidden(rij) || isColumnHidden(kolom)) continue;
        // Whether a cell may be edited is the selection rule's to say: the cell is selected as by
        // a click and skipped when the rule keeps it closed.
        const QModelIndex cel = model_->index(rij, kolom);
        setCurrentIndex(cel);
        if (model_->flags(cel) & Qt::ItemIsEditable) return true;
    }
    if (begin.isValid() && currentIndex() != begin) setCurrentIndex(begin);
    return false;
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    // However the table takes the focus (Tab, a click on its page's tab, a mnemonic, the page's
    // first focus), it gets a current cell to type into: the first editable one, or with Shift+Tab
    // the last. A mouse click picks its own cell; back from a box or a menu the cell stays.
    const Qt::FocusReason reden = event->reason();
    if (!tabel_->AlleenLezen() && !currentIndex().isValid() && reden != Qt::MouseFocusReason &&
        reden != Qt::ActiveWindowFocusReason && reden != Qt::PopupFocusReason)
        NaarBewerkbareCel(reden != Qt::BacktabFocusReason);
}

bool TStringGrid::focusNextPrevChild(bool volgende) {
    // Tab (and Enter, which the main window turns into Tab) steps through the editable cells and
    // leaves the table after the last one, as for any other control.
    if (!tabel_->AlleenLezen() && hasFocus() && currentIndex().isValid() && NaarBewerkbareCel(volgende))
        return true;
    return QTableView::focusNextPrevChild(volgende);
}

void TStringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab in the editor (the cell is committed already): on to the next editable cell or out of
    // the table, not round to the first cell.
    if (hint != QAbstractItemDelegate::EditNextItem && hint != QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
    // A refused entry keeps the cell current, so that the user can type it again.
    if (model_->Afgewezen()) return;
    focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

bool TStringGrid::BevestigBewerking() {
    if (state() != QAbstractItemView::EditingState) return false;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return false;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex cel = indexAt(event->position().toPoint());
    klikOpHuidige_ = !tabel_->AlleenLezen() && event->button() == Qt::LeftButton && cel.isValid() &&
                     cel == currentIndex() && state() != QAbstractItemView::EditingState;
    QTableView::mousePressEvent(event);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    const bool opHuidige = klikOpHuidige_;
    klikOpHuidige_ = false;
    const QModelIndex cel = indexAt(event->position().toPoint());
    if (opHuidige && cel == currentIndex() && state() != QAbstractItemView::EditingState &&
        (model_->flags(cel) & Qt::ItemIsEditable))
        edit(cel);
}

void TStringGrid::keyboardSearch(const QString& zoek) {
    // What is typed in an input table is a cell's value, never a search that makes another cell
    // current (a key the current cell does not take, being fixed or closed, does nothing).
    if (tabel_->AlleenLezen()) QTableView::keyboardSearch(zoek);
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    if (mitKopieren_ && event->matches(QKeySequence::Copy)) {
        Kopieer();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TStringGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (!menu_) {
        QTableView::contextMenuEvent(event);
        return;
    }
    mitKopieren_->setEnabled(selectionModel()->hasSelection());
    menu_->popup(event->globalPos());
    event->accept();
}

QString TStringGrid::SelectieTekst() const {
    QList<QPoint> cellen;
    for (const QModelIndex& cel : selectionModel()->selectedIndexes())
        cellen << QPoint(cel.column(), cel.row());
    return TabGescheiden(*tabel_, cellen);
}

void TStringGrid::Kopieer() {
    const QString tekst = SelectieTekst();
    if (tekst.isEmpty()) return;
    if (QClipboard* klembord = QGuiApplication::clipboard()) klembord->setText(tekst);
}

bool TStringGrid::OpslaanAlsCsv() {
    const QString scenario = Bestandsnaam ? Bestandsnaam() : QString();
    const QString csv = CsvTekst ? CsvTekst() : CsvTabel(*tabel_, scenario);
    if (csv.isEmpty()) return false;
    return OpslaanAls(QStringLiteral("csv"), [&csv](const QString& naam) {
        const QByteArray bytes = csv.toUtf8();
        return QString::fromStdString(SchrijfBestand(
            DomeinPad(naam), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    });
}

bool TStringGrid::OpslaanAlsXlsx() {
    if (SchrijfWerkmap) return OpslaanAls(QStringLiteral("xlsx"), SchrijfWerkmap);
    const QString scenario = Bestandsnaam ? Bestandsnaam() : QString();
    if (CsvTabel(*tabel_, scenario).isEmpty()) return false;
    return OpslaanAls(QStringLiteral("xlsx"), [this, &scenario](const QString& naam) {
        return SchrijfWerkmapTabel(naam, *tabel_, scenario);
    });
}

bool TStringGrid::OpslaanAls(const QString& extensie,
                             const std::function<QString(const QString& naam)>& schrijf) {
    const QString scenario = Bestandsnaam ? Bestandsnaam() : QString();
    // Proposed: next to the scenario, named after it and the table.
    const QFileInfo info(scenario);
    const QString basis = scenario.isEmpty() ? QStringLiteral("Korvalinde") : info.completeBaseName();
    const QString deel = !CsvNaamDeel.isEmpty() ? CsvNaamDeel
                         : tabel_->FixedCols() > 1
                             ? QStringLiteral("uitvoer")
                             : QStringLiteral("detail ") + VariantNaam(tabel_->Naam().back().digitValue());
    QString voorstel = basis + QLatin1Char(' ') + deel + QLatin1Char('.') + extensie;
    if (!scenario.isEmpty()) voorstel = info.dir().filePath(voorstel);
    QString naam = VraagBestandsnaam ? VraagBestandsnaam(this, voorstel) : QString();
    if (naam.isEmpty()) return false;
    if (QFileInfo(naam).suffix().isEmpty()) naam += QLatin1Char('.') + extensie;
    const QString reden = schrijf(naam);
    if (reden.isEmpty()) return true;
    if (ToonFout)
        ToonFout(QStringLiteral("De tabel kon niet worden opgeslagen als \"%1\".\n%2")
                     .arg(QDir::toNativeSeparators(naam), reden));
    return false;
}

// ---------------------------------------------------------------------------------------------

void KoppelDagEdit(TznDayEdit* edit, TDagInvoer* invoer,
                   const std::function<void(const QString&)>& toonFout) {
    edit->setObjectName(invoer->Naam());
    edit->SetText(invoer->Tekst());
    QObject::connect(edit, &TznCustomDayEdit::TextEdited, invoer,
                     [invoer](const QString& tekst) { invoer->TypDoorGebruiker(tekst); });
    QObject::connect(invoer, &TInvoer::Bijgewerkt, edit, [edit, invoer] {
        if (edit->Text() != invoer->Tekst()) edit->SetText(invoer->Tekst());
        ZetHint(edit, invoer->Hint());
        ZetZichtbaar(edit, invoer->Zichtbaar());
    });
    QObject::connect(edit, &TznCustomDayEdit::Exit, invoer, [edit, invoer] {
        VangFouten([&] {
            invoer->ZetTekst(edit->Text());
            invoer->Verlaat();
        });
    });
    QObject::connect(edit, &TznCustomDayEdit::Error, invoer, toonFout);
}

QLabel* MaakLabel(TInvoer* invoer, QWidget* ouder) {
    auto* label = new QLabel(invoer->Label(), ouder);
    label->setObjectName(QStringLiteral("Stt") + invoer->Naam());
    QObject::connect(invoer, &TInvoer::Bijgewerkt, label,
                     [label, invoer] { ZetZichtbaar(label, invoer->Zichtbaar()); });
    ZetZichtbaar(label, invoer->Zichtbaar());
    return label;
}

} // namespace korvalinde
