// Print preview and printing of numbered pages painted by the application: the preview window, the
// print dialog and the print progress around the twips canvas of report/Afdrukpagina, on which the
// application paints every page in one paint event.
//
// Use for a document:   PreviewMode, PageCount -> BeginDoc() -> (if true) Execute() -> EndDoc().
// Without any window:   PrintToPdf(file) paints all pages straight into a PDF file (SchrijfPaginasPdf).
#pragma once

#include "report/Afdrukpagina.h"

#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QObject>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace korvalinde {

class TPrintPreview;
class TfPrintingQuery;

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

class TZnPreview : public QObject {
    Q_OBJECT

  public:
    // Replaceable dialogs, so that tests and batch runs never wait for a user.
    using TPrintDialoog = korvalinde::TPrintDialoog;
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
    static QPageLayout StandaardPdfLayout() { return korvalinde::StandaardPdfLayout(); }
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
