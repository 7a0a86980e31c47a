// The input set of one scenario: every input of the four input pages ("Veestapel", "Voeding",
// "Grasland", "Overig") and the two alternatives of the page "Uitvoer", by control name, with the
// rules that fill defaults, derive inputs from other inputs, keep shares at 100, show or hide the
// previous-cut details and check typed table values. Widget-free: the main window binds its
// controls to these inputs; the calculation, the scenario file and the batch calculator use them
// without a window.
#pragma once

#include "core/Invoer.h"
#include "core/Meldingen.h"

#include <QObject>
#include <QPair>

#include <memory>

namespace korvalinde {

// Maps the text of a choice to its model code ("Zeer dicht" -> "ZDICHT"): lower case, spaces
// removed, looked up. An unknown text shows the box "Onbekende string :" followed by the normalised
// text (kind "Fout", "OK") and comes back unchanged; `bekend` (when given) tells which of the two.
QString StringNaarCode(const QString& tekst, TMelder& melder, bool* bekend = nullptr);

// The input tables by their tag, the number their rules tell them apart by.
enum TabelTag : int { TagProductie = 1, TagKrachtvoer = 2, TagVoeders = 3, TagGras = 4 };

// The rows whose fill value (VW) is computed from their composition.
enum class VwRij { Krachtvoer, Snijmais, Graskuil, Gras };

class TInvoerset : public QObject {
    Q_OBJECT
  public:
    // The inputs start empty (no item selected, empty texts, only the tables' labels); call
    // ZetStandaardwaarden for a new scenario. Boxes go to `melder`; without one they are only
    // recorded (see Meldingen()).
    explicit TInvoerset(TMelder* melder = nullptr, QObject* parent = nullptr);
    ~TInvoerset() override;

    void ZetMelder(TMelder* melder);

    // Makes this input set hold exactly what `bron` holds, input by input, without running a rule or
    // firing an event (no widgets may be bound to this set). A sweep reads its scenario once and
    // starts every point from a copy of it.
    void NeemToestandOver(const TInvoerset& bron);
    TMelder& Melder() const { return *melder_; }

    // Page "Veestapel", group "Veestapel".
    TGetalInvoer* SpenKoe;
    TGetalInvoer* SpeMelknivo;
    TGetalInvoer* SpePercPar1;
    TGetalInvoer* SpePercPar2;
    TGetalInvoer* SpePercPar3;
    TGetalInvoer* SpePercRas1;
    TGetalInvoer* SpePercRas2;
    TGetalInvoer* SpeTkt;
    TGetalInvoer* SpeGewicht;
    // Page "Veestapel", group "Productie" (table 1).
    TTabel* GrdProductie;
    // Page "Voeding", group "Voedermiddelen" (tables 2 and 3).
    TTabel* GrdKrachtvoer;
    TTabel* GrdVoeders;
    // Page "Grasland", group "Perceelsgegevens".
    TGetalInvoer* SpePerceelOpp;
    TKeuzeInvoer* CbxSysteem;
    TKeuzeInvoer* CbxZode;
    TKeuzeInvoer* CbxJaargift;
    TKeuzeInvoer* CbxGrondsoort;
    TKeuzeInvoer* CbxOntwatering;
    TKeuzeInvoer* CbxEngelsraai;
    // Page "Grasland", group "Beweiding".
    TDagInvoer* Cbxdatum;
    TGetalInvoer* SpeHergroei;
    TGetalInvoer* SpeGrasaanbod;
    TGetalInvoer* SpeUrenWeidegang;
    TGetalInvoer* SpeBiomassa05;
    // Page "Grasland", group "Vorige snede".
    TKeuzeInvoer* CbxVorigGebruik;
    TKeuzeInvoer* CbxBloten;
    TGetalInvoer* SpeVorigDagen;
    TGetalInvoer* SpeVorigRest;
    // Page "Overig", group "Detail invoer" (table 4 first).
    TTabel* GrdGras;
    TGetalInvoer* SpenMestflat;
    TGetalInvoer* SpenUrlozing;
    TGetalInvoer* SpeOppMestflat;
    TGetalInvoer* SpeOppUrplek;
    // Page "Uitvoer": the two alternatives (kind and value). They carry no rules here; the
    // calculation driver hangs its rules on their `Wijziging` signals.
    TKeuzeInvoer* CbxAlt1;
    TKeuzeInvoer* CbxAlt2;
    TGetalInvoer* SpeAlt1;
    TGetalInvoer* SpeAlt2;
    // Both alternatives as a new input set has them: no kind chosen, the value fields decimal with
    // one place, range 1 to 100, value 1. Fires the value fields' change events.
    void AlternatievenBeginstand();
    // Alternative 1 or 2: its choice and its value field.
    TKeuzeInvoer* AlternatiefKeuze(int nr) const { return nr == 1 ? CbxAlt1 : CbxAlt2; }
    TGetalInvoer* AlternatiefVeld(int nr) const { return nr == 1 ? SpeAlt1 : SpeAlt2; }

