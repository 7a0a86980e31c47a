// The edit history of the main window ("Bewerken": "Ongedaan maken", "Opnieuw"). Each edit of the
// user is one step: typing in a number input (all keys until the focus moves on), a choice, the
// turn-in date, a table cell, an alternative, a page's "Standaard" button. A step keeps the whole
// scenario as encoded before and after it, so that what the input rules changed as a consequence
// (breed shares from the milk level, the grass supply from the date, the alternatives after a
// calculation) goes back and forth with it. Undo and redo put a state back through the scenario
// document, the same path as reading a file; the saved marker then follows from the state.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QUndoStack;

namespace korvalinde {

class TInvoer;
class TInvoerset;
class TScenarioDocument;
class TTabel;

class TBewerkingen : public QObject {
    Q_OBJECT
  public:
    TBewerkingen(TInvoerset& invoer, TScenarioDocument& document, QObject* parent = nullptr);

    QUndoStack* Stapel() const { return stapel_; }

    // The next change of the inputs is a page's defaults ("Standaard" on `pagina`).
    void Standaard(const QString& pagina);
    // The focus moved on: the next edit of the same input is a step of its own.
    void NieuweSessie() { ++sessie_; }
    // Records what changed since the last step now rather than when the event loop is next idle.
    void Vastleggen();
    void OngedaanMaken();
    void Opnieuw();
    // The text of the step, e.g. "Perceelsgrootte 4.8 → 5.0"; empty when there is none.
    QString OngedaanTekst() const;
    QString OpnieuwTekst() const;

    // An empty history from the scenario as it is now (New, a file opened, the program's start).
    void Wis();
    // Puts a state back (for the steps).
    void Herstel(const QByteArray& bytes);

  signals:
    // The texts or the availability of undo and redo changed.
    void Gewijzigd();

  private:
    void Plan();
    void DoorGebruiker(TInvoer* invoer);
    // The subject of an edit ("Perceelsgrootte", "Gift Snijmais") and the value as the step names it.
    QString Onderwerp(const QString& sleutel) const;
    QString Weergave(const QString& sleutel) const;
    void OnthoudWeergaven();

    TInvoerset& invoer_;
    TScenarioDocument& document_;
    QUndoStack* stapel_;
    // The scenario as encoded at the last step (or New, open).
    QByteArray huidig_;
    // What each input and cell showed then, by key (the input's name, "Tabel:kolom,rij" for a cell).
    QHash<QString, QString> weergaven_;
    // The edit that the changes since the last step belong to; empty when none was announced.
    QString wachtend_;
    QString wachtendOnderwerp_;
    TTabel* wachtendeTabel_ = nullptr;
    bool gepland_ = false;
    bool herstellen_ = false;
    int sessie_ = 0;
};

} // namespace korvalinde
