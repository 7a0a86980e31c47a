#include "report/Rapport.h"

#include "core/Bestandspad.h"
#include "core/Invoerset.h"
#include "domain/Algemeen.h"
#include "domain/Bestand.h"
#include "domain/Formaat.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImageReader>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <utility>

namespace korvalinde {

namespace {

// The text grid: rows of 280 twips, columns of 333 twips.
constexpr int RijHoogte = 280;
constexpr int KolomBreedte = 333;

// Band colours: the page title and the sections.
const QColor PaginaTitelBlauw(153, 221, 255);
const QColor SectieBlauw(233, 248, 255);

// Anchors of the header and the footer of the input and results pages.
constexpr QPoint KopAnker(454, 450);
constexpr QPoint VoetAnker(454, 454);

// Cover: the maker's credits and the funding project's web address.
const char* const CreditRegel1 = "Ontwikkeld door het Korvalinde-ontwikkelteam, in opdracht van het project";
const char* const CreditRegel2 =
    "Beweiding op perceelsniveau. Aan de uitkomsten kunnen geen rechten worden ontleend.";
const char* const ProjectAdres = "www.example.org/beweiding";

// The seven supplements in the order of the feed table.
const char* const VoederNamen[7] = {"Krachtvoer", "Snijmais",           "Graskuil", "Perspulp",
                                    "Bierbostel", "Aardappelpersvezel", "Overig"};

enum class Uitlijning { Links, Midden, Rechts };

int Rnd(long double x) {
    return static_cast<int>(Round(x));
}

QString Getal(const char* patroon, long double waarde) {
    return QString::fromStdString(FormatFloat(patroon, waarde));
}

void ToonWaarschuwing(const TRapportGegevens& g, const QString& tekst) {
    if (g.Waarschuwing)
        g.Waarschuwing(tekst);
    else
        StandaardMelder().Waarschuwing(tekst);
}

void ToonModelFout(const TRapportGegevens& g, const QString& tekst) {
    if (g.ModelFoutMelden)
        g.ModelFoutMelden(tekst);
    else
        StandaardMelder().Fout(tekst);
}

// Paints one page on the text grid of the report.
class TRapportSchilder {
  public:
    TRapportSchilder(TPreviewCanvas& canvas, const TRapportGegevens& gegevens)
        : c(canvas), g(gegevens), m(TRapportMarges::Van(canvas.PageWidth, canvas.PageHeight)) {}

    void Omslag();
    void Kop();
    void Voet(int pagina);
    void InvoerPagina(const TQXInvoer& invoer);
    void ResultatenPagina();

  private:
    int X(double kolom) const { return m.L + Rnd(static_cast<long double>(KolomBreedte) * kolom); }
    int Y(double rij) const { return m.T + Rnd(static_cast<long double>(RijHoogte) * rij); }

    void Lettertype(int punten, bool vet, bool onderstreept = false);
    void TekstOp(int x, int y, const QString& tekst, Uitlijning uitlijning);
    void Tekst(double rij, double kolom, const QString& tekst, Uitlijning uitlijning = Uitlijning::Links) {
        TekstOp(X(kolom), Y(rij), tekst, uitlijning);
    }
    // Body text of the input and results pages: bold 10 point.
    void Body(double rij, double kolom, const QString& tekst, Uitlijning uitlijning = Uitlijning::Links) {
        Lettertype(10, true);
        Tekst(rij, kolom, tekst, uitlijning);
    }
    void Regel(int rij, const char* label, const QString& waarde) {
        Body(rij, 0, QString::fromUtf8(label));
        Body(rij, 18, waarde, Uitlijning::Rechts);
    }
    void Band(int rij, int aantal, const QColor& kleur);
    void SectieBand(int rij, const QString& titel);
    void Plaatje(const QRect& twips, const TRapportPlaatje& plaatje) {
        if (!plaatje.Beeld.isNull() && twips.width() > 0 && twips.height() > 0)
            c.StretchDraw(twips, plaatje.Beeld);
    }
    QString KeuzeTekst(TKeuzeInvoer* TInvoerset::*veld) const {
        return g.Invoerset ? (g.Invoerset->*veld)->Tekst() : QString();
    }
    QString GetalTekst(TGetalInvoer* TInvoerset::*veld) const {
        return g.Invoerset ? (g.Invoerset->*veld)->Tekst() : QString();
    }

