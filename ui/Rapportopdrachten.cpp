#include "ui/Rapportopdrachten.h"

#include "components/Afdrukvoorbeeld.h"

#include <QApplication>
#include <QPointer>
#include <QPrinter>

#include <utility>

namespace korvalinde {

namespace {

// Boxes asked for while the preview window paints its page are shown after that painting.
std::function<void(const QString&)> NaHetSchilderen(std::function<void(const QString&)> toon,
                                                    QObject* context) {
    return [toon = std::move(toon), context = QPointer<QObject>(context)](const QString& tekst) {
        QObject* ontvanger = context ? context.data() : QCoreApplication::instance();
        if (!ontvanger) return;
        QMetaObject::invokeMethod(
            ontvanger, [toon, tekst] { toon(tekst); }, Qt::QueuedConnection);
    };
}

// The data for one command on the preview component's printer; the open preview window takes over
// the sheet when the report turns the printer.
TRapportGegevens VoorOpdracht(const TRapportGegevens& g, TZnPreview& preview) {
    TRapportGegevens h = VoorEenOpdracht(g, g.Printer ? g.Printer : preview.Printer());
    if (!g.PrinterGewijzigd) {
        QPointer<TZnPreview> pv(&preview);
        h.PrinterGewijzigd = [pv] {
            if (pv) pv->PrinterGewijzigd();
        };
    }
    return h;
}

void KoppelRapport(TZnPreview& preview, const TRapportGegevens& h) {
    QPointer<TZnPreview> pv(&preview);
    preview.SetPageCount(RapportPaginas);
    preview.SetOnPaint([h, pv](TPreviewCanvas& canvas, int pagina) {
        if (!canvas.Preview) {
            PznPrintPreviewPaint(canvas, pagina, h);
            return;
        }
        TRapportGegevens u = h;
        u.Waarschuwing = NaHetSchilderen(h.Waarschuwing, pv);
        u.ModelFoutMelden = NaHetSchilderen(h.ModelFoutMelden, pv);
        PznPrintPreviewPaint(canvas, pagina, u);
    });
}

void Afdrukken(TZnPreview& preview, const TRapportGegevens& h) {
    // Once the job has started its orientation is fixed: turn the printer before the dialog shows
    // it, and again when the user chose landscape in the dialog.
    if (h.Printer) ZetPrinterStaand(*h.Printer, h);
    preview.SetPrintDialog([h](QPrinter& printer, int minPagina, int maxPagina) {
        const TPrintDialogKeuze keuze = h.PrintDialoog
                                            ? h.PrintDialoog(printer, minPagina, maxPagina)
                                            : TZnPreview::StandaardPrintDialoog(printer, minPagina, maxPagina,
                                                                                QApplication::activeWindow());
        if (keuze.Geaccepteerd) ZetPrinterStaand(printer, h);
        return keuze;
    });
    preview.SetPreviewMode(false);
    KoppelRapport(preview, h);
    if (preview.BeginDoc()) preview.Execute();
    preview.EndDoc();
}

} // namespace

void MitAfdrukvoorbeeldClick(TZnPreview& preview, const TRapportGegevens& gegevens) {
    const TRapportGegevens h = VoorOpdracht(gegevens, preview);
    // Turned before the window opens, so that it shows the portrait sheet from the first paint.
    ZetPrinterStaand(*h.Printer, h);
    preview.SetPreviewMode(true);
    KoppelRapport(preview, h);
    bool afdrukken = false;
    if (preview.BeginDoc()) afdrukken = preview.Execute();
    preview.EndDoc();
    // Left with "&Afdrukken": the print command, with its print dialog.
    if (afdrukken) Afdrukken(preview, h);
}

void MitAfdrukkenClick(TZnPreview& preview, const TRapportGegevens& gegevens) {
    Afdrukken(preview, VoorOpdracht(gegevens, preview));
}

} // namespace korvalinde
