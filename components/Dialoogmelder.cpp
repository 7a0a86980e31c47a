#include "components/Dialoogmelder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <map>

namespace korvalinde {

MeldKnop TDialoogMelder::Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) {
    if (beeindigd_) {
        MeldKnop antwoord = knoppen.isEmpty() ? MeldKnop::Geen : knoppen.back();
        for (MeldKnop knop : {MeldKnop::Annuleer, MeldKnop::Nee})
            if (knoppen.contains(knop)) antwoord = knop;
        QString regel = MeldTitel(soort) + QStringLiteral(": ") + tekst;
        if (knoppen.size() > 1)
            regel += QStringLiteral(" (beantwoord met \"%1\": het programma stopt)")
                         .arg(KnopTekst(antwoord).remove(QLatin1Char('&')));
        std::fprintf(stderr, "korvalinde: %s\n", regel.toLocal8Bit().constData());
        std::fflush(stderr);
        return antwoord;
    }
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

void TDialoogMelder::Beeindigen() {
    beeindigd_ = true;
    // The boxes open now, innermost first; each returns as with Escape once the event loop runs.
    for (int i = 0; i < 100; ++i) {
        QWidget* modaal = QApplication::activeModalWidget();
        if (!modaal) break;
        if (auto* dialoog = qobject_cast<QDialog*>(modaal))
            dialoog->reject();
        else
            modaal->close();
        if (modaal == QApplication::activeModalWidget()) modaal->hide();
    }
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        if (popup == QApplication::activePopupWidget()) break;
    }
}

bool TDialoogMelder::OpenAdres(const QUrl& adres) {
    return QDesktopServices::openUrl(adres);
}

} // namespace korvalinde