    TPreviewCanvas& c;
    const TRapportGegevens& g;
    const TRapportMarges m;
};

void TRapportSchilder::Lettertype(int punten, bool vet, bool onderstreept) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(punten);
    f.setBold(vet);
    f.setUnderline(onderstreept);
    c.SetFont(f);
    c.FontColor() = Qt::black;
}

void TRapportSchilder::TekstOp(int x, int y, const QString& tekst, Uitlijning uitlijning) {
    if (uitlijning != Uitlijning::Links) {
        const int w = c.TextWidth(tekst);
        x -= uitlijning == Uitlijning::Midden ? w / 2 : w;
    }
    c.TextOut(x, y, tekst);
}

void TRapportSchilder::Band(int rij, int aantal, const QColor& kleur) {
    const QPen pen = c.Pen();
    c.Pen().setStyle(Qt::NoPen);
    c.Brush() = QBrush(kleur, Qt::SolidPattern);
    c.Rectangle(m.L, m.T + RijHoogte * rij - 15, m.R, m.T + RijHoogte * (rij + aantal) + 15);
    // Following text gets no background.
    c.Brush() = QBrush(Qt::white, Qt::NoBrush);
    c.Pen() = pen;
}

void TRapportSchilder::SectieBand(int rij, const QString& titel) {
    Band(rij, 1, SectieBlauw);
    Lettertype(10, false);
    Body(rij, 0, titel);
}

void TRapportSchilder::Omslag() {
    const QSize product = g.Product.Maat;
    const int x0 = 454 + Rnd((10300.0L - 20.0L * product.width()) / 2);
    Plaatje(QRect(x0, 4600, 20 * product.width(), 20 * product.height()), g.Product);

    Lettertype(40, true);
    Tekst(2, 15, QStringLiteral("Rapport Korvalinde"), Uitlijning::Midden);
    Lettertype(20, true);
    Tekst(7, 15, QStringLiteral("versie ") + g.Versie, Uitlijning::Midden);

    Lettertype(9, false);
    Tekst(39, 0, QString::fromUtf8(CreditRegel1));
    Tekst(40, 0, QString::fromUtf8(CreditRegel2));
    Lettertype(10, false, true);
    Tekst(49, 0, QString::fromUtf8(ProjectAdres));

    // The project logo sits on the right margin, its top 800 twips above the bottom margin, scaled
    // as the farm picture would be to fit the text width and 800 twips of height.
    const long double f =
        std::min(VeiligDelen(m.R - m.L, g.BedrijfMaat.width()), VeiligDelen(800, g.BedrijfMaat.height()));
    const int breedte = Rnd(f * g.ProjectLogo.Maat.width());
    const int hoogte = Rnd(f * g.ProjectLogo.Maat.height());
    Plaatje(QRect(m.R - breedte, m.B - 800, breedte, hoogte), g.ProjectLogo);
}

void TRapportSchilder::Kop() {
    const QPoint p = KopAnker;
    c.Brush() = QBrush(Qt::black, Qt::SolidPattern);
    c.Rectangle(p.x() + 50, p.y() + 1000, p.x() + 10288, p.y() + 1030);
    c.Brush() = QBrush(Qt::white, Qt::NoBrush);

    const QSize logo = g.MakerLogo.Maat;
    Plaatje(QRect(p.x() + 7500, p.y() + 150, 5 * logo.width(), 5 * logo.height()), g.MakerLogo);

    Lettertype(25, true);
    Tekst(-2, 0, QStringLiteral("Korvalinde"));

    // The left margin is the vertical base of this line too.
    Lettertype(10, true);
    TekstOp(m.L, m.L + 1400, QStringLiteral("Invoerset"), Uitlijning::Links);
    Lettertype(10, false);
    const QString naam = g.Bestandsnaam.isEmpty() ? QString() : QFileInfo(g.Bestandsnaam).fileName();
    TekstOp(m.L + 1000, m.L + 1400, QStringLiteral(":  ") + naam, Uitlijning::Links);
}

void TRapportSchilder::Voet(int pagina) {
    const QPoint p = VoetAnker;
    const int y = p.y() + 15300;
    Lettertype(9, false);
    const QDate vandaag = g.Vandaag.isValid() ? g.Vandaag : QDate::currentDate();
    TekstOp(p.x(), y, QLocale::c().toString(vandaag, QStringLiteral("d-M-yy")), Uitlijning::Links);
    // The input page is page 1 of the report proper, the results page 2.
    const QString nummer = QString::number(pagina - 1);
    const int w = c.TextWidth(nummer);
    TekstOp(Rnd((m.R - m.L) / 2.0L) - Rnd(w / 2.0L), y, nummer, Uitlijning::Links);
    TekstOp(m.R, y, QStringLiteral("versie ") + g.Versie + QStringLiteral(" - ") + g.Datum,
            Uitlijning::Rechts);
}

void TRapportSchilder::InvoerPagina(const TQXInvoer& in) {
    Band(5, 1, PaginaTitelBlauw);
    Body(5, 0, QStringLiteral("Invoer Korvalinde"));

    SectieBand(7, QStringLiteral("Veestapel"));
    Regel(8, "Aantal koeien (stuks)", Getal("0", in.AantalKoeien));
    Regel(9, "Nivo melkproductie (kg)", Getal("0", in.Melknivo));
    Regel(10, "Aandeel vaarzen (%)", Getal("0", in.PercPar[0]));
    Regel(11, "Aandeel 2e kalfskoeien (%)", Getal("0", in.PercPar[1]));

    SectieBand(13, QStringLiteral("Perceelsgegevens"));
    Regel(14, "Beweidingssysteem", KeuzeTekst(&TInvoerset::CbxSysteem));
    Regel(15, "Perceelsgrootte (ha)", Getal("0.0", in.PerceelOpp));
    Regel(16, "Zodedichtheid", KeuzeTekst(&TInvoerset::CbxZode));
    Regel(17, "Goede ontwatering", KeuzeTekst(&TInvoerset::CbxOntwatering));
    Regel(18, "Aandeel engelsraaigras (%)", KeuzeTekst(&TInvoerset::CbxEngelsraai));

    SectieBand(20, QStringLiteral("Beweiding"));
    const QString inschaardatum =
        g.Invoerset ? QString::fromStdString(DagTekst(g.Invoerset->Cbxdatum->DagVanHetJaar())) : QString();
    Regel(21, "Inschaardatum", inschaardatum);
    Regel(22, "Grasaanbod boven stoppel (kg ds)", Getal("0", in.Grasaanbod));
    Regel(23, "Beweidingsduur (uren/dag)", Getal("0", in.UrenWeidegang));

    SectieBand(25, QStringLiteral("Vorige snede"));
    Regel(26, "Gebruik vorige snede", KeuzeTekst(&TInvoerset::CbxVorigGebruik));
    Regel(27, "Vorige snede gebloot", KeuzeTekst(&TInvoerset::CbxBloten));
    Regel(28, "Aantal weidedagen vorige snede", Getal("0.0", in.VorigeSnede.Dagen));
    Regel(29, "Restant gras na beweiding", Getal("0.0", in.VorigeSnede.Rest));

    SectieBand(31, QStringLiteral("Voeding"));
    struct Kolom {
        int kolom;
        const char* kop;
        const char* eenheid;
        int waarde;
        const char* patroon;
    };
    // The RC value of a feed is not printed.
    static constexpr Kolom Kolommen[] = {
        {10, "Gift", "(kg ds)", VwGift, "0.0"}, {14, "DS", "(g/kg)", VwDS, "0"},
        {18, "VEM", "(/kg ds)", VwVEM, "0"},    {22, "RE", "(g/kg ds)", VwRE, "0"},
        {26, "VOS", "(g/kg ds)", VwVOS, "0"},   {30, "VW", "(/kg ds)", VwVW, "0.00"},
    };
    for (const Kolom& k : Kolommen) {
        Body(32, k.kolom, QString::fromUtf8(k.kop), Uitlijning::Rechts);
        Body(33, k.kolom, QString::fromUtf8(k.eenheid), Uitlijning::Rechts);
    }
    for (int f = 0; f < 7; ++f) {
        const int rij = 34 + f;
        Body(rij, 0, QString::fromUtf8(VoederNamen[f]));
        const auto& voer = in.Voeders[f];
        if (!(voer[VwGift] > 0)) continue;
        for (const Kolom& k : Kolommen)
            Body(rij, k.kolom, Getal(k.patroon, voer[k.waarde]), Uitlijning::Rechts);
    }
}

void TRapportSchilder::ResultatenPagina() {
    Band(5, 1, PaginaTitelBlauw);
    Body(5, 0, QStringLiteral("Resultaten Korvalinde"));

    Body(7, 0, QStringLiteral("Alternatief 1"));
    Body(7, 5, KeuzeTekst(&TInvoerset::CbxAlt1));
    Body(7, 13, GetalTekst(&TInvoerset::SpeAlt1));
    Body(8, 0, QStringLiteral("Alternatief 2"));
    Body(8, 5, KeuzeTekst(&TInvoerset::CbxAlt2));
    Body(8, 13, GetalTekst(&TInvoerset::SpeAlt2));

    Band(10, 1, SectieBlauw);
    Lettertype(10, false);
    Body(10, 22, QStringLiteral("Basis"), Uitlijning::Rechts);
    Body(10, 26, QStringLiteral("Alt 1"), Uitlijning::Rechts);
    Body(10, 30, QStringLiteral("Alt 1+2"), Uitlijning::Rechts);

    if (!g.SamenvattingCel) return;
    for (int i = 1; i < g.SamenvattingRijen; ++i) {
        const int rij = 12 + (i - 1);
        Body(rij, 0, g.SamenvattingCel(KolLabel, i));
        Body(rij, 13, g.SamenvattingCel(KolEenheid, i));
        Body(rij, 22, g.SamenvattingCel(KolBasis, i), Uitlijning::Rechts);
        Body(rij, 26, g.SamenvattingCel(KolAlt1, i), Uitlijning::Rechts);
        Body(rij, 30, g.SamenvattingCel(KolAlt12, i), Uitlijning::Rechts);
    }
}

QString SchrijfMelding(const QString& pad, const QString& reden) {
    return QStringLiteral("Kan het rapport niet schrijven naar %1: %2")
        .arg(QDir::toNativeSeparators(pad), reden);
}

// Why a PDF cannot be written at `pad`; empty when it can.
QString Onschrijfbaar(const QString& pad) {
    if (pad.trimmed().isEmpty()) return QStringLiteral("Geen bestandsnaam voor het rapport opgegeven");
    const QFileInfo info(pad);
    if (info.isDir()) return SchrijfMelding(pad, QStringLiteral("dat is een map"));
    const QFileInfo map(info.absolutePath());
    if (!map.isDir())
        return SchrijfMelding(
            pad, QStringLiteral("de map %1 bestaat niet").arg(QDir::toNativeSeparators(map.filePath())));
    // No device, FIFO or read-only file is written over, also not through a link.
    BestandFout soort = BestandFout::Geen;
    const std::string reden = ControleerSchrijfdoel(DomeinPad(pad), &soort);
    if (soort == BestandFout::Geweigerd) return QString::fromStdString(reden);
    QSaveFile proef(pad);
    if (!proef.open(QIODevice::WriteOnly)) return SchrijfMelding(pad, proef.errorString());
    proef.cancelWriting();
    return {};
}

} // namespace

