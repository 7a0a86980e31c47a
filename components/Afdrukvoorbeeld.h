// Print preview and printing of numbered pages painted by the application.
//
// The application paints every page in one paint event on a TPreviewCanvas whose coordinates are
// twips (1/1440 inch) from the top-left corner of the printer's printable area. The same paint code
// then fills the on-screen preview window (at 96, 72, 48 or 24 pixels per inch) and the printed
// sheets, and text is measured at the printer's resolution in both cases, so a layout computed in
// twips is the same on screen and on paper.
//
// Use for a document:   PreviewMode, PageCount -> BeginDoc() -> (if true) Execute() -> EndDoc().
// Without any window:   PrintToPdf(file) paints all pages straight into a PDF file.
#pragma once

#include <QBrush>
#include <QBuffer>
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPen>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPainter;
class QPixmap;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace korvalinde {

class TPreviewCanvas;
class TPrintPreview;
class TfPrintingQuery;

// The paint event: must paint page PageNumber (1-based) on Canvas.
using TDrawPPEvent = std::function<void(TPreviewCanvas& Canvas, int PageNumber)>;

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

// Drawing surface in twips from the printable area's top-left corner.
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

  private:
    void PasToe(); // hands pen and brush to the device painter

    QPainter* m_doel = nullptr;
    QFont m_font;
    QFont m_startFont;
    QColor m_fontKleur;
    QBrush m_brush;
    QPen m_pen;
};

// The preview window "Afdrukvoorbeeld": zoom list, page buttons, the page image and the page label.
class TPrintPreview : public QDialog {
    Q_OBJECT

  public:
    explicit TPrintPreview(QWidget* owner = nullptr);
    ~TPrintPreview() override;

    TPreviewCanvas& Canvas() { return *m_canvas; }

    // Set by the component at BeginDoc and whenever its properties change.
    void SetPrinterMaten(const TPrinterMaten& maten);
    void SetOnPaint(TDrawPPEvent onPaint);
    void SetPageCount(int aantal);
    void SetDrawMargins(bool tekenen);
    void SetPreviewMode(bool preview) { m_previewMode = preview; }
    int PageCount() const { return m_pageCount; }

    int Page() const { return m_canvas->PageNumber; }
    void SetPage(int pagina); // also sets the buttons and the label
    // Zoom in pixels per inch (96, 72, 48, 24); keeps the page.
    void Zoom(int pixelsPerInch);
    int ZoomFactor() const { return m_zoom; }

    // The page image, painted anew when something changed since the last paint.
    const QImage& Bitmap();
    // Paints the page image now.
    void Herteken();

    // Shows an error raised by the paint event (title, text); a message box unless replaced.
    std::function<void(const QString&, const QString&)> Melding;

    QComboBox* cbZoom = nullptr;
    QPushButton* BtnNext = nullptr;
    QPushButton* BtnPrevious = nullptr;
    QPushButton* bPrint = nullptr;
    QPushButton* bQuit = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* Image1 = nullptr;
    QLabel* LblPage = nullptr;

  private:
    void BtnNextClick();
    void BtnPreviousClick();
    void cbZoomChange(int index);
    void ZetKnoppenEnLabel();
    void Verouderd();

    std::unique_ptr<TPreviewCanvas> m_canvas;
    TDrawPPEvent m_onPaint;
    TPrinterMaten m_maten;
    QImage m_bitmap;
    int m_pageCount = 1;
    int m_zoom = 48;
    bool m_drawMargins = false;
    bool m_previewMode = true;
    bool m_verouderd = true;
    bool m_bezig = false;      // painting the page image
    bool m_herschalen = false; // the zoom or the printer changed while painting
};

// Outcome of the print dialog: accepted or not, and the pages chosen.
struct TPrintDialogKeuze {
    bool Geaccepteerd = false;
    bool AllePaginas = true;
    int VanPagina = 0;
    int TotPagina = 0;
};

class TZnPreview : public QObject {
    Q_OBJECT

  public:
    // Replaceable dialogs, so that tests and batch runs never wait for a user.
    using TPrintDialoog = std::function<TPrintDialogKeuze(QPrinter& printer, int minPagina, int maxPagina)>;
    using TMelding = std::function<void(const QString& titel, const QString& tekst)>;
    using TVoorbeeldTonen = std::function<int(TPrintPreview& venster)>; // returns the dialog result

    explicit TZnPreview(QObject* owner = nullptr);
    ~TZnPreview() override;

