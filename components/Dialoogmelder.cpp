#include "components/Dialoogmelder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace korvalinde {

MeldKnop TDialoogMelder::Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(MeldTitel(soort));
    box.setText(tekst);
    switch (soort) {
    case MeldSoort::Fout:
        box.setIcon(QMessageBox::Critical);
        break;
    case MeldSoort::Waarschuwing:
        box.setIcon(QMessageBox::Warning);
        break;
    case MeldSoort::Informatie:
        box.setIcon(QMessageBox::Information);
        break;
    case MeldSoort::Bevestig:
        box.setIcon(QMessageBox::Question);
        break;
    case MeldSoort::Gewoon:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    std::map<QAbstractButton*, MeldKnop> knopVan;
    QPushButton* escape = nullptr;
    for (MeldKnop knop : knoppen) {
        QMessageBox::ButtonRole rol = QMessageBox::AcceptRole;
        if (knop == MeldKnop::Ja)
            rol = QMessageBox::YesRole;
        else if (knop == MeldKnop::Nee)
            rol = QMessageBox::NoRole;
        else if (knop == MeldKnop::Annuleer)
            rol = QMessageBox::RejectRole;
        QPushButton* knopje = box.addButton(KnopTekst(knop), rol);
        knopVan[knopje] = knop;
        if (knop == MeldKnop::Annuleer || (!escape && knoppen.size() == 1)) escape = knopje;
        if (knoppen.size() > 0 && knop == knoppen.front()) box.setDefaultButton(knopje);
    }
    if (escape) box.setEscapeButton(escape);
    box.exec();
    const auto gevonden = knopVan.find(box.clickedButton());
    return gevonden == knopVan.end() ? MeldKnop::Geen : gevonden->second;
}

bool TDialoogMelder::OpenAdres(const QUrl& adres) {
    return QDesktopServices::openUrl(adres);
}

} // namespace korvalinde
