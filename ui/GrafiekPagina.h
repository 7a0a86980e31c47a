// The chart page "Grafieken": the choice of chart (CbxGrafiek), the choice of variant (GrpGrafiek) and
// the chart itself (Grafiek), drawn by the program's chart widget from the description that BouwGrafiek
// makes.
//
// The page reads the three detail tables through a TDetailTabellen that the main window hands it. The
// main window calls CbxGrafiekChange() after every recalculation while this page is the active page;
// choosing another chart or variant redraws by itself.
//
// Beside the variant group the choice "Alle drie" shows the chosen chart for the three variants at once,
// one line per series and variant with the variant named in the legend.
//
// A right-click on the chart offers "Grafiek opslaan als afbeelding..." (PNG at twice the size on screen)
// and "Grafiek kopiëren" (to the clipboard). The picture carries the chart's name and the variant or
// variants shown as its title; on screen the chart keeps an empty title.
#pragma once

#include "report/GrafiekOpbouw.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QAction;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QMenu;
class QPoint;
class QRadioButton;

namespace korvalinde {

class TGrafiekvlak;

class TGrafiekPagina : public QWidget {
    Q_OBJECT
  public:
    explicit TGrafiekPagina(QWidget* parent = nullptr);
    ~TGrafiekPagina() override;

    // The source of the detail tables' texts; read again on every rebuild.
    void ZetDetailTabellen(TDetailTabellen tabellen);

    QComboBox* CbxGrafiek() const { return m_cbxGrafiek; }
    QGroupBox* GrpGrafiek() const { return m_grpGrafiek; }
    QRadioButton* RbtAlleVarianten() const { return m_alleVarianten; }
    TGrafiekvlak* Grafiek() const { return m_grafiek; }
    // Index of the checked variant button (0 "Basis", 1 "Alt 1", 2 "Alt 1+2", GrafiekAlleVarianten for
    // "Alle drie"); -1 when none is checked.
    int GrpGrafiekItemIndex() const;
    void ZetGrpGrafiekItemIndex(int index);

    // What the chart shows now, as built by the last rebuild.
    const TGrafiekBeschrijving& Beschrijving() const { return m_beschrijving; }

    // The chart as a picture of its size on screen at `schaal` pixels per pixel, on a white background,
    // with the title AfbeeldingTitel() drawn above the plot.
    QImage GrafiekAfbeelding(qreal schaal = 2) const;
    QString AfbeeldingTitel() const;

    // Asks for the file name when saving the chart; returns an empty text when the user cancels. The
    // default shows the standard save dialog. Tests replace it.
    std::function<QString(QWidget* ouder, const QString& voorstel)> VraagBestandsnaam;
    // Shows a failure to the user. The default shows an error box "Fout" through the program's melder
    // (StandaardMelder); tests record it.
    std::function<void(const QString& melding)> ToonFout;

    // The right-click menu of the chart, with its two actions.
    QMenu* GrafiekMenu() const { return m_menu; }
    QAction* MitGrafiekOpslaan() const { return m_mitOpslaan; }
    QAction* MitGrafiekKopieren() const { return m_mitKopieren; }

  public slots:
    // Rebuilds the chart from scratch for the chosen chart and variant.
    void CbxGrafiekChange();
    // Saves the chart as a PNG file after asking for its name; false when cancelled or failed.
    bool GrafiekOpslaan();
    // Puts the chart on the clipboard as a picture.
    void GrafiekKopieren();

  private:
    // The steps of building the page: the chart and variant choices, the chart with its right-click
    // menu.
    void MaakKeuzes();
    void MaakGrafiek();
    void Teken(const TGrafiekBeschrijving& b);
    void ToonMenu(const QPoint& plek);

    TDetailTabellen m_tabellen;
    TGrafiekBeschrijving m_beschrijving;

    QComboBox* m_cbxGrafiek = nullptr;
    QGroupBox* m_grpGrafiek = nullptr;
    QButtonGroup* m_knoppen = nullptr;
    QRadioButton* m_alleVarianten = nullptr;
    TGrafiekvlak* m_grafiek = nullptr;
    // The axes drawn last: choosing no chart leaves them as they were.
    TGrafiekAs m_halveDagAs;
    TGrafiekAs m_waardeAs;

    QMenu* m_menu = nullptr;
    QAction* m_mitOpslaan = nullptr;
    QAction* m_mitKopieren = nullptr;
};

} // namespace korvalinde