TRapportMarges TRapportMarges::Van(int breedte, int hoogte) {
    TRapportMarges m;
    m.L = Rnd(1440.0L - (11905.0L - breedte) / 2) - 666;
    m.R = breedte - m.L;
    m.T = Rnd(1440.0L - (16837.0L - hoogte) / 2);
    m.B = hoogte - m.T;
    return m;
}

QString OrientatieMelding() {
    return QStringLiteral("Printer orientatie was landscape, \n\ndoch wordt gelijkgesteld aan Portrait");
}

bool ZetPrinterStaand(QPagedPaintDevice& printer, const TRapportGegevens& gegevens) {
    if (printer.pageLayout().orientation() != QPageLayout::Landscape) return false;
    printer.setPageOrientation(QPageLayout::Portrait);
    if (gegevens.PrinterGewijzigd) gegevens.PrinterGewijzigd();
    ToonWaarschuwing(gegevens, OrientatieMelding());
    return true;
}

void PznPrintPreviewPaint(TPreviewCanvas& Canvas, int pagina, const TRapportGegevens& gegevens) {
    TRapportSchilder schilder(Canvas, gegevens);
    // Busy for as long as the page is being produced, whatever happens: the caller shows it.
    if (gegevens.Bezig) gegevens.Bezig(true);
    const auto klaar = qScopeGuard([&gegevens] {
        if (gegevens.Bezig) gegevens.Bezig(false);
    });
    // A printer that is already printing keeps its orientation; the print command turned it first.
    if (gegevens.Printer && !Canvas.Printer) ZetPrinterStaand(*gegevens.Printer, gegevens);

    TRapportBerekening run;
    if (gegevens.Doorrekenen) run = gegevens.Doorrekenen();
    if (!run.ModelFout.isEmpty()) ToonModelFout(gegevens, run.ModelFout);
    if (pagina == 3 && gegevens.SamenvattingVullen) gegevens.SamenvattingVullen();

    // Text is drawn on the background without a fill of its own.
    Canvas.Brush() = QBrush(Qt::white, Qt::NoBrush);
    Canvas.FontColor() = Qt::black;
    switch (pagina) {
    case 1:
        schilder.Omslag();
        break;
    case 2:
        schilder.Kop();
        schilder.InvoerPagina(run.Invoer);
        schilder.Voet(pagina);
        break;
    case 3:
        schilder.Kop();
        schilder.ResultatenPagina();
        schilder.Voet(pagina);
        break;
    default:
        break;
    }
}