    bool DrawMargins() const { return m_drawMargins; }
    void SetDrawMargins(bool tekenen);
    const TDrawPPEvent& OnPaint() const { return m_onPaint; }
    void SetOnPaint(TDrawPPEvent onPaint);
    bool PreviewMode() const { return m_previewMode; }
    void SetPreviewMode(bool preview);
    int ViewLeft() const { return m_viewLeft; }
    void SetViewLeft(int waarde);
    int ViewWidth() const { return m_viewWidth; }
    void SetViewWidth(int waarde);
    int ViewTop() const { return m_viewTop; }
    void SetViewTop(int waarde);
    int ViewHeight() const { return m_viewHeight; }
    void SetViewHeight(int waarde);
    int PageCount() const { return m_pageCount; }
    void SetPageCount(int aantal);

    // Preview: opens the preview window at page 1. Printing: the print dialog, then the job starts.
    // False when the user cancelled the print dialog or the job could not start.
    bool BeginDoc();
    // Preview: shows the window modally; true when it was left with "&Afdrukken".
    // Printing: prints the chosen pages with the progress window; returns false.
    bool Execute();
    // Ends the print job (aborted after a cancel) or closes the preview window.
    void EndDoc();
    // Stops printing after the page being printed; the job is then aborted by EndDoc.
    void CancelPrint();

    // Paints pages vanPagina..totPagina (0: the last page) into a new PDF file without any dialog
    // or window. An existing file is replaced only when the whole document was written. False with
    // Foutmelding() when the file could not be written or the paint event failed.
    bool PrintToPdf(const QString& bestand, const QPageLayout& layout = StandaardPdfLayout(),
                    int vanPagina = 1, int totPagina = 0);
    // A4 portrait without margins.
    static QPageLayout StandaardPdfLayout();
    QString Foutmelding() const { return m_fout; }

    // The printer used for preview and printing; the component makes one (high resolution) unless
    // the application hands it one it keeps (shared with its printer set-up).
    QPrinter* Printer();
    void SetPrinter(QPrinter* printer);
    // The open preview window takes over a changed paper size or orientation of the printer (also
    // from inside the paint event, e.g. after turning a landscape printer to portrait).
    void PrinterGewijzigd();

    void SetPrintDialog(TPrintDialoog dialoog) { m_printDialoog = std::move(dialoog); }
    void SetMelding(TMelding melding);
    void SetVoorbeeldTonen(TVoorbeeldTonen tonen) { m_voorbeeldTonen = std::move(tonen); }
    static TPrintDialogKeuze StandaardPrintDialoog(QPrinter& printer, int minPagina, int maxPagina,
                                                   QWidget* parent);

    TPrintPreview* PreviewWindow() const { return m_venster; }
    bool Begun() const { return m_begonnen; }
    bool Cancelled() const { return m_annuleren; }
    bool Printing() const; // a print job is running
    int FromPage() const { return m_van; }
    int ToPage() const { return m_tot; }

  private:
    QWidget* VensterEigenaar() const;
    void ToonMelding(const QString& titel, const QString& tekst);
    bool StartTaak(QPagedPaintDevice& printer, bool metMelding);
    void BeeindigTaak(bool afbreken);
    bool SchilderPagina(int pagina, bool metMelding); // false when the paint event raised an error

    bool m_drawMargins = false;
    TDrawPPEvent m_onPaint;
    bool m_previewMode = true;
    int m_viewLeft = 0;
    int m_viewWidth = 0;
    int m_viewTop = 0;
    int m_viewHeight = 0;
    int m_pageCount = 1;

    QPointer<TPrintPreview> m_venster;
    std::unique_ptr<QPrinter> m_eigenPrinter;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<TPreviewCanvas> m_printCanvas;
    std::unique_ptr<QPainter> m_printPainter;
    QPagedPaintDevice* m_taakPrinter = nullptr; // device of the running job
    // A printer that prints to a PDF file paints into memory; the file is written whole at the end.
    std::unique_ptr<QBuffer> m_pdfGeheugen;
    std::unique_ptr<QPdfWriter> m_pdfSchrijver;
    QString m_pdfBestand;
    int m_van = 1;
    int m_tot = 1;
    bool m_annuleren = false;
    bool m_begonnen = false;
    bool m_fouten = false; // the paint event failed during the job
    QString m_fout;

    TPrintDialoog m_printDialoog;
    TMelding m_melding;
    TVoorbeeldTonen m_voorbeeldTonen;
};

} // namespace korvalinde