    // Lookup by control name; nullptr when there is no such input (or it is of another kind).
    TInvoer* Invoer(const QString& naam) const;
    TGetalInvoer* Getal(const QString& naam) const;
    TKeuzeInvoer* Keuze(const QString& naam) const;
    TTabel* Tabel(const QString& naam) const;
    // All inputs of a kind, in screen order (input pages first, then the alternatives).
    QList<TGetalInvoer*> Getallen() const;
    QList<TKeuzeInvoer*> Keuzes() const;
    QList<TTabel*> Tabellen() const;

    QString StringNaarCode(const QString& tekst) const;
    // How many choice texts the vocabulary did not know so far (each one showed its box): a
    // calculation that met one has computed a choice the model does not know.
    int OnbekendeTeksten() const { return onbekend_; }

    // The advised range of a data column of table `tag` (shown as tooltip on selection); 0..100
    // for a column without one.
    static QPair<int, int> CelBereik(int tag, int kolom);

    // The number in a cell ("." as decimal separator). A text that is not a number raises
    // EKorvalindeFout "'<text>' is not a valid floating point value".
    static long double CelGetal(const TTabel* tabel, int kolom, int rij);

  signals:
    // The user changed an input (typing, a step, a choice, a table cell, the turn-in date, an
    // alternative). The "Standaard" buttons are the window's and say so themselves.
    void GebruikerWijziging();

  public slots:
    // The page's defaults (what its "Standaard" button sets), and those of a whole new scenario.
    void StandaardVeestapel();
    void StandaardVoeding();
    void StandaardGrasland();
    void StandaardOverig();
    void ZetStandaardwaarden();

    // Change rules.
    void SpeMelknivoChange();
    void SpePercPar1Change();
    void SpePercPar2Change();
    void SpePercPar3Change();
    void SpePercRas1Change();
    void SpePercRas2Change();
    void CbxVorigGebruikChange();
    void CbxSysteemChange();
    void CbxZodeChange();
    void CbxOntwateringChange() { BerekenGraswaarden(); }
    void CbxEngelsraaiChange() { BerekenGraswaarden(); }
    void SpeGrasaanbodChange() { BerekenGraswaarden(); }
    void CbxdatumExit();

    // Derived values.
    void GrasaanbodPerMaand();
    void BerekenGraswaarden();
    void BerekenVw(VwRij rij);
    void BerekenKrachtvoergift();
    void BerekenUrenWeidegang();
    void VerdeelAandelen(int rij);

    // Presentation that follows inputs, without changing any value (for a scenario just read):
    // the sward-density list of the current grazing system with the selected index kept, and the
    // previous-cut details shown or hidden by the previous use and the topping.
    void VulZodeLijst();
    void ToonVorigeSnede();

    // Table rules: the user committed a cell's text (a text that is no number is said and the cell
    // gets its previous text back); the user selects a cell; the
    // focus leaves the table.
    void GrdSetEditText(TTabel* tabel, int kolom, int rij);
    void GrdSelectCell(TTabel* tabel, int kolom, int rij);
    void GrdExit(TTabel* tabel);

  private:
    void MaakInvoer();
    void MaakTabellen();
    void Koppel();
    void MaakHints();
    void ZetPariteit(int gewijzigd);
    // Whether the previous cut was grazed, and whether its residue counts (grazed and not topped
    // afterwards). Each choice text is looked up once, so an unknown text shows its box once.
    struct TVorigeSnede {
        bool geweid = false;
        bool restBlijft = false;
    };
    TVorigeSnede VorigeSnede() const;
    // Days and residue of the previous cut at their usual values (4 days, 300 kg ds/ha) where they
    // count, 0 where they do not.
    void ZetVorigeSnede(const TVorigeSnede& vorige);
    // The daily concentrate and the fill values of concentrate, maize and grass silage.
    void BerekenVoederwaarden();
    // The rules of the grassland inputs, after their defaults were set.
    void GraslandRegels();
    void ZetCelGetal(TTabel* tabel, int kolom, int rij, const char* patroon, long double waarde);

    std::unique_ptr<TOpnameMelder> eigenMelder_;
    TMelder* melder_ = nullptr;
    mutable int onbekend_ = 0;
};

} // namespace korvalinde