TRapportGegevens VoorEenOpdracht(const TRapportGegevens& g, QPagedPaintDevice* printer) {
    TRapportGegevens h = g;
    h.Printer = printer;
    h.Waarschuwing = [g](const QString& tekst) { ToonWaarschuwing(g, tekst); };
    auto getoond = std::make_shared<QStringList>();
    h.ModelFoutMelden = [g, getoond](const QString& tekst) {
        if (getoond->contains(tekst)) return;
        getoond->append(tekst);
        ToonModelFout(g, tekst);
    };
    return h;
}

bool SchrijfRapportPdf(const QString& pad, const TRapportGegevens& gegevens, QString* melding,
                       const QPageLayout& layout) {
    auto fout = [melding](const QString& tekst) {
        if (melding) *melding = tekst;
        return false;
    };
    if (melding) melding->clear();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fout(QStringLiteral("Het rapport kan alleen gemaakt worden in een programma met lettertypen "
                                   "(QGuiApplication)"));
    const QString reden = Onschrijfbaar(pad);
    if (!reden.isEmpty()) return fout(reden);

    // A PDF file has no printer to turn: the layout fixes the sheet.
    TRapportGegevens h = VoorEenOpdracht(gegevens, nullptr);
    // Without a box of the caller's a model error comes back in `melding`: no window may open.
    auto modelFout = std::make_shared<QString>();
    if (!gegevens.ModelFoutMelden)
        h.ModelFoutMelden = [modelFout](const QString& tekst) {
            if (modelFout->isEmpty()) *modelFout = tekst;
        };
    const TDrawPPEvent schilder = [h](TPreviewCanvas& canvas, int pagina) {
        PznPrintPreviewPaint(canvas, pagina, h);
    };
    QString tekst;
    if (SchrijfPaginasPdf(pad, schilder, RapportPaginas, tekst, layout)) {
        if (melding) *melding = *modelFout;
        return true;
    }
    if (tekst.startsWith(QLatin1String("Cannot create file")))
        return fout(SchrijfMelding(pad, QStringLiteral("het bestand kan niet aangemaakt worden")));
    return fout(tekst);
}

