// The calculation run and its results: copying the input set into an input record, running the
// farm model for the three variants, keeping the records of the last run, the result tables
// ("Uitvoer" and "Detailuitvoer") and the two alternatives with their rules. Widget-free: the main
// window binds its pages to the tables and inputs here and tells which page is active.
#pragma once

#include "core/Invoerset.h"
#include "domain/Bedrijfsmodel.h"
#include "domain/Records.h"

#include <QObject>

#include <array>
#include <memory>

namespace korvalinde {

// The summary row that shows the quantity of each kind of alternative (item 0..6).
inline constexpr std::array<SamRij, 7> AlternatiefRij{
    RijWeidedagen, RijOppervlakte, RijWeiderest, RijAanbodInscharen, RijSnijmais, RijGraskuil, RijKrachtvoer};

// The rows of the summary table that have a label: the row, its label and its unit as the table
// shows them ("      Weiderest", "(kg ds/ha)"); group headings have no unit.
struct TSamenvattingRij {
    SamRij rij;
    const char* label;
    const char* eenheid;
};
const std::array<TSamenvattingRij, 25>& SamenvattingRijen();

// The columns DetBiomassa5 .. DetMelk of the detail tables: their three header texts and the
// output record's array that fills them.
struct TDetailKolomOpzet {
    const char* kop[3];
    TQXUitvoer::Detail TQXUitvoer::*veld;
};
const std::array<TDetailKolomOpzet, DetLaatsteKolom>& DetailKolommen();

// A fresh input record from the input set, field by field as the calculation run reads the inputs.
// May raise EKorvalindeFout (an invalid turn-in date); choice texts the vocabulary does not know
// show their box and pass unchanged.
TQXInvoer LeesInvoerRecord(TInvoerset& invoer);

// The result tables "Uitvoer" and "Detailuitvoer" with their labels and headers, children of
// `ouder`: the summary and one detail table per variant. The calculation driver keeps one set; the
// batch calculator makes one to print an output record as the tables show it.
struct TResultaatTabellen {
    TTabel* Sam = nullptr;
    std::array<TTabel*, 3> Det{};
};
TResultaatTabellen MaakResultaatTabellen(QObject* ouder);
// Every value cell of the tables from an output record, as the page-change rule fills them.
void VulResultaatTabellen(const TResultaatTabellen& tabellen, const TQXUitvoer& uitvoer);

class TBerekening : public QObject {
    Q_OBJECT
  public:
    TBerekening(TInvoerset& invoer, TMelder& melder, QObject* parent = nullptr);
    ~TBerekening() override;

    TInvoerset& Invoer() const { return invoer_; }

    // Result tables: the summary and one detail table per variant.
    TTabel* GrdUitvoerSam;
    std::array<TTabel*, 3> GrdUitvoerDet;

    // The records of the last run; empty (all 0, all texts empty) until the first run.
    TQXInvoer BewaardeInvoer;
    TQXUitvoer BewaardeUitvoer;

    // On while a scenario file is read and the results recomputed after it.
    bool LaadModus = false;

    // Whether the results are in view (the window shows one of its result pages); the page-change
    // rule computes and refreshes only then.
    bool ResultatenInBeeld() const { return resultatenInBeeld_; }
    // The user turned to a page that shows the results or not: remember it and run the rule.
    void PaginaGewijzigd(bool resultaten, QObject* sender = nullptr);
    // The program brings the results into view (a scenario read, start-up) or the inputs (New, end
    // of start-up): the window follows through `ResultatenGevraagd` or `InvoerGevraagd`, then the
    // rule runs as for a user's change.
    void ToonResultaten(QObject* sender = nullptr);
    void ToonInvoer();

    // Reading of a table cell: empty or not a number gives 0.
    static float TekstNaarGetal(const QString& tekst);

    // Fills a fresh input record from the input set. May raise EKorvalindeFout (an invalid turn-in
    // date); choice texts the vocabulary does not know show their box and pass unchanged.
    TQXInvoer LeesInvoer();

    // One calculation run. A model error is shown in a "Fout" box and the partly filled output is
    // kept; an error while reading the inputs leaves before the model runs and reaches the caller.
    // With `modelFout` given, a model error is handed back there instead of shown (the report shows
    // it once for all its pages).
    bool Doorrekenen(QString* modelFout = nullptr);

    // The page-change rule; also called by the alternatives' rules with the changed control.
    void TabKorvalindeChange(QObject* sender);

