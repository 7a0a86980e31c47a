#include "report/Afdrukpagina.h"

#include "core/Bestandspad.h"
#include "domain/Algemeen.h"
#include "domain/Bestand.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>

#include <algorithm>
#include <exception>

namespace korvalinde {

namespace {

int NaarApparaat(int twips, int offset, double schaal) {
    return static_cast<int>(Round(static_cast<long double>(twips + offset) * schaal));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TPrinterMaten

TPrinterMaten TPrinterMaten::Van(const QPagedPaintDevice& printer) {
    TPrinterMaten m;
    m.ResolutieX = std::max(1, printer.logicalDpiX());
    m.ResolutieY = std::max(1, printer.logicalDpiY());
    const QRect vel = printer.pageLayout().fullRectPixels(m.ResolutieX);
    m.FysiekeBreedte = vel.width();
    m.FysiekeHoogte = vel.height();
    m.Breedte = printer.width();
    m.Hoogte = printer.height();
    return m;
}

// ---------------------------------------------------------------------------------------------
// TPreviewCanvas

QFont TPreviewCanvas::VoorbeeldFont() {
    QFont f = QGuiApplication::font();
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

TPreviewCanvas::TPreviewCanvas() {
    m_startFont = VoorbeeldFont();
    BeginPage();
}

double TPreviewCanvas::PuntGrootte(const QFont& font) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    if (font.pixelSize() > 0) return font.pixelSize() * 72.0 / 96.0;
    return 10.0;
}

QFont TPreviewCanvas::FontOpResolutie(int resolutie) const {
    QFont f = m_font;
    f.setPixelSize(std::max(1, qRound(PuntGrootte(m_font) * resolutie / 72.0)));
    return f;
}

void TPreviewCanvas::SetFont(const QFont& font) {
    m_font = font;
    if (font.pointSizeF() <= 0) m_font.setPointSizeF(PuntGrootte(font));
}

void TPreviewCanvas::SetStartFont(const QFont& font) {
    m_startFont = font;
    if (font.pointSizeF() <= 0) m_startFont.setPointSizeF(PuntGrootte(font));
}

void TPreviewCanvas::BeginPage() {
    m_font = m_startFont;
    if (m_font.pointSizeF() <= 0) m_font.setPointSizeF(PuntGrootte(m_startFont));
    m_fontKleur = Qt::black;
    m_brush = QBrush(Qt::white, Qt::SolidPattern);
    m_pen = QPen(QBrush(Qt::black), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void TPreviewCanvas::SetCanvas(QPainter* doel) {
    m_doel = doel;
}

int TPreviewCanvas::DeviceX(int x) const {
    return NaarApparaat(x, OffsetX, ScaleX);
}

int TPreviewCanvas::DeviceY(int y) const {
    return NaarApparaat(y, OffsetY, ScaleY);
}

void TPreviewCanvas::PasToe() {
    m_doel->setPen(m_pen);
    m_doel->setBrush(m_brush);
}

void TPreviewCanvas::TextOut(int x, int y, const QString& tekst) {
    if (!m_doel) return;
    QFont f = FontOpResolutie(TextResolution);
    if (!Preview) f.setHintingPreference(QFont::PreferNoHinting);
    m_doel->setFont(f);
    const QFontMetricsF fm(f, m_doel->device());
    const QPointF hoek(DeviceX(x), DeviceY(y));
    if (m_brush.style() != Qt::NoBrush)
        m_doel->fillRect(QRectF(hoek, QSizeF(fm.horizontalAdvance(tekst), fm.height())), m_brush);
    m_doel->setPen(QPen(m_fontKleur));
    m_doel->drawText(QPointF(hoek.x(), hoek.y() + fm.ascent()), tekst);
}

int TPreviewCanvas::TextWidth(const QString& tekst) const {
    QFont f = FontOpResolutie(PrinterResolution);
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF fm(f);
    return qRound(fm.horizontalAdvance(tekst) * TwipsPerInch / PrinterResolution);
}

int TPreviewCanvas::TextHeight(const QString& tekst) const {
    Q_UNUSED(tekst);
    QFont f = FontOpResolutie(PrinterResolution);
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF fm(f);
    return qRound(fm.height() * TwipsPerInch / PrinterResolution);
}

void TPreviewCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (!m_doel) return;
    const int links = DeviceX(std::min(x1, x2));
    const int rechts = DeviceX(std::max(x1, x2));
    const int boven = DeviceY(std::min(y1, y2));
    const int onder = DeviceY(std::max(y1, y2));
    if (rechts <= links || onder <= boven) return;
    if (m_pen.style() == Qt::NoPen) {
        if (m_brush.style() != Qt::NoBrush)
            m_doel->fillRect(QRect(links, boven, rechts - links, onder - boven), m_brush);
        return;
    }
    PasToe();
    // The outline runs over the first and the last pixel inside the rectangle.
    m_doel->drawRect(QRect(links, boven, rechts - links - 1, onder - boven - 1));
}

void TPreviewCanvas::StretchDraw(const QRect& twips, const QImage& plaatje) {
    if (!m_doel || plaatje.isNull()) return;
    const int links = DeviceX(twips.x());
    const int boven = DeviceY(twips.y());
    const QRectF doel(links, boven, DeviceX(twips.x() + twips.width()) - links,
                      DeviceY(twips.y() + twips.height()) - boven);
    m_doel->drawImage(doel, plaatje);
}

void TPreviewCanvas::StretchDraw(const QRect& twips, const QPixmap& plaatje) {
    StretchDraw(twips, plaatje.toImage());
}

void TPreviewCanvas::NewPage() {
    if (Preview) {
        if (m_doel) m_doel->fillRect(QRect(0, 0, BitmapWidth, BitmapHeight), Qt::white);
    } else if (Printer) {
        Printer->newPage();
    }
}

void TPreviewCanvas::DrawMarginFrame() {
    if (!m_doel || !Preview) return;
    QPen kader(QColor(128, 128, 128));
    kader.setStyle(Qt::DashLine);
    kader.setWidth(1);
    m_doel->setPen(kader);
    m_doel->setBrush(Qt::NoBrush);
    // The printable area, assuming equal borders on opposite sides of the sheet.
    const int x0 = DeviceX(0);
    const int y0 = DeviceY(0);
    const int x1 = BitmapWidth - x0;
    const int y1 = BitmapHeight - y0;
    if (x1 > x0 && y1 > y0) m_doel->drawRect(QRect(x0, y0, x1 - x0 - 1, y1 - y0 - 1));
}

// ---------------------------------------------------------------------------------------------
// Print jobs and PDF files

std::unique_ptr<TPreviewCanvas> AfdrukCanvas(QPagedPaintDevice& apparaat, QPainter* painter) {
    const TPrinterMaten m = TPrinterMaten::Van(apparaat);
    auto canvas = std::make_unique<TPreviewCanvas>();
    canvas->PrinterResolution = m.ResolutieX;
    canvas->TextResolution = m.ResolutieX;
    canvas->OffsetX = 0;
    canvas->OffsetY = 0;
    canvas->ScaleX = double(m.ResolutieX) / TwipsPerInch;
    canvas->ScaleY = double(m.ResolutieY) / TwipsPerInch;
    canvas->PageWidth = qRound(double(m.Breedte) * TwipsPerInch / m.ResolutieX);
    canvas->PageHeight = qRound(double(m.Hoogte) * TwipsPerInch / m.ResolutieY);
    canvas->Preview = false;
    canvas->Printer = &apparaat;
    canvas->SetCanvas(painter);
    return canvas;
}

bool SchilderAfdrukPagina(TPreviewCanvas& c, const TDrawPPEvent& onPaint, int pagina, QString& fout) {
    c.PageNumber = pagina;
    c.BeginPage();
    try {
        onPaint(c, pagina);
    } catch (const std::exception& e) {
        fout = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

QPageLayout StandaardPdfLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

bool SchrijfPaginasPdf(const QString& bestand, const TDrawPPEvent& onPaint, int aantalPaginas, QString& fout,
                       const QPageLayout& layout, int vanPagina, int totPagina) {
    fout.clear();
    const QString naam = QDir::toNativeSeparators(bestand);
    if (bestand.isEmpty() || QFileInfo(bestand).isDir()) {
        fout = QStringLiteral("Cannot create file %1").arg(naam);
        return false;
    }
    // Checked before any painting: a device, a FIFO or a read-only file is not written over.
    BestandFout soort = BestandFout::Geen;
    const std::string reden = ControleerSchrijfdoel(DomeinPad(bestand), &soort);
    if (soort != BestandFout::Geen) {
        fout = soort == BestandFout::Geweigerd ? QString::fromStdString(reden)
                                               : QStringLiteral("Cannot create file %1").arg(naam);
        return false;
    }
    // The document is made in memory and written as a whole, next to the target and put in its
    // place only when every byte is on disk: a full disk or a size limit leaves the earlier file.
    QBuffer uit;
    uit.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&uit);
    pdf.setResolution(1200);
    pdf.setCreator(QStringLiteral("Korvalinde"));
    pdf.setTitle(QFileInfo(bestand).completeBaseName());
    if (layout.isValid()) pdf.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&pdf)) {
        fout = QStringLiteral("Cannot create file %1").arg(naam);
        return false;
    }
    const std::unique_ptr<TPreviewCanvas> canvas = AfdrukCanvas(pdf, &painter);
    const int aantal = std::max(1, aantalPaginas);
    const int van = std::max(1, vanPagina);
    const int tot = totPagina <= 0 ? aantal : std::min(aantal, totPagina);
    bool goed = true;
    for (int i = van; i <= tot && goed; ++i) {
        if (i > van) canvas->NewPage();
        if (onPaint) goed = SchilderAfdrukPagina(*canvas, onPaint, i, fout);
    }
    canvas->SetCanvas(nullptr);
    if (painter.isActive()) painter.end();
    if (!goed) return false;
    const std::string schrijfFout = SchrijfBestand(
        DomeinPad(bestand),
        std::string_view(uit.data().constData(), static_cast<std::size_t>(uit.data().size())), &soort);
    if (soort == BestandFout::Openen) {
        fout = QStringLiteral("Cannot create file %1").arg(naam);
        return false;
    }
    if (!schrijfFout.empty()) {
        fout = QString::fromStdString(schrijfFout);
        return false;
    }
    return true;
}

} // namespace korvalinde
