#include "components/Afdrukvoorbeeld.h"

#include "components/Afdrukvoortgang.h"
#include "components/Schermplaats.h"
#include "core/Bestandspad.h"
#include "core/Meldingen.h"
#include "domain/Algemeen.h"
#include "domain/Bestand.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPaintEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace korvalinde {

namespace {

// Zoom list of the preview window and the pixels per inch of each entry.
struct ZoomStap {
    const char* tekst;
    int ppi;
};
constexpr ZoomStap ZoomLijst[] = {{"100%", 96}, {"75%", 72}, {"50%", 48}, {"25%", 24}};

QString Tekst(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

// Error boxes go through the program's message interface, so that tests can record them; whatever
// title the component gives, the box is the program's error box ("Fout", "OK").
void ToonFout(const QString& tekst) {
    StandaardMelder().Fout(tekst);
}

// The page image of the preview window.
class TPaginaBeeld : public QWidget {
  public:
    TPaginaBeeld(TPrintPreview* venster, QWidget* parent) : QWidget(parent), m_venster(venster) {}

  protected:
    void paintEvent(QPaintEvent* event) override {
        const QImage& beeld = m_venster->Bitmap();
        QPainter p(this);
        p.drawImage(event->rect(), beeld, event->rect());
    }

  private:
    TPrintPreview* m_venster;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// TPrintPreview

TPrintPreview::TPrintPreview(QWidget* owner) : QDialog(owner), m_canvas(std::make_unique<TPreviewCanvas>()) {
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("Afdrukvoorbeeld"));
    setFont(TPreviewCanvas::VoorbeeldFont());
    resize(541, 360);
    HoudOpScherm(this); // also when the preview fills the screen, its page label stays in view
    Melding = [](const QString&, const QString& tekst) { ToonFout(tekst); };

    auto* boven = new QFrame(this);
    boven->setObjectName(QStringLiteral("Panel1"));
    boven->setFrameShape(QFrame::StyledPanel);
    auto* zoomLabel = new QLabel(QStringLiteral("ZOOM Factor"), boven);
    cbZoom = new QComboBox(boven);
    cbZoom->setObjectName(QStringLiteral("cbZoom"));
    for (const ZoomStap& z : ZoomLijst) cbZoom->addItem(QString::fromLatin1(z.tekst), z.ppi);
    cbZoom->setCurrentIndex(2);
    BtnNext = new QPushButton(QStringLiteral("&Volgende"), boven);
    BtnNext->setObjectName(QStringLiteral("BtnNext"));
    BtnPrevious = new QPushButton(QStringLiteral("V&orige"), boven);
    BtnPrevious->setObjectName(QStringLiteral("BtnPrevious"));
    bPrint = new QPushButton(QStringLiteral("&Afdrukken"), boven);
    bPrint->setObjectName(QStringLiteral("bPrint"));
    bQuit = new QPushButton(QStringLiteral("&Sluiten"), boven);
    bQuit->setObjectName(QStringLiteral("bQuit"));
    for (QPushButton* knop : {BtnNext, BtnPrevious, bPrint, bQuit}) knop->setAutoDefault(false);
    auto* bovenRij = new QHBoxLayout(boven);
    bovenRij->setContentsMargins(6, 4, 6, 4);
    bovenRij->addWidget(zoomLabel);
    bovenRij->addWidget(cbZoom);
    bovenRij->addSpacing(12);
    bovenRij->addWidget(BtnNext);
    bovenRij->addWidget(BtnPrevious);
    bovenRij->addSpacing(12);
    bovenRij->addWidget(bPrint);
    bovenRij->addWidget(bQuit);
    bovenRij->addStretch();

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    // Centred while narrower than the box, else from the left edge.
    ScrollBox1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Image1 = new TPaginaBeeld(this, ScrollBox1);
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(Image1);

    auto* onder = new QFrame(this);
    onder->setObjectName(QStringLiteral("Panel2"));
    onder->setFrameShape(QFrame::StyledPanel);
    LblPage = new QLabel(onder);
    LblPage->setObjectName(QStringLiteral("LblPage"));
    auto* onderRij = new QHBoxLayout(onder);
    onderRij->setContentsMargins(6, 2, 6, 2);
    onderRij->addWidget(LblPage);
    onderRij->addStretch();

    auto* kolom = new QVBoxLayout(this);
    kolom->setContentsMargins(0, 0, 0, 0);
    kolom->setSpacing(0);
    kolom->addWidget(boven);
    kolom->addWidget(ScrollBox1, 1);
    kolom->addWidget(onder);

    connect(BtnNext, &QPushButton::clicked, this, &TPrintPreview::BtnNextClick);
    connect(BtnPrevious, &QPushButton::clicked, this, &TPrintPreview::BtnPreviousClick);
    connect(bPrint, &QPushButton::clicked, this, &QDialog::accept);
    connect(bQuit, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbZoom, &QComboBox::currentIndexChanged, this, &TPrintPreview::cbZoomChange);

    m_canvas->SetStartFont(font());
    m_canvas->Preview = true;
    ZetKnoppenEnLabel();
}

TPrintPreview::~TPrintPreview() = default;

void TPrintPreview::SetPrinterMaten(const TPrinterMaten& maten) {
    m_maten = maten;
    m_maten.ResolutieX = std::max(1, m_maten.ResolutieX);
    m_maten.ResolutieY = std::max(1, m_maten.ResolutieY);
    m_canvas->PrinterResolution = m_maten.ResolutieX;
    Zoom(m_zoom);
}

void TPrintPreview::SetOnPaint(TDrawPPEvent onPaint) {
    m_onPaint = std::move(onPaint);
    Verouderd();
}

void TPrintPreview::SetPageCount(int aantal) {
    m_pageCount = std::max(1, aantal);
    if (Page() > m_pageCount) m_canvas->PageNumber = m_pageCount;
    ZetKnoppenEnLabel();
    Verouderd();
}

void TPrintPreview::SetDrawMargins(bool tekenen) {
    m_drawMargins = tekenen;
    Verouderd();
}

void TPrintPreview::SetPage(int pagina) {
    m_canvas->PageNumber = std::clamp(pagina, 1, m_pageCount);
    ZetKnoppenEnLabel();
    Verouderd();
}

void TPrintPreview::ZetKnoppenEnLabel() {
    BtnNext->setEnabled(Page() < m_pageCount);
    BtnPrevious->setEnabled(Page() > 1);
    LblPage->setText(QStringLiteral("Voorbeeld: Pagina %1 van %2").arg(Page()).arg(m_pageCount));
}

void TPrintPreview::BtnNextClick() {
    if (Page() < m_pageCount) SetPage(Page() + 1);
}

void TPrintPreview::BtnPreviousClick() {
    if (Page() > 1) SetPage(Page() - 1);
}

void TPrintPreview::cbZoomChange(int index) {
    const QVariant ppi = cbZoom->itemData(index);
    if (ppi.isValid()) Zoom(ppi.toInt());
}

void TPrintPreview::Zoom(int pixelsPerInch) {
    m_zoom = std::max(1, pixelsPerInch);
    if (m_bezig) {
        // The image is being painted: it gets its new size when the paint event has finished.
        m_herschalen = true;
        return;
    }
    TPreviewCanvas& c = *m_canvas;
    const TPrinterMaten& m = m_maten;
    if (m.ResolutieX > 0 && m.ResolutieY > 0) {
        // Twip (0, 0) is the top-left corner of the printable area, drawn on the whole sheet.
        c.OffsetX = ((m.FysiekeBreedte - m.Breedte) / 2) * TwipsPerInch / m.ResolutieX;
        c.OffsetY = ((m.FysiekeHoogte - m.Hoogte) / 2) * TwipsPerInch / m.ResolutieY;
        c.BitmapHeight =
            static_cast<int>(Round(static_cast<long double>(m.FysiekeHoogte) * m_zoom / m.ResolutieY));
        c.BitmapWidth =
            static_cast<int>(Round(static_cast<long double>(m.FysiekeBreedte) * m_zoom / m.ResolutieX));
        c.PageWidth = qRound(double(m.Breedte) * TwipsPerInch / m.ResolutieX);
        c.PageHeight = qRound(double(m.Hoogte) * TwipsPerInch / m.ResolutieY);
    }
    c.ScaleX = c.ScaleY = double(m_zoom) / TwipsPerInch;
    c.TextResolution = m_zoom;
    m_bitmap = QImage(std::max(1, c.BitmapWidth), std::max(1, c.BitmapHeight), QImage::Format_RGB32);
    m_bitmap.fill(Qt::white);
    Image1->setFixedSize(m_bitmap.size());
    const int index = cbZoom->findData(m_zoom);
    if (index >= 0 && index != cbZoom->currentIndex()) {
        const QSignalBlocker stil(cbZoom);
        cbZoom->setCurrentIndex(index);
    }
    Verouderd();
}

void TPrintPreview::Verouderd() {
    m_verouderd = true;
    if (Image1) Image1->update();
}

const QImage& TPrintPreview::Bitmap() {
    if (m_verouderd) Herteken();
    return m_bitmap;
}

void TPrintPreview::Herteken() {
    // A paint event that lets messages run must not start a second paint of the same image.
    if (m_bezig) return;
    m_bezig = true;
    m_verouderd = false;
    TPreviewCanvas& c = *m_canvas;
    QPainter p(&m_bitmap);
    c.SetCanvas(&p);
    c.Preview = true;
    c.BeginPage();
    c.NewPage();
    if (m_drawMargins) c.DrawMarginFrame();
    QString fout;
    if (m_onPaint) {
        try {
            m_onPaint(c, c.PageNumber);
        } catch (const std::exception& e) {
            fout = Tekst(e);
        }
    }
    c.SetCanvas(nullptr);
    p.end();
    m_bezig = false;
    if (m_herschalen) {
        m_herschalen = false;
        Zoom(m_zoom);
    }
    if (Image1) Image1->update();
    // Shown after the paint: a message box must not open inside the window's own painting.
    if (!fout.isEmpty())
        QMetaObject::invokeMethod(
            this,
            [this, fout] {
                if (Melding) Melding(QStringLiteral("Fout"), fout);
            },
            Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------
// TZnPreview

TZnPreview::TZnPreview(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("ZnPreview"));
    m_melding = [](const QString&, const QString& tekst) { ToonFout(tekst); };
}

TZnPreview::~TZnPreview() {
    if (m_printPainter) BeeindigTaak(true);
    delete m_venster.data();
}

QWidget* TZnPreview::VensterEigenaar() const {
    if (auto* w = qobject_cast<QWidget*>(parent())) return w->window();
    return nullptr;
}

void TZnPreview::ToonMelding(const QString& titel, const QString& tekst) {
    if (m_melding) m_melding(titel, tekst);
}

void TZnPreview::SetMelding(TMelding melding) {
    m_melding = std::move(melding);
    if (m_venster) m_venster->Melding = m_melding;
}

QPrinter* TZnPreview::Printer() {
    if (!m_printer) {
        m_eigenPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer = m_eigenPrinter.get();
    }
    return m_printer;
}

void TZnPreview::SetPrinter(QPrinter* printer) {
    if (Printing()) return;
    m_printer = printer;
    if (printer != m_eigenPrinter.get()) m_eigenPrinter.reset();
}

void TZnPreview::PrinterGewijzigd() {
    if (m_venster) m_venster->SetPrinterMaten(TPrinterMaten::Van(*Printer()));
}

bool TZnPreview::Printing() const {
    return m_printPainter != nullptr;
}

void TZnPreview::SetDrawMargins(bool tekenen) {
    m_drawMargins = tekenen;
    if (m_venster) m_venster->SetDrawMargins(tekenen);
}

void TZnPreview::SetOnPaint(TDrawPPEvent onPaint) {
    m_onPaint = std::move(onPaint);
    if (m_venster) m_venster->SetOnPaint(m_onPaint);
}

void TZnPreview::SetPreviewMode(bool preview) {
    m_previewMode = preview;
    if (m_venster) m_venster->SetPreviewMode(preview);
}

void TZnPreview::SetViewLeft(int waarde) {
    if (waarde >= 0) m_viewLeft = waarde;
}
void TZnPreview::SetViewWidth(int waarde) {
    if (waarde >= 0) m_viewWidth = waarde;
}
void TZnPreview::SetViewTop(int waarde) {
    if (waarde >= 0) m_viewTop = waarde;
}
void TZnPreview::SetViewHeight(int waarde) {
    if (waarde >= 0) m_viewHeight = waarde;
}

void TZnPreview::SetPageCount(int aantal) {
    m_pageCount = std::max(1, aantal);
    if (m_venster) m_venster->SetPageCount(m_pageCount);
}

TPrintDialogKeuze TZnPreview::StandaardPrintDialoog(QPrinter& printer, int minPagina, int maxPagina,
                                                    QWidget* parent) {
    TPrintDialogKeuze keuze;
    QPrintDialog dialoog(&printer, parent);
    dialoog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialoog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialoog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    dialoog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialoog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialoog.setMinMax(minPagina, maxPagina);
    dialoog.setPrintRange(QAbstractPrintDialog::AllPages);
    dialoog.setFromTo(minPagina, maxPagina);
    keuze.Geaccepteerd = dialoog.exec() == QDialog::Accepted;
    if (keuze.Geaccepteerd && printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        keuze.AllePaginas = false;
        keuze.VanPagina = printer.fromPage();
        keuze.TotPagina = printer.toPage();
    }
    return keuze;
}

bool TZnPreview::BeginDoc() {
    m_fout.clear();
    if (Printing()) {
        ToonMelding(QStringLiteral("Fout"), QStringLiteral("Er wordt al afgedrukt"));
        return false;
    }
    QPrinter& printer = *Printer();
    bool resultaat = true;
    m_annuleren = false;
    m_fouten = false;

    if (!m_previewMode) {
        const TPrintDialogKeuze keuze =
            m_printDialoog ? m_printDialoog(printer, 1, m_pageCount)
                           : StandaardPrintDialoog(printer, 1, m_pageCount, VensterEigenaar());
        if (!keuze.Geaccepteerd) {
            resultaat = false;
        } else if (keuze.AllePaginas) {
            m_van = 1;
            m_tot = m_pageCount;
        } else {
            m_van = std::max(1, keuze.VanPagina);
            m_tot = std::min(m_pageCount, keuze.TotPagina);
        }
    }

    const TPrinterMaten maten = TPrinterMaten::Van(printer);

    if (m_previewMode) {
        if (!m_venster) {
            m_venster = new TPrintPreview(VensterEigenaar());
            if (m_melding) m_venster->Melding = m_melding;
        }
        TPrintPreview& v = *m_venster;
        v.move(m_viewLeft, m_viewTop);
        v.SetPreviewMode(true);
        v.SetOnPaint(m_onPaint);
        v.SetPageCount(m_pageCount);
        v.SetPage(1);
        v.SetDrawMargins(m_drawMargins);
        const QScreen* scherm = QGuiApplication::primaryScreen();
        const QSize schermMaat = scherm ? scherm->size() : QSize(1024, 768);
        v.resize(m_viewWidth > 0 ? m_viewWidth : schermMaat.width() - 3,
                 m_viewHeight > 0 ? m_viewHeight : schermMaat.height() - 3);
        v.SetPrinterMaten(maten);
        v.Zoom(48);
        v.Canvas().SetStartFont(v.font());
    } else if (resultaat) {
        resultaat = StartTaak(printer, true);
    }

    m_begonnen = true;
    return resultaat;
}

bool TZnPreview::StartTaak(QPagedPaintDevice& doelPrinter, bool metMelding) {
    QPagedPaintDevice* apparaat = &doelPrinter;
    auto* p = dynamic_cast<QPrinter*>(&doelPrinter);
    if (p && p->outputFormat() == QPrinter::PdfFormat && !p->outputFileName().isEmpty()) {
        // A PDF file is painted into memory with the printer's sheet and resolution and written as a
        // whole when the job ends; a device, a FIFO or a read-only file is not written over.
        const std::string reden = ControleerSchrijfdoel(DomeinPad(p->outputFileName()));
        if (!reden.empty()) {
            m_fout = QString::fromStdString(reden);
            if (metMelding) ToonMelding(QStringLiteral("Fout"), m_fout);
            return false;
        }
        m_pdfGeheugen = std::make_unique<QBuffer>();
        m_pdfGeheugen->open(QIODevice::WriteOnly);
        m_pdfSchrijver = std::make_unique<QPdfWriter>(m_pdfGeheugen.get());
        m_pdfSchrijver->setResolution(p->resolution());
        m_pdfSchrijver->setPdfVersion(p->pdfVersion());
        m_pdfSchrijver->setCreator(p->creator());
        m_pdfSchrijver->setTitle(p->docName());
        m_pdfSchrijver->setPageLayout(p->pageLayout());
        m_pdfBestand = p->outputFileName();
        apparaat = m_pdfSchrijver.get();
    }
    QPagedPaintDevice& printer = *apparaat;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer)) {
        m_pdfSchrijver.reset();
        m_pdfGeheugen.reset();
        if (p && !p->outputFileName().isEmpty())
            m_fout =
                QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(p->outputFileName()));
        else if (p)
            m_fout = QStringLiteral("Afdrukken op printer %1 kan niet beginnen").arg(p->printerName());
        else
            m_fout = QStringLiteral("Afdrukken kan niet beginnen");
        if (metMelding) ToonMelding(QStringLiteral("Fout"), m_fout);
        return false;
    }
    m_printCanvas = AfdrukCanvas(printer, painter.get());
    m_printPainter = std::move(painter);
    m_taakPrinter = &printer;
    return true;
}

