#include "ui/Bewerkingen.h"

#include "core/Invoerset.h"
#include "core/Scenario.h"

#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace korvalinde {

namespace {

// One edit: the scenario before and after it, and the text that names it.
class TStap : public QUndoCommand {
  public:
    TStap(TBewerkingen& bewerkingen, const QString& sleutel, int sessie, const QString& onderwerp,
          const QString& oud, const QString& nieuw, const QByteArray& voor, const QByteArray& na)
        : bewerkingen_(bewerkingen), sleutel_(sleutel), sessie_(sessie), onderwerp_(onderwerp), oud_(oud),
          nieuw_(nieuw), voor_(voor), na_(na) {
        ZetTekst();
    }

    int id() const override { return 1; }

    // The keys typed into one input (or cell) while it keeps the focus are one step.
    bool mergeWith(const QUndoCommand* ander) override {
        const auto* stap = static_cast<const TStap*>(ander);
        if (sleutel_.isEmpty() || stap->sleutel_ != sleutel_ || stap->sessie_ != sessie_) return false;
        na_ = stap->na_;
        nieuw_ = stap->nieuw_;
        ZetTekst();
        // Typed back to where it began: no step at all.
        setObsolete(na_ == voor_);
        return true;
    }

    void undo() override { bewerkingen_.Herstel(voor_); }
    void redo() override {
        // Pushing the step: the edit itself has already been made.
        if (gedaan_) {
            gedaan_ = false;
            return;
        }
        bewerkingen_.Herstel(na_);
    }

    // A consequence that came after the step was recorded (a rule on leaving an input, the
    // calculation's alternatives) belongs to it.
    void ZetNa(const QByteArray& na) { na_ = na; }

  private:
    void ZetTekst() {
        setText(oud_.isNull() ? onderwerp_
                              : onderwerp_ + QLatin1Char(' ') + oud_ + QStringLiteral(" → ") + nieuw_);
    }

    TBewerkingen& bewerkingen_;
    QString sleutel_;
    int sessie_;
    QString onderwerp_;
    QString oud_;
    QString nieuw_;
    QByteArray voor_;
    QByteArray na_;
    bool gedaan_ = true;
};

QString CelSleutel(const TTabel* tabel, int kolom, int rij) {
    return tabel->Naam() + QLatin1Char(':') + QString::number(kolom) + QLatin1Char(',') +
           QString::number(rij);
}

// A label without its unit: "Perceelsgrootte (ha)" -> "Perceelsgrootte".
QString ZonderEenheid(const QString& tekst) {
    static const QRegularExpression eenheid(QStringLiteral("\\s*\\([^)]*\\)\\s*$"));
    QString kort = tekst;
    kort.remove(eenheid);
    return kort.trimmed();
}

QString Leeg(const QString& tekst) {
    return tekst.trimmed().isEmpty() ? QStringLiteral("(leeg)") : tekst.trimmed();
}

} // namespace

TBewerkingen::TBewerkingen(TInvoerset& invoer, TScenarioDocument& document, QObject* parent)
    : QObject(parent), invoer_(invoer), document_(document), stapel_(new QUndoStack(this)) {
    for (TInvoer* i : invoer_.findChildren<TInvoer*>(QString(), Qt::FindDirectChildrenOnly)) {
        connect(i, &TInvoer::Bijgewerkt, this, &TBewerkingen::Plan);
        connect(i, &TInvoer::DoorGebruiker, this, [this, i] { DoorGebruiker(i); });
    }
    for (TTabel* tabel : invoer_.Tabellen()) {
        connect(tabel, &TTabel::CelGewijzigd, this, &TBewerkingen::Plan);
        connect(tabel, &TTabel::SetEditText, this, [this, tabel](int kolom, int rij) {
            if (wachtendeTabel_ == tabel && wachtend_ == tabel->Naam())
                wachtend_ = CelSleutel(tabel, kolom, rij);
        });
    }
    connect(&document_, &TScenarioDocument::Begonnen, this, &TBewerkingen::Wis);
    connect(stapel_, &QUndoStack::indexChanged, this, &TBewerkingen::Gewijzigd);
    connect(stapel_, &QUndoStack::undoTextChanged, this, &TBewerkingen::Gewijzigd);
    connect(stapel_, &QUndoStack::redoTextChanged, this, &TBewerkingen::Gewijzigd);
    Wis();
}

void TBewerkingen::Wis() {
    gepland_ = false;
    stapel_->clear();
    huidig_ = document_.Bytes();
    OnthoudWeergaven();
    wachtend_.clear();
    wachtendeTabel_ = nullptr;
    ++sessie_;
    emit Gewijzigd();
}

void TBewerkingen::Plan() {
    if (gepland_ || herstellen_) return;
    gepland_ = true;
    // After the whole chain of rules the change set off.
    QTimer::singleShot(0, this, &TBewerkingen::Vastleggen);
}

void TBewerkingen::DoorGebruiker(TInvoer* invoer) {
    if (herstellen_ || !wachtend_.isEmpty()) return;
    wachtend_ = invoer->Naam();
    wachtendOnderwerp_.clear();
    wachtendeTabel_ = qobject_cast<TTabel*>(invoer);
    Plan();
}

void TBewerkingen::Standaard(const QString& pagina) {
    Vastleggen();
    wachtend_ = QStringLiteral("Standaard:") + pagina;
    wachtendOnderwerp_ = QStringLiteral("Standaardwaarden ") + pagina;
    wachtendeTabel_ = nullptr;
    ++sessie_;
    Plan();
}

