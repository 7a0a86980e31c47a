// The scenario as a document of the main window: the current file, the caption, the saved flag and
// the flows New, Open, Save, Save As, a click in the recent-files list and the close query, with the
// reading and writing of the scenario file through the input set. Widget-free: the window supplies
// the file dialogs and the recent-files list through hooks, and boxes go through a TMelder.
#pragma once

#include "core/Berekening.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/ScenarioBestand.h"

#include <QObject>
#include <QString>

#include <functional>

namespace korvalinde {

// The file dialogs of the scenario file, for the window (QFileDialog filter form).
inline constexpr const char* OpenDialoogTitel = "Openen";
inline constexpr const char* OpenDialoogFilter = "exc-bestand (*.kvl);;alle bestanden  (*.*)";
inline constexpr const char* OpslaanDialoogTitel = "Opslaan als";
inline constexpr const char* OpslaanDialoogFilter = "kvl-bestand (*.kvl)";
inline constexpr const char* ScenarioExtensie = "kvl";

// The input set as the scenario file sees it: every input by control name. Values put in go
// through the inputs as any value from the program does: number inputs clamp and round and fire
// their rules, choices are selected without their rules, the turn-in date takes its text.
class TInvoersetScenario : public ScenarioInvoer {
  public:
    explicit TInvoersetScenario(TInvoerset& invoer) : invoer_(invoer) {}

    long double Getal(std::string_view naam) const override;
    void ZetGetal(std::string_view naam, long double waarde) override;
    int Index(std::string_view naam) const override;
    void ZetIndex(std::string_view naam, int index) override;
    std::string Tekst(std::string_view naam) const override;
    void ZetTekst(std::string_view naam, const std::string& tekst) override;
    std::string Cel(std::string_view tabel, int kolom, int rij) const override;
    void ZetCel(std::string_view tabel, int kolom, int rij, const std::string& tekst) override;
    int AlternatiefIndex(int nr) const override;
    long double AlternatiefWaarde(int nr) const override;
    void ZetAlternatiefIndex(int nr, int index) override;
    void ZetAlternatiefWaarde(int nr, float waarde) override;

  private:
    TGetalInvoer* GetalInvoer(std::string_view naam) const;
    TKeuzeInvoer* KeuzeInvoer(std::string_view naam) const;
    TTabel* TabelInvoer(std::string_view naam) const;

    TInvoerset& invoer_;
};

// The shortest decimal text that reads back as the same single-precision number ("2.25", "0.1").
QString KortsteTekst(float waarde);

class TScenarioDocument : public QObject {
    Q_OBJECT
  public:
    TScenarioDocument(TInvoerset& invoer, TBerekening& berekening, TMelder& melder,
                      QObject* parent = nullptr);

    // The current file (full path); empty for a new scenario. "Opslaan" writes to it.
    QString Bestandsnaam() const { return bestandsnaam_; }
    // "Korvalinde", or "Korvalinde - weide1.kvl" with the current file's name in lower case.
    QString Caption() const;
    // The bytes the scenario now encodes to: what "Opslaan" would write.
    QByteArray ScenarioBytes() const;
    // No unsaved changes: the scenario encodes to the same bytes as right after New, the last
    // successful open or the last save ("Nee" in the close query gives the changes up). An edit
    // typed back to its old value is no change; a change a rule makes (the alternatives after a new
    // base, a residue written back) is one.
    bool Opgeslagen() const { return ScenarioBytes() == bewaard_; }
    // The message of the last failed read or write; empty when the last one succeeded.
    QString LaatsteFout() const { return laatsteFout_; }

    // Hooks the window sets (tests set them too); each may be empty.
    std::function<QString(const QString& huidige)> VraagOpenNaam;    // open dialog; "" = cancelled
    std::function<QString(const QString& huidige)> VraagOpslaanNaam; // save dialog; "" = cancelled
    std::function<void(const QString& pad)> VoegToeAanHistorie;      // recent-files list

    // Reads a scenario file into the inputs, computes it and shows "Uitvoer". False after a failure
    // (error box shown). A file that cannot be opened or read whole (it ends early, holds a value
    // that does not fit) changes nothing: inputs, alternatives, results, current file, caption and
    // saved flag stay as they were. A calculation that fails after the file was read (a turn-in
    // date that is no date) keeps the file current and empties the result tables.
    bool Lees(const QString& pad);
    // Writes the inputs to a file, replacing it only when everything was written. On success the
    // file becomes the current file and the scenario counts as saved; on failure (error box shown)
    // the previous file, the current file name, the caption and the saved flag stay as they were.
    bool Schrijf(const QString& pad);

