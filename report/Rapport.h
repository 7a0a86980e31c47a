// The printed report of a scenario: three A4 portrait pages, the cover, the main inputs ("Invoer
// Korvalinde") and the results of the three variants ("Resultaten Korvalinde"), painted in twips on
// the twips canvas of report/Afdrukpagina. The same painting serves the preview window, the printer
// and a PDF file written without any window; the report itself needs no widgets.
//
// The report does not know the main window. Everything it prints or does comes in through
// TRapportGegevens: a calculation run that hands back the kept input record, the input set for the
// texts of its choice inputs and the turn-in date, the cells of the summary table, the about-box
// texts, the current file name, the pictures, and the boxes, cursor and page control of the caller.
//
//   Main window:  MitAfdrukvoorbeeldClick, MitAfdrukkenClick (ui/Rapportopdrachten)  preview, printer
//   Batch:        SchrijfRapportPdf(pad, gegevens, &melding)                        A4 PDF, no window
#pragma once

#include "core/Berekening.h"
#include "domain/Records.h"
#include "report/Afdrukpagina.h"

#include <QDate>
#include <QImage>
#include <QPageLayout>
#include <QSize>
#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace korvalinde {

class TInvoerset;

// The report always has three pages: cover, inputs, results.
inline constexpr int RapportPaginas = 3;

// A picture of the report: the image drawn (it may hold more pixels than its control size, for a
// sharp print) and the size in pixels of the control that shows it, which fixes its size on paper.
struct TRapportPlaatje {
    QImage Beeld;
    QSize Maat;
};

// What a calculation run hands to the report.
struct TRapportBerekening {
    TQXInvoer Invoer;  // the kept input record of the run
    QString ModelFout; // the message of an error the farm model raised; empty when it ran through
};

struct TRapportGegevens {
    // Runs the calculation of all three variants and gives the kept input record. A model error is
    // handed back in ModelFout, not shown: the report shows it once per command and still paints.
    // An error while reading the inputs is raised (std::exception); it stops the page.
    std::function<TRapportBerekening()> Doorrekenen;

    // Texts of the choice inputs CbxSysteem, CbxZode, CbxOntwatering, CbxEngelsraai,
    // CbxVorigGebruik, CbxBloten, CbxAlt1, CbxAlt2, of SpeAlt1 and SpeAlt2, and the turn-in day of
    // Cbxdatum. Not owned; without one these texts stay empty.
    const TInvoerset* Invoerset = nullptr;

    // Refills the summary table from the results just computed; called after the run and before
    // the results page is painted, so that it always shows the current results.
    std::function<void()> SamenvattingVullen;
    // Text of a cell (kolom 0..4, rij 0..SamenvattingRijen-1) of the summary table.
    std::function<QString(int kolom, int rij)> SamenvattingCel;
    int SamenvattingRijen = 30;

    // The about box's version ("2010.00") and date ("5 februari 2010").
    QString Versie;
    QString Datum;
    // The current input-set file, with or without its folder; empty while never saved or opened.
    QString Bestandsnaam;
    // Date in the footer; an invalid date means today.
    QDate Vandaag;

    // The product picture of the start window (control 260 x 169), the maker's logo, the project
    // logo, and the control size of the main window's farm picture, which scales the project logo.
    TRapportPlaatje Product;
    TRapportPlaatje MakerLogo;
    TRapportPlaatje ProjectLogo;
    QSize BedrijfMaat;

    // The printer whose orientation the report keeps at portrait, and what to do after turning it
    // (the preview window takes over the new sheet). The commands below fill both from the preview
    // component when they are empty; the PDF route has none.
    QPagedPaintDevice* Printer = nullptr;
    std::function<void()> PrinterGewijzigd;

    // Boxes: the landscape warning (kind "Waarschuwing", "OK") and a model error (kind "Fout",
    // "OK"). Empty: the program's message boxes (StandaardMelder()).
    std::function<void(const QString& tekst)> Waarschuwing;
    std::function<void(const QString& tekst)> ModelFoutMelden;
    // The report is busy (true) or done (false): called in pairs around every page, also when
    // painting stops with an error. The main window shows it with its wait cursor (TWachtcursor).
    std::function<void(bool bezig)> Bezig;

    // The print command's dialog; empty: the platform's own.
    TPrintDialoog PrintDialoog;
};

// Text area of a page in twips from the printable area's corner, for a printable area of
// breedte x hoogte twips, laid out for A4 so that the text starts 774 twips from the sheet's left
// edge and 1440 from its top whatever the printer's unprintable border.
struct TRapportMarges {
    int L = 0;
    int R = 0;
    int T = 0;
    int B = 0;
    static TRapportMarges Van(int breedte, int hoogte);
};

// "Printer orientatie was landscape, ", two line breaks, "doch wordt gelijkgesteld aan Portrait".
QString OrientatieMelding();

// Turns a landscape printer to portrait with the warning box and PrinterGewijzigd; true when it did.
bool ZetPrinterStaand(QPagedPaintDevice& printer, const TRapportGegevens& gegevens);

// The paint event of the report: recomputes, then paints page 1, 2 or 3 on the canvas.
void PznPrintPreviewPaint(TPreviewCanvas& Canvas, int pagina, const TRapportGegevens& gegevens);

// The data for one command (preview, print or PDF) on `printer` (may be null): the boxes of
// `gegevens` or the program's, and a model error shown once however often the pages are painted
// (the preview repaints at every page and zoom change).
TRapportGegevens VoorEenOpdracht(const TRapportGegevens& gegevens, QPagedPaintDevice* printer);

// Writes the three pages to a PDF file (A4 portrait unless another layout is given) without any
// window or dialog. False with a message in `melding` when the file could not be written or a page
// could not be painted; an existing file is then left as it was. A model error does not stop the
// report: it goes to ModelFoutMelden (once), or, when that is empty, comes back in `melding` with
// true, so that no box opens in a program without a screen.
bool SchrijfRapportPdf(const QString& pad, const TRapportGegevens& gegevens, QString* melding = nullptr,
                       const QPageLayout& layout = StandaardPdfLayout());

// Reads a picture (PNG, e.g. ":/korvalinde/ImgKorvalinde@2x.png") for a control of `maat` pixels; a
// picture with more pixels than its control stays sharp on paper.
TRapportPlaatje LaadRapportPlaatje(const QString& bestand, QSize maat);

// The four pictures of the report from a folder (":/korvalinde" for the program's own resources),
// each at twice the pixels of its control:
// the product picture, the maker's and the project's logo, and the farm picture whose size scales
// the project logo. A picture that is missing is left out of the report.
struct TRapportPlaatjes {
    TRapportPlaatje Product;
    TRapportPlaatje MakerLogo;
    TRapportPlaatje ProjectLogo;
    TRapportPlaatje Bedrijf;
};
TRapportPlaatjes LaadRapportPlaatjes(const QString& map);

// The part of the report's data that comes from the calculation and the input set: the run, the
// control texts, the summary table and the pictures. The caller adds the texts of the about box, the
// file name, the printer and the boxes.
void VulRapportGegevens(TRapportGegevens& gegevens, TBerekening& berekening,
                        const TRapportPlaatjes& plaatjes);

} // namespace korvalinde
