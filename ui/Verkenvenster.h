// The window "Verkennen": the scenario on screen, taken as it stands when the window opens,
// explored in two ways. "Reeks": a number input (and optionally a second one) over a range, the
// chosen summary rows per value as a table (copied and saved as CSV like the result tables, the
// CSV that of korvalinde-bereken --reeks) and as a chart in the chart page's style. "Zoeken": the
// value of a number input, on its own grid, at which a summary row of "Basis" reaches a target,
// with the summary there beside the current one; "Overnemen" puts it into the input on its page
// as a user edit, "Als alternatief 1" into the first alternative where a kind of alternative
// replaces that input. "Gevoeligheid": a summary row of "Basis" with every number input and the
// turn-in date lowered and raised by a change, ranked by how far the row moves, as a table (copied
// and saved as the batch calculator's --gevoeligheid writes it) and as a tornado chart; one row's
// low or high value taken over as in "Zoeken".
//
// The work runs on a thread of its own with a progress bar and "Annuleren"; the main window stays
// usable. A cancelled run shows nothing of itself. A change of the inputs in the main window is
// shown ("Uitgangspunt gewijzigd — opnieuw berekenen"); the next run starts from the new state.
#pragma once

#include "core/Gevoeligheid.h"
#include "core/Reeks.h"
#include "core/Verkennen.h"

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;
class QTableWidget;
class QThread;

namespace korvalinde {

class TGrafiekvlak;
class TInvoerset;
class TStringGrid;
class TTabel;

class TVerkenvenster : public QWidget {
    Q_OBJECT
  public:
    // `bestandsnaam` gives the current scenario file (empty for a new one).
    TVerkenvenster(TInvoerset& invoer, std::function<QString()> bestandsnaam, QWidget* parent = nullptr);
    ~TVerkenvenster() override;

    // Takes the inputs and alternatives as they are on screen now as the starting point; with
    // `standaardBereiken` the ranges return to their defaults around the values now.
    void NeemUitgangspunt(bool standaardBereiken = false);
    // Whether a run is going on.
    bool Bezig() const { return draad_ != nullptr; }
    // The CSV of the last sweep (empty before one finished).
    QString ReeksCsv() const { return reeksCsv_; }
    // The chart of the last sweep as a picture (null before one finished).
    QImage ReeksAfbeelding() const;
    // The last sensitivity (no rows before one finished) and its tornado chart as a picture.
    const TGevoeligheid& Gevoeligheid() const { return gevoeligheid_; }
    QImage TornadoAfbeelding() const { return tornadoBeeld_; }

    // Asks for the chart's file name; empty when cancelled. Tests replace it.
    std::function<QString(QWidget* ouder, const QString& voorstel)> VraagBestandsnaam;
    // Called after "Als alternatief 1" set the first alternative, so that the main window computes.
    std::function<void()> AlternatiefGezet;
    // Called after "Overnemen" put the value found into its input, so that results in view follow it.
    std::function<void()> InvoerGezet;

  signals:
    // A run ended (finished or cancelled).
    void Klaar();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* MaakReeks();
    QWidget* MaakZoeken();
    QWidget* MaakGevoeligheid();
    void BerekenGevoeligheid();
    void WisGevoeligheid();
    // Takes the low (or high) value of the sensitivity table's current row into its input.
    void GevoeligheidOvernemen(bool hoog);
    // The range fields of an input: its decimals, limits, and defaults around the current value.
    void ZetBereik(QComboBox* keuze, QDoubleSpinBox* van, QDoubleSpinBox* tot, QDoubleSpinBox* stap,
                   bool heel);
    QString Naam(QComboBox* keuze) const;
    QString Tekst(QDoubleSpinBox* veld) const;
    void Start(std::function<void()> werk, std::function<void()> klaar);
    void Berekenen();
    void Zoeken();
    void ToonZoekuitkomst();
    void Overnemen(bool alsAlternatief);
    void ControleerUitgangspunt();
    // The scenario on screen now as scenario-file bytes.
    QByteArray Scenario() const;
    // The goal seek's question changed: its answer is no longer shown.
    void VraagGewijzigd();
    void WisReeks();
    void ToonGrafiekMenu(const QPoint& plek);
    bool GrafiekOpslaan();