TRapportPlaatje LaadRapportPlaatje(const QString& bestand, QSize maat) {
    QImageReader lezer(bestand);
    QImage beeld = lezer.read();
    return {beeld, maat.isValid() ? maat : beeld.size()};
}

} // namespace korvalinde

namespace korvalinde {

TRapportPlaatjes LaadRapportPlaatjes(const QString& map) {
    const QDir m(map);
    TRapportPlaatjes p;
    p.Product = LaadRapportPlaatje(m.filePath(QStringLiteral("ImgKorvalinde@2x.png")), QSize(260, 169));
    p.MakerLogo = LaadRapportPlaatje(m.filePath(QStringLiteral("ImgMakerLogo@2x.png")), QSize(240, 64));
    p.ProjectLogo = LaadRapportPlaatje(m.filePath(QStringLiteral("ImgProjectLogo@2x.png")), QSize(240, 64));
    p.Bedrijf = LaadRapportPlaatje(m.filePath(QStringLiteral("ImgBedrijf@2x.png")), QSize(120, 80));
    return p;
}

void VulRapportGegevens(TRapportGegevens& g, TBerekening& berekening, const TRapportPlaatjes& plaatjes) {
    TBerekening* b = &berekening;
    g.Doorrekenen = [b] {
        TRapportBerekening run;
        b->Doorrekenen(&run.ModelFout);
        run.Invoer = b->BewaardeInvoer;
        return run;
    };
    g.Invoerset = &berekening.Invoer();
    g.SamenvattingVullen = [b] { b->VulSamenvatting(); };
    g.SamenvattingCel = [b](int kolom, int rij) { return b->GrdUitvoerSam->Cel(kolom, rij); };
    g.SamenvattingRijen = berekening.GrdUitvoerSam->RowCount();
    g.Product = plaatjes.Product;
    g.MakerLogo = plaatjes.MakerLogo;
    g.ProjectLogo = plaatjes.ProjectLogo;
    g.BedrijfMaat = plaatjes.Bedrijf.Maat;
}

} // namespace korvalinde
