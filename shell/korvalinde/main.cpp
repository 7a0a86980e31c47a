// The desktop program: opens the main window with a new scenario.
#include "Korvalinde_u.h"
#include "Meldvenster.h"

int main(int argc, char** argv) {
    korvalinde::TKorvalindeApplicatie app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvalinde"));
    korvalinde::TFrmHoofdFormulier venster;
    venster.show();
    return QApplication::exec();
}