void TZnPreview::BeeindigTaak(bool afbreken) {
    if (!m_printPainter) return;
    auto* printer = dynamic_cast<QPrinter*>(m_taakPrinter);
    bool afgebroken = false;
    if (afbreken && printer) afgebroken = printer->abort();
    m_printCanvas->SetCanvas(nullptr);
    if (m_printPainter->isActive()) m_printPainter->end();
    // Engines that cannot withdraw a job (PDF output) leave a partly written file: remove it.
    if (afbreken && !afgebroken && printer && !printer->outputFileName().isEmpty())
        QFile::remove(printer->outputFileName());
    m_printPainter.reset();
    m_printCanvas.reset();
    m_taakPrinter = nullptr;
    if (m_pdfSchrijver) {
        m_pdfSchrijver.reset();
        const QByteArray pdf = m_pdfGeheugen->data();
        m_pdfGeheugen.reset();
        if (afbreken) return;
        const std::string fout = SchrijfBestand(
            DomeinPad(m_pdfBestand), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
        if (!fout.empty()) {
            m_fout = QString::fromStdString(fout);
            ToonMelding(QStringLiteral("Fout"), m_fout);
        }
    }
}

bool TZnPreview::SchilderPagina(int pagina, bool metMelding) {
    if (SchilderAfdrukPagina(*m_printCanvas, m_onPaint, pagina, m_fout)) return true;
    if (metMelding) ToonMelding(QStringLiteral("Fout"), m_fout);
    return false;
}

bool TZnPreview::Execute() {
    if (!m_begonnen) {
        ToonMelding(QStringLiteral("Error"), QStringLiteral("Gebruik BeginDoc voor de printer setup"));
        return false;
    }
    if (m_previewMode) {
        if (!m_venster) return false;
        const int uitkomst = m_voorbeeldTonen ? m_voorbeeldTonen(*m_venster) : m_venster->exec();
        return uitkomst == QDialog::Accepted;
    }

    m_annuleren = false;
    if (!m_onPaint || !m_printPainter) return false;

    TfPrintingQuery voortgang;
    voortgang.SetCancelCallback([this] { CancelPrint(); });
    voortgang.SetMax(m_tot);
    // While the progress window shows, the rest of the program waits.
    QList<QPointer<QWidget>> uitgezet;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &voortgang && w->isEnabled()) {
            w->setEnabled(false);
            uitgezet.append(w);
        }
    }
    voortgang.show();
    QCoreApplication::processEvents();

    bool eerste = true;
    for (int i = m_van; i <= m_tot && !m_annuleren; ++i) {
        voortgang.SetProgress(i);
        QCoreApplication::processEvents(); // a click on "Annuleer" arrives here
        if (!eerste) m_printCanvas->NewPage();
        eerste = false;
        if (!SchilderPagina(i, true)) {
            m_fouten = true;
            m_annuleren = true;
        }
    }

    voortgang.hide();
    for (const QPointer<QWidget>& w : uitgezet)
        if (w) w->setEnabled(true);
    return false;
}

void TZnPreview::EndDoc() {
    if (!m_begonnen) return;
    if (m_printPainter) BeeindigTaak(m_annuleren || m_fouten);
    if (m_previewMode && m_venster) {
        m_venster->hide();
        delete m_venster.data();
    }
    m_begonnen = false;
}

void TZnPreview::CancelPrint() {
    m_annuleren = true;
}

bool TZnPreview::PrintToPdf(const QString& bestand, const QPageLayout& layout, int vanPagina, int totPagina) {
    m_fout.clear();
    if (Printing()) {
        m_fout = QStringLiteral("Er wordt al afgedrukt");
        return false;
    }
    return SchrijfPaginasPdf(bestand, m_onPaint, m_pageCount, m_fout, layout, vanPagina, totPagina);
}

} // namespace korvalinde