    TInvoerset& invoer_;
    std::function<QString()> bestandsnaam_;
    QByteArray scenario_;               // the starting point as scenario-file bytes
    std::unique_ptr<TInvoerset> kopie_; // the starting point decoded: labels, ranges, values
    QThread* draad_ = nullptr;
    std::atomic<bool> annuleren_{false};
    std::atomic<int> klaar_{0};
    int totaal_ = 0;
    bool controleGepland_ = false;
    bool geplaatst_ = false;

    QLabel* LblUitgangspunt = nullptr;
    QLabel* LblGewijzigd = nullptr;
    QLabel* LblMelding = nullptr;
    QTabWidget* PgcVerkennen = nullptr;
    QProgressBar* PrbVoortgang = nullptr;
    QPushButton* BtnAnnuleren = nullptr;

    // "Reeks"
    QComboBox* CbxReeksInvoer = nullptr;
    QDoubleSpinBox* SpeReeksVan = nullptr;
    QDoubleSpinBox* SpeReeksTot = nullptr;
    QDoubleSpinBox* SpeReeksStap = nullptr;
    QCheckBox* ChkTweedeInvoer = nullptr;
    QComboBox* CbxTweedeInvoer = nullptr;
    QDoubleSpinBox* SpeTweedeVan = nullptr;
    QDoubleSpinBox* SpeTweedeTot = nullptr;
    QDoubleSpinBox* SpeTweedeStap = nullptr;
    QListWidget* LstRijen = nullptr;
    QCheckBox* ChkAlternatieven = nullptr;
    QPushButton* BtnBerekenen = nullptr;
    QScrollArea* ScrReeksTabel = nullptr;
    TStringGrid* GrdReeks = nullptr;
    TTabel* reeksTabel_ = nullptr;
    TGrafiekvlak* ImgReeksgrafiek = nullptr;
    QMenu* grafiekMenu_ = nullptr;
    QString reeksCsv_;
    QImage reeksBeeld_;

    // "Zoeken"
    QComboBox* CbxDoelRij = nullptr;
    QComboBox* CbxDoelSoort = nullptr;
    QDoubleSpinBox* SpeDoel = nullptr;
    QComboBox* CbxZoekInvoer = nullptr;
    QDoubleSpinBox* SpeZoekVan = nullptr;
    QDoubleSpinBox* SpeZoekTot = nullptr;
    QRadioButton* RbtKleinste = nullptr;
    QRadioButton* RbtGrootste = nullptr;
    QPushButton* BtnZoeken = nullptr;
    QLabel* LblZoekUitkomst = nullptr;
    QTableWidget* GrdZoekUitkomst = nullptr;
    QPushButton* BtnOvernemen = nullptr;
    QPushButton* BtnAlsAlternatief = nullptr;
    TZoekuitkomst zoek_;
    TReekspunt nu_; // the starting point's own summary
    QString zoekNaam_;
    // "Gevoeligheid"
    QComboBox* CbxGevoeligheidRij = nullptr;
    QComboBox* CbxVerandering = nullptr;
    QDoubleSpinBox* SpeProcent = nullptr;
    QDoubleSpinBox* SpeDagen = nullptr;
    QPushButton* BtnGevoeligheid = nullptr;
    QPushButton* BtnLaagOvernemen = nullptr;
    QPushButton* BtnHoogOvernemen = nullptr;
    QScrollArea* ScrGevoeligheid = nullptr;
    TStringGrid* GrdGevoeligheid = nullptr;
    TTabel* gevoeligheidTabel_ = nullptr;
    TGrafiekvlak* ImgTornado = nullptr;
    TGevoeligheid gevoeligheid_;
    QImage tornadoBeeld_;

    int vraag_ = 0; // counts the changes of the question, so that a late answer to an old one is dropped
};

} // namespace korvalinde
