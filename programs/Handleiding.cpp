#include "programs/Handleiding.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace korvalinde {

namespace {

// One section per page of the main window; the fourth is a sub-heading of the page "Grasland".
const TTekstSectie Secties[] = {
    {"Tabblad Veestapel",
     "Op het tabblad Veestapel, kan de samenstelling van de veestapel worden aangepast. De "
     "samenstelling van de veestapel heeft invloed op de voeropname/voerbehoefte. De "
     "leeftijdsopbouw kan worden aangepast. Ook kan een jaar(melk)productie worden opgegeven "
     "als indicatie voor de berekende dagproductie."},
    {"Tabblad Voeding", "Op het tabblad Voeding kunnen 2 dingen gewijzigd worden. \n1. De gemiddelde "
                        "krachtvoergift in kg ds!. \n2. De voederwaarde van de gevoerde voedermiddelen "
                        "(krachtvoer, snijmais, kuilgras, bijproduct)"},
    {"Tabblad Grasland",
     "Op het tabblad Grasland worden gegevens gevraagd over de aanbod-kant. De "
     "perceelsgrootte (in ha) is de gemiddelde perceelsgrootte, maar kan ook de "
     "perceelsgrootte zijn van een specifiek perceel. Bij beweidingssysteem wordt onderscheid "
     "gemaakt tussen omweiden en standweiden. Bij standweiden wordt van een dichtere zode "
     "uitgegaan. Een dichtere zode geeft meer biomassa in de laag 0-5 cm boven maaiveld.\nDe "
     "ontwatering is van invloed op vertrappingsschade en de botanische samenstelling. \nHet "
     "percentage engels raaigras is een indicatie voor de voederwaarde."},
    {"Beweiding", "De gegevens benodigd voor de te berekenen beweiding zijn:\n- inschaardatum "
                  "(hergroeiperiode en hoeveelheid ds/ha bij inscharen)\n- uren weidegang per dag (20 uur "
                  "is volledig onbeperkt; bij hoge(re) bijvoedingsniveau's wordt het aantal uren standaard "
                  "teruggebracht; minder uren weidegang betekent minder vervuiling met mest en urine.\n- "
                  "hergroeiperiode(deze periode wordt geschat a.d.h.v.tijd in het seizoen en jaargift en "
                  "wordt gebruikt om de afbraak van oude bossen/flatten te bepalen)"},
    {"Tabblad Uitvoer",
     "Het tabblad Uitvoer geeft een samenvattend overzicht van de belangrijkste "
     "beweidingskenmerken, zowel de ingevoerde waarden, als de berekende waarden. Deze "
     "uitvoer geeft zicht op de effecten aan de aanbodkant alsmede de effecten op de opname "
     "en de productie. Daarnaast is het mogelijk om twee alternatieve berekeningen te laten "
     "zien, waarbij steeds 1 van de in de basis ingestelde voorwaarden (bijvoorbeeld aantal "
     "weidedagen) kan worden aangepast."},
    {"Tabblad Detailuitvoer",
     "In de detail-uitvoer wordt van de basisberekening een detailuitvoer op halve "
     "beweidingsdagen weergegeven. Hier wordt een beeld gegeven van de effecten gedurende de "
     "beweidingsduur binnen het opgegeven perceel. De ontwikkeling van het aanbod, opname, "
     "vervuiling en melkproductie worden per halve dag weergegeven."},
    {"Tabblad Grafieken",
     "Het tabblad Grafieken geeft een grafische voorstelling van de gegevens uit de "
     "detailuitvoer. Op de X-as staat de beweidingsduur en op de Y-as de waarden van het "
     "aanbod,, de opname, de vervuiling etc, afhankelijk van de gekozen grafiek."},
};

constexpr int SubKop = 3;

} // namespace

TFrmHandleiding::TFrmHandleiding(QWidget* parent)
    : TTekstVenster(QStringLiteral("FrmHandleiding"), QStringLiteral("Handleiding korvalinde"), {777, 569},
                    parent) {
    SbxHandleiding = new QScrollArea(this);
    SbxHandleiding->setObjectName(QStringLiteral("SbxHandleiding"));
    SbxHandleiding->setGeometry(8, 8, 760, 513);
    SbxHandleiding->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SbxHandleiding->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SbxHandleiding->setWidgetResizable(true);
    auto* inhoud = new QWidget;
    inhoud->setObjectName(QStringLiteral("SbxHandleidingInhoud"));
    MaakGeel(inhoud);
    auto* indeling = new QVBoxLayout(inhoud);
    indeling->setContentsMargins(12, 10, 12, 12);
    indeling->setSpacing(4);
    int nummer = 0;
    for (const TTekstSectie& sectie : Secties) {
        const bool sub = nummer == SubKop;
        if (nummer > 0) indeling->addSpacing(sub ? 2 : 10);
        VoegSectieToe(indeling, sectie, sub ? 13 : 15, 13, sub);
        ++nummer;
    }
    indeling->addStretch(1);
    SbxHandleiding->setWidget(inhoud);

    MaakOkKnop(533);
}

} // namespace korvalinde