    // File menu. Nieuw itself asks nothing (the program start uses it); the menu's New asks first,
    // as Openen and a click in the recent-files list do, when there are unsaved changes.
    void Nieuw();
    void NieuwNaVraag();
    void Openen();
    bool Opslaan(); // true when written
    bool OpslaanAls();
    void BestandHistorieClick(const QString& pad);
    // The close query: true when the window may close.
    bool MagSluiten();
    // The user changed an input, a table cell, an alternative or a page's defaults: the saved
    // state is compared at once (the caption's marker follows).
    void GebruikerWijziging();
    // Compares the saved state now and announces a change of it; the inputs ask for it (queued)
    // whenever they change, the calculation after each refresh of the results.
    void Controleer();
    // The scenario as it is now is where New leaves it (the program's start): unchanged, with an
    // empty edit history.
    void Onveranderd();

    // The bytes the scenario on screen encodes to: what "Opslaan" would write now.
    QByteArray Bytes() const { return ScenarioBytes(); }
    // Puts back a state the scenario had (undo, redo), through the same path as reading a file:
    // inputs and alternatives as `bytes` hold them, the results recomputed when they are in view,
    // the alternatives' values kept. The scenario counts as saved exactly when the state put back is
    // the one last saved or opened. False after a failure (box shown).
    bool Herstel(const QByteArray& bytes);

  signals:
    void CaptionGewijzigd(const QString& caption);
    void OpgeslagenGewijzigd(bool opgeslagen);
    // New, or a file read: the scenario on screen starts afresh (its edit history starts empty).
    void Begonnen();

  private:
    // With unsaved changes, the question "Bestand … opslaan ?": true when the command may go on
    // ("Ja" and saved, or "Nee"); "Annuleer", or a save that did not take place, stops it.
    bool VraagOmOpslaan();
    // What the scenario encodes to now is what counts as saved; ZetOnbewaard: nothing does.
    void ZetBewaard();
    void ZetOnbewaard();
    void PlanControle();
    // Decodes the file into an input set of its own; the message of the error box, empty when whole.
    static QString Proeflezen(const QByteArray& data);
    void ZetBestandsnaam(const QString& pad);
    // The error box of a failed read or write of `pad`: a Dutch line that names the file, says what
    // is wrong and what to do, then the message itself, which LaatsteFout keeps.
    void Meld(const QString& melding, const QString& pad = QString(), bool schrijven = false);

    TInvoerset& invoer_;
    TBerekening& berekening_;
    TMelder& melder_;
    QString bestandsnaam_;
    QByteArray bewaard_;
    bool opgeslagen_ = true; // as last announced
    bool controleGepland_ = false;
    QString laatsteFout_;
};

// For the batch calculator: a fresh input set as a new main window has it (defaults, first
// calculation, alternatives chosen), into which a scenario file is read exactly as the window reads
// it, computed. False with the message of the error box when the file could not be read or computed.
bool LeesScenarioBestand(const QString& pad, TInvoerset& invoer, TBerekening& berekening, TMelder& melder,
                         QString& fout);

// The bytes of a scenario file: only a regular file is read (a FIFO or a device would wait or
// never end), at most 16 MiB (a longer file reads as far as its fields go). Empty, or the message
// of the file's error box.
QString LeesScenarioBytes(const QString& pad, QByteArray& data);

// The Dutch first line of the error box of a failed read (or, with `schrijven`, write) of the
// scenario file `pad` whose message is `melding`: it names the file, says what is wrong and what
// to do. Empty for a message that is no file error.
QString BestandFoutUitleg(const QString& pad, const QString& melding, bool schrijven);

// The error box's text for a file that cannot be opened: "Cannot open file X".
QString NietTeOpenen(const QString& pad);

// Decodes a whole scenario file into `invoer`, its defaults set first, with what only shows the
// values read (the sward-density list, the previous cut's details). Empty, or the message of the
// error box; the inputs are then partly read.
QString DecodeerScenario(const QByteArray& data, TInvoerset& invoer);

// For the batch calculator: the input record of a scenario file exactly as a window computes it
// after opening the file, read without computing anything (the record does not depend on the runs
// the window makes while it opens the file). False with the message of the error box when the file
// cannot be read or its inputs cannot be (a turn-in date that is no date). The boxes the window
// would show on the way (an unknown choice text) go to `melder`, and so does NieuwereVersie's
// warning.
bool LeesScenarioInvoer(const QString& pad, TQXInvoer& record, TMelder& melder, QString& fout);

// For the batch calculator: a warning when a scenario file's version number is beyond this program's
// (a later program wrote it: what that version adds is not read); empty otherwise. Only the version
// number is looked at, so it may come before the file is decoded.
QString NieuwereVersie(const QByteArray& data);

// For the batch calculator: writes the file that "Nieuw" followed by "Opslaan" writes in a new
// window. False with the message: the file and the system's reason ("Schrijven naar X mislukt: File
// too large").
bool SchrijfNieuwScenario(const QString& pad, QString& fout);

} // namespace korvalinde