void TBewerkingen::Vastleggen() {
    gepland_ = false;
    if (herstellen_) return;
    const QByteArray nu = document_.Bytes();
    if (!wachtend_.isEmpty()) {
        if (nu != huidig_) {
            const bool standaard = !wachtendOnderwerp_.isEmpty();
            const QString oud = standaard ? QString() : Leeg(weergaven_.value(wachtend_));
            const QString nieuw = standaard ? QString() : Leeg(Weergave(wachtend_));
            const QString onderwerp = standaard ? wachtendOnderwerp_ : Onderwerp(wachtend_);
            stapel_->push(new TStap(*this, standaard ? QString() : wachtend_, sessie_, onderwerp, oud, nieuw,
                                    huidig_, nu));
        }
    } else if (nu != huidig_ && stapel_->index() > 0 && stapel_->index() == stapel_->count()) {
        // Not the user's own edit: a rule that followed the last one.
        auto* stap = static_cast<const TStap*>(stapel_->command(stapel_->index() - 1));
        const_cast<TStap*>(stap)->ZetNa(nu);
    }
    wachtend_.clear();
    wachtendeTabel_ = nullptr;
    if (nu != huidig_) {
        huidig_ = nu;
        OnthoudWeergaven();
    }
}

void TBewerkingen::OngedaanMaken() {
    Vastleggen();
    ++sessie_;
    stapel_->undo();
}

void TBewerkingen::Opnieuw() {
    Vastleggen();
    ++sessie_;
    stapel_->redo();
}

QString TBewerkingen::OngedaanTekst() const {
    return stapel_->canUndo() ? stapel_->undoText() : QString();
}

QString TBewerkingen::OpnieuwTekst() const {
    return stapel_->canRedo() ? stapel_->redoText() : QString();
}

void TBewerkingen::Herstel(const QByteArray& bytes) {
    {
        const QScopedValueRollback<bool> bezig(herstellen_, true);
        document_.Herstel(bytes);
    }
    gepland_ = false;
    wachtend_.clear();
    wachtendeTabel_ = nullptr;
    huidig_ = document_.Bytes();
    OnthoudWeergaven();
}

QString TBewerkingen::Onderwerp(const QString& sleutel) const {
    const qsizetype dubbelpunt = sleutel.indexOf(QLatin1Char(':'));
    if (dubbelpunt >= 0) {
        // A cell: its column's heading and its row's label ("Gift Snijmais", "Aandeel < 60 dagen").
        const TTabel* tabel = invoer_.Tabel(sleutel.left(dubbelpunt));
        const QStringList plek = sleutel.mid(dubbelpunt + 1).split(QLatin1Char(','));
        if (!tabel || plek.size() != 2) return sleutel;
        const int kolom = plek.at(0).toInt();
        const int rij = plek.at(1).toInt();
        QString rijLabel = tabel->Cel(0, rij).trimmed();
        if (tabel == invoer_.GrdProductie || tabel == invoer_.GrdKrachtvoer)
            rijLabel += QStringLiteral(" dagen");
        return ZonderEenheid(tabel->Cel(kolom, 0)) + QLatin1Char(' ') + rijLabel;
    }
    if (sleutel == invoer_.CbxAlt1->Naam()) return QStringLiteral("Alternatief 1");
    if (sleutel == invoer_.CbxAlt2->Naam()) return QStringLiteral("Alternatief 2");
    if (sleutel == invoer_.SpeAlt1->Naam()) return QStringLiteral("Waarde alternatief 1");
    if (sleutel == invoer_.SpeAlt2->Naam()) return QStringLiteral("Waarde alternatief 2");
    const TInvoer* invoer = invoer_.Invoer(sleutel);
    if (!invoer) return sleutel;
    if (const auto* tabel = qobject_cast<const TTabel*>(invoer)) return tabel->Naam().mid(3);
    return ZonderEenheid(invoer->Label());
}

QString TBewerkingen::Weergave(const QString& sleutel) const {
    const qsizetype dubbelpunt = sleutel.indexOf(QLatin1Char(':'));
    if (dubbelpunt >= 0) {
        const TTabel* tabel = invoer_.Tabel(sleutel.left(dubbelpunt));
        const QStringList plek = sleutel.mid(dubbelpunt + 1).split(QLatin1Char(','));
        if (!tabel || plek.size() != 2) return {};
        return tabel->Cel(plek.at(0).toInt(), plek.at(1).toInt());
    }
    if (const TGetalInvoer* getal = invoer_.Getal(sleutel)) return getal->TekstVoor(getal->Value());
    if (const TKeuzeInvoer* keuze = invoer_.Keuze(sleutel)) return keuze->Tekst();
    if (sleutel == invoer_.Cbxdatum->Naam()) {
        // As the day edit shows it: day/month.
        const int waarde = invoer_.Cbxdatum->Waarde();
        if (TDagInvoer::Controle(waarde).isEmpty())
            return QStringLiteral("%1/%2")
                .arg(waarde / 100, 2, 10, QLatin1Char('0'))
                .arg(waarde % 100, 2, 10, QLatin1Char('0'));
        return invoer_.Cbxdatum->Tekst();
    }
    return {};
}

void TBewerkingen::OnthoudWeergaven() {
    weergaven_.clear();
    for (const TInvoer* i : invoer_.findChildren<TInvoer*>(QString(), Qt::FindDirectChildrenOnly))
        if (!qobject_cast<const TTabel*>(i)) weergaven_.insert(i->Naam(), Weergave(i->Naam()));
    for (const TTabel* tabel : invoer_.Tabellen())
        for (int rij = tabel->FixedRows(); rij < tabel->RowCount(); ++rij)
            for (int kolom = tabel->FixedCols(); kolom < tabel->ColCount(); ++kolom)
                weergaven_.insert(CelSleutel(tabel, kolom, rij), tabel->Cel(kolom, rij));
}

} // namespace korvalinde
