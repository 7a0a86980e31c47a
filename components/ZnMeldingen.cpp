#include "components/ZnMeldingen.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>

namespace korvalinde {

QString ZnMeldingTitel(TZnMeldingSoort soort) {
    switch (soort) {
    case TZnMeldingSoort::Fout:
        return QStringLiteral("Fout");
    case TZnMeldingSoort::Waarschuwing:
        return QStringLiteral("Waarschuwing");
    case TZnMeldingSoort::Informatie:
        return QStringLiteral("Informatie");
    case TZnMeldingSoort::Bevestig:
        return QStringLiteral("Bevestig");
    }
    return {};
}

QString ZnKnopTekst(TZnKnop knop) {
    switch (knop) {
    case TZnKnop::Ja:
        return QStringLiteral("&Ja");
    case TZnKnop::Nee:
        return QStringLiteral("&Nee");
    case TZnKnop::OK:
        return QStringLiteral("OK");
    case TZnKnop::Annuleer:
        return QStringLiteral("Annuleer");
    case TZnKnop::Geen:
        break;
    }
    return {};
}

TZnKnop TZnQtMeldingen::Toon(TZnMeldingSoort soort, const QString& tekst, const QList<TZnKnop>& knoppen) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(ZnMeldingTitel(soort));
    box.setTextFormat(Qt::PlainText);
    box.setText(tekst);
    switch (soort) {
    case TZnMeldingSoort::Fout:
        box.setIcon(QMessageBox::Critical);
        break;
    case TZnMeldingSoort::Waarschuwing:
        box.setIcon(QMessageBox::Warning);
        break;
    case TZnMeldingSoort::Informatie:
        box.setIcon(QMessageBox::Information);
        break;
    case TZnMeldingSoort::Bevestig:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QList<QPair<QAbstractButton*, TZnKnop>> paren;
    for (TZnKnop knop : knoppen) {
        QMessageBox::ButtonRole rol = QMessageBox::AcceptRole;
        if (knop == TZnKnop::Ja) rol = QMessageBox::YesRole;
        if (knop == TZnKnop::Nee) rol = QMessageBox::NoRole;
        if (knop == TZnKnop::Annuleer) rol = QMessageBox::RejectRole;
        paren.append({box.addButton(ZnKnopTekst(knop), rol), knop});
    }
    if (!paren.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(paren.front().first));
    box.exec();
    for (const auto& [knop, waarde] : paren)
        if (box.clickedButton() == knop) return waarde;
    return TZnKnop::Geen;
}

bool TZnQtMeldingen::OpenAdres(const QUrl& adres) {
    return QDesktopServices::openUrl(adres);
}

TZnKnop TZnOpgenomenMeldingen::Toon(TZnMeldingSoort soort, const QString& tekst,
                                    const QList<TZnKnop>& knoppen) {
    meldingen.append({soort, ZnMeldingTitel(soort), tekst, knoppen});
    if (!antwoorden.isEmpty()) return antwoorden.takeFirst();
    return knoppen.isEmpty() ? TZnKnop::Geen : knoppen.front();
}

bool TZnOpgenomenMeldingen::OpenAdres(const QUrl& adres) {
    geopend.append(adres);
    return openLukt;
}

namespace {
TZnMeldingen* geinstalleerd = nullptr;
}

TZnMeldingen& ZnMeldingen() {
    static TZnQtMeldingen echt;
    return geinstalleerd ? *geinstalleerd : echt;
}

void ZetZnMeldingen(TZnMeldingen* meldingen) {
    geinstalleerd = meldingen;
}

} // namespace korvalinde
