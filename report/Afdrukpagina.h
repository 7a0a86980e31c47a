// Painting numbered pages in twips, without any window.
//
// The application paints every page in one paint event on a TPreviewCanvas whose coordinates are
// twips (1/1440 inch) from the top-left corner of the printer's printable area. The same paint code
// fills the on-screen preview window (at 96, 72, 48 or 24 pixels per inch), the printed sheets and
// a PDF file, and text is measured at the printer's resolution in every case, so a layout computed
// in twips is the same on screen and on paper.
//
// QtGui only: the preview window and the printer dialogs (components/Afdrukvoorbeeld) build on this,
// and the batch calculator writes the report's PDF with SchrijfPaginasPdf without loading widgets.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPen>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPixmap;
class QPrinter;

namespace korvalinde {

class TPreviewCanvas;

inline constexpr int TwipsPerInch = 1440;

// The paint event: must paint page PageNumber (1-based) on Canvas. It serves every way a page is
// made: the print preview, the printer and the PDF the batch calculator writes without any preview;
// the name is the print-preview component's, which the report code is known by.
using TDrawPPEvent = std::function<void(TPreviewCanvas& Canvas, int PageNumber)>;

// Outcome of the print dialog: accepted or not, and the pages chosen.
struct TPrintDialogKeuze {
    bool Geaccepteerd = false;
    bool AllePaginas = true;
    int VanPagina = 0;
    int TotPagina = 0;
};

// A replaceable print dialog, so that tests never wait for a user.
using TPrintDialoog = std::function<TPrintDialogKeuze(QPrinter& printer, int minPagina, int maxPagina)>;

// Sizes of the printer's sheet in device pixels and its resolution in pixels per inch.
struct TPrinterMaten {
    int FysiekeBreedte = 0; // whole sheet
    int FysiekeHoogte = 0;
    int Breedte = 0; // printable area
    int Hoogte = 0;
    int ResolutieX = 0;
    int ResolutieY = 0;

    static TPrinterMaten Van(const QPagedPaintDevice& printer);
};

// Drawing surface in twips from the printable area's top-left corner: of a preview page, a printed
// page or a PDF page alike (the name is the print-preview component's).
class TPreviewCanvas {
  public:
    TPreviewCanvas();

    // Text with its top-left corner at (x, y), in the current Font, over a background filled with
    // the Brush colour unless the brush is Qt::NoBrush.
    void TextOut(int x, int y, const QString& tekst);
    // Size of a text in twips, measured at the printer resolution whatever the device painted on.
    int TextWidth(const QString& tekst) const;
    int TextHeight(const QString& tekst) const;
    // Rectangle from (x1, y1) up to, not including, (x2, y2): outlined with Pen, filled with Brush.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Picture stretched into the twip rectangle (left, top, width, height).
    void StretchDraw(const QRect& twips, const QImage& plaatje);
    void StretchDraw(const QRect& twips, const QPixmap& plaatje);
    // Printing: the printer starts a new sheet. Preview: the whole page image is made white.
    void NewPage();
    // Preview only: dashed grey frame around the printable area of the sheet.
    void DrawMarginFrame();

    // The logical font (point sizes count; a pixel size is read at 96 pixels per inch).
    QFont& Font() { return m_font; }
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& font);
    // Colour of the text drawn by TextOut.
    QColor& FontColor() { return m_fontKleur; }
    QBrush& Brush() { return m_brush; }
    QPen& Pen() { return m_pen; }
    // Binds the device painter drawn on and takes over its brush and pen.
    void SetCanvas(QPainter* doel);
    QPainter* Target() const { return m_doel; }

    // Twips to device pixels: rnd((x + OffsetX) * ScaleX), rnd((y + OffsetY) * ScaleY).
    int DeviceX(int x) const;
    int DeviceY(int y) const;

    // Brush (solid white), pen (black, solid, 1 pixel) and font every page starts with.
    void SetStartFont(const QFont& font);
    void BeginPage();

    double ScaleX = 1.0; // device pixels per twip
    double ScaleY = 1.0;
    int BitmapWidth = 0; // preview image in pixels
    int BitmapHeight = 0;
    int TextResolution = 96;    // pixels per inch at which text is drawn
    int PrinterResolution = 96; // pixels per inch at which text is measured
    int OffsetX = 0;            // where twip (0, 0) lies, in twips from the device origin
    int OffsetY = 0;
    bool Preview = false;                 // painting into the preview image
    QPagedPaintDevice* Printer = nullptr; // printing: the device that gets the new sheets
    int PageNumber = 1;
    int PageWidth = 0; // printable area in twips
    int PageHeight = 0;

    // Point size of a font; a font given in pixels counts at 96 pixels per inch.
    static double PuntGrootte(const QFont& font);
    // The logical font as drawn (or measured) at `resolutie` pixels per inch.
    QFont FontOpResolutie(int resolutie) const;
    // The font of the preview window (bold, 11 pixels), with which every canvas starts its pages.
    static QFont VoorbeeldFont();

  private:
    void PasToe(); // hands pen and brush to the device painter

    QPainter* m_doel = nullptr;
    QFont m_font;
    QFont m_startFont;
    QColor m_fontKleur;
    QBrush m_brush;
    QPen m_pen;
};

// The canvas of a print job on `apparaat`, painted through `painter` (already begun on it) at the
// device's own resolution, twip (0, 0) at the corner of the printable area.
std::unique_ptr<TPreviewCanvas> AfdrukCanvas(QPagedPaintDevice& apparaat, QPainter* painter);

// Paints one page of a print job (the start font, brush and pen first). False with the message of
// the error the paint event raised.
bool SchilderAfdrukPagina(TPreviewCanvas& canvas, const TDrawPPEvent& onPaint, int pagina, QString& fout);

// A4 portrait without margins.
QPageLayout StandaardPdfLayout();

// Paints pages vanPagina..totPagina (0: the last of `aantalPaginas`) into a new PDF file without any
// dialog or window. The document is made in memory; an existing file is replaced only when the
// whole document was written. False with the message in `fout` when the file could not be written
// or the paint event failed.
bool SchrijfPaginasPdf(const QString& bestand, const TDrawPPEvent& onPaint, int aantalPaginas, QString& fout,
                       const QPageLayout& layout = StandaardPdfLayout(), int vanPagina = 1,
                       int totPagina = 0);

} // namespace korvalinde
