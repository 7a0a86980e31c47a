#include "programs/Produktondersteuning.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QSettings>
#include <QVBoxLayout>

namespace korvalinde {

namespace {

const TTekstSectie Secties[] = {
    {"Doel", "Korvalinde is een tool om adviseurs en veehouders te helpen inzicht te krijgen in "
             "allerlei effecten rondom beweiding op perceelsniveau. Wat zijn gevolgen van "
             "veranderingen van perceelsgrootte, systeem, bijvoeding etc. op grasopname en "
             "melkproductie."},
    {"Verantwoordelijkheid bij u als veehouder",
     " De verantwoordelijkheid voor de onderbouwing en het gebruik van Korvalinde ligt bij de "
     "gebruiker.\nKorvalinde gaat uit van een 'normaal' melkveebedrijf. Als uw bedrijf "
     "daarvan afwijkt, zult u zelf moeten nagaan welke aanpassingen nodig zijn ten opzichte "
     "van basismogelijkheden/antwoorden."},
    {"Disclaimer", "Door gebruik van Korvalinde verklaart u volledige verantwoordelijkheid te aanvaarden "
                   "voor de uitkomsten van het toepassen van Korvalnde op uw bedrijf. De ontwikkelaar van "
                   "Korvalinde, zoals hieronder vermeld, aanvaardt geen aansprakelijkheid voor directe en "
                   "indirecte schade als gevolg van het gebruik van Korvalinde en de daaruit voortkomende "
                   "resultaten. Tevens zult u de ontwikkelaar van Korvalinde vrijwaren tegen claims van "
                   "derden die gebruik maken van Korvalinde waarvan blijkt dat die afkomstig is van een "
                   "kopie van de door u gedownloade versie."},
    {"Auteur en ontwikkeling",
     "Ontwikkeld door het Korvalinde-ontwikkelteam, binnen het project Beweiding op perceelsniveau.\n"
     "Of er een nieuwe versie is, ziet u via het menu Opties, Versiecontrole uitvoeren."},
};

} // namespace

bool LeesJaNee(QSettings* instellingen, const QString& sectie, const QString& sleutel, bool standaard) {
    if (!instellingen) return standaard;
    instellingen->beginGroup(sectie);
    const QVariant waarde = instellingen->value(sleutel);
    instellingen->endGroup();
    if (!waarde.isValid()) return standaard;
    bool getal = false;
    const int n = waarde.toString().trimmed().toInt(&getal);
    return getal ? n != 0 : standaard;
}

TFrmInfotxt::TFrmInfotxt(QSettings* instellingen, QWidget* parent)
    : TTekstVenster(QStringLiteral("FrmInfotxt"), QStringLiteral("Produktondersteuning"), {792, 524}, parent),
      instellingen_(instellingen) {
    PnlInfo = new QFrame(this);
    PnlInfo->setObjectName(QStringLiteral("PnlInfo"));
    PnlInfo->setGeometry(8, 8, 762, 433);
    PnlInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    MaakGeel(PnlInfo);
    auto* indeling = new QVBoxLayout(PnlInfo);
    indeling->setContentsMargins(12, 8, 12, 8);
    indeling->setSpacing(2);
    // The purpose stands in the smaller font.
    int nummer = 0;
    for (const TTekstSectie& sectie : Secties) {
        if (nummer > 0) indeling->addSpacing(8);
        VoegSectieToe(indeling, sectie, 15, nummer == 0 ? 13 : 15);
        ++nummer;
    }
    indeling->addStretch(1);

    ChkProduktOndersteuning = new QCheckBox(QStringLiteral("Bij start van programma tonen"), this);
    ChkProduktOndersteuning->setObjectName(QStringLiteral("ChkProduktOndersteuning"));
    ChkProduktOndersteuning->setGeometry(8, 452, 400, 22);
    ChkProduktOndersteuning->setChecked(true);
    connect(ChkProduktOndersteuning, &QCheckBox::toggled, this, [this] { ChkProduktOndersteuningClick(); });

    MaakOkKnop(486);
}

void TFrmInfotxt::KoppelMenu(QAction* mitProduktOndersteuningTonen) {
    if (menu_) disconnect(menu_, nullptr, this, nullptr);
    menu_ = mitProduktOndersteuningTonen;
    if (!menu_) return;
    menu_->setCheckable(true);
    menu_->setChecked(ChkProduktOndersteuning->isChecked());
    // Qt inverts the check mark of a checkable entry before it reports the choice.
    connect(menu_, &QAction::triggered, this,
            [this](bool aangevinkt) { MitProduktOndersteuningTonenGekozen(aangevinkt); });
}

bool TFrmInfotxt::LeesInstelling() const {
    return LeesJaNee(instellingen_, QString::fromLatin1(GebruikSectie),
                     QString::fromLatin1(ProduktOndersteuningSleutel), true);
}

void TFrmInfotxt::SchrijfInstelling(bool tonen) {
    if (!instellingen_) return;
    instellingen_->beginGroup(QString::fromLatin1(GebruikSectie));
    instellingen_->setValue(QString::fromLatin1(ProduktOndersteuningSleutel),
                            tonen ? QStringLiteral("1") : QStringLiteral("0"));
    instellingen_->endGroup();
    instellingen_->sync();
}

void TFrmInfotxt::ChkProduktOndersteuningClick() {
    const bool tonen = ChkProduktOndersteuning->isChecked();
    SchrijfInstelling(tonen);
    if (menu_) menu_->setChecked(tonen);
}

void TFrmInfotxt::MitProduktOndersteuningTonenGekozen(bool aangevinkt) {
    SchrijfInstelling(aangevinkt);
    ChkProduktOndersteuning->setChecked(aangevinkt);
}

void TFrmInfotxt::MitProduktOndersteuningTonenClick() {
    const bool aangevinkt = menu_ ? !menu_->isChecked() : !ChkProduktOndersteuning->isChecked();
    if (menu_) menu_->setChecked(aangevinkt);
    MitProduktOndersteuningTonenGekozen(aangevinkt);
}

void TFrmInfotxt::ToonBijActivering() {
    if (GeslotenGeweest || isVisible()) return;
    const bool tonen = LeesInstelling();
    ChkProduktOndersteuning->setChecked(tonen);
    if (menu_) menu_->setChecked(tonen);
    if (tonen) Toon();
}

void TFrmInfotxt::done(int resultaat) {
    GeslotenGeweest = true;
    QDialog::done(resultaat);
}

} // namespace korvalinde