    void VulDetailTabellen();
    void VulSamenvatting();
    // Empties the value cells of the summary and detail tables (and so the chart): the inputs on
    // screen could not be computed. They fill again at the next successful calculation.
    void WisResultaten();

    // The alternatives (page "Uitvoer"). SetRxSpinEdit sets a value field up for a kind (number
    // kind, range with its hint, step, decimals) and, unless a file is read, gives it the base
    // value. The two set operations give both fields the base values of their kinds, resp. the
    // values the alternatives reached, without their change rules (the page-change rule computes
    // once afterwards); alternative 2 of the same kind as alternative 1 takes alternative 1's
    // value. True when a field changed.
    void SetRxSpinEdit(int item, TGetalInvoer* veld);
    bool AlternatievenNaarBasis();
    bool AlternatievenNaarUitkomst();
    void CbxAlt1Change(TKeuzeInvoer* box);
    void SpeAlt1Change();
    void SpeAlt2Change();

    // Whether the calculation attempt under way, or one that ended in this pass of the event loop,
    // said this message: the turn-in date's own check, set off by the same click, need not say it
    // again.
    bool ZojuistGemeld(const QString& tekst) const {
        return zojuist_.contains(tekst) || (poging_ && poging_->Getoond().contains(tekst));
    }

    // The first calculation of a new scenario: computes with the results in view, sets both
    // alternatives to "Opname ds snijmais" with the base intake, then brings the inputs back.
    void StartBerekening();

  signals:
    // A calculation run starts (true) and ends (false), also when it fails.
    void Rekent(bool bezig);
    // A calculation run ended and the kept records are renewed.
    void Doorgerekend();
    // The page-change rule refilled the result tables, or emptied them after a failed run.
    void TabellenVernieuwd();
    // The program asks for the results (the window shows "Uitvoer") or the inputs ("Veestapel")
    // to come into view; the rule runs right after, so the window only shows the page.
    void ResultatenGevraagd();
    void InvoerGevraagd();

  private:
    friend class TRekenpoging;
    void MaakTabellen();
    // The melder of the calculation attempt under way (each message once), else the window's.
    TMelder& Melder() const { return poging_ ? *poging_ : melder_; }
    // One run of the page-change rule; false (box shown) when the inputs on screen cannot be
    // computed: an input that cannot be read, a choice text the vocabulary does not know, or a
    // model error.
    bool Reken();
    // Both value fields quietly; see AlternatievenNaarBasis.
    bool ZetAlternatiefWaarden(const QString& waarde1, const QString& waarde2);
    // The text a value field gets from column `kolom` of the kept output record for its kind.
    QString UitkomstTekst(int nr, int kolom) const;

    TInvoerset& invoer_;
    TMelder& melder_;
    std::unique_ptr<TBedrijf> bedrijf_;
    // The "Basis" column as last filled from a calculation: the reference for a changed base, kept
    // when the tables are emptied after a failed run, so that the alternatives survive it.
    std::array<QString, 30> getoondeBasis_;
    // On while a rule sets up or fills both value fields: their own change rules wait for it.
    bool alternatievenOpzetten_ = false;
    // The melder of the calculation attempt under way; null between attempts. What the last attempt
    // said, until the event loop goes on.
    TEenmaligMelder* poging_ = nullptr;
    QSet<QString> zojuist_;
    // Kind and text of each value field right after the last write-back of a reached value. A
    // field that still holds it is not written back again: a residue that the grazing does not
    // reach (regrowth outruns the herd) would otherwise swap between two values at every page turn.
    struct TTeruggeschreven {
        int item = -1;
        QString tekst;
        bool operator==(const TTeruggeschreven&) const = default;
    };
    std::array<TTeruggeschreven, 2> teruggeschreven_{};
    bool IsTeruggeschreven(int nr) const;
    bool resultatenInBeeld_ = false;
};

// One calculation attempt: the page-change rule with all its runs, or the opening of a file with
// its runs. Each run reads the inputs again, so an unknown choice text would show its box at every
// run; while the attempt lasts every message is shown once, those of the input set's vocabulary
// too. An attempt inside another one is part of it.
class TRekenpoging {
  public:
    explicit TRekenpoging(TBerekening& berekening);
    ~TRekenpoging();
    TRekenpoging(const TRekenpoging&) = delete;
    TRekenpoging& operator=(const TRekenpoging&) = delete;

  private:
    TBerekening& berekening_;
    TEenmaligMelder filter_;
    TMelder* invoerMelder_ = nullptr;
    bool eigen_ = false;
};

} // namespace korvalinde
