#include "programs/Vertaling.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace korvalinde {

bool LaadQtVertalingen(QCoreApplication& app) {
    const QString map = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qtbase" holds the dialogs and buttons of Qt's widgets, printing included; "qt" is the
    // catalogue that older installations ship instead (and newer ones as a list of the modules).
    for (const char* naam : {"qtbase_nl", "qt_nl"}) {
        auto* vertaler = new QTranslator(&app);
        if (vertaler->load(QString::fromLatin1(naam), map) && QCoreApplication::installTranslator(vertaler))
            return true;
        delete vertaler;
    }
    return false;
}

} // namespace korvalinde
