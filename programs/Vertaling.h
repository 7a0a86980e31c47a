// Qt's own Dutch texts for the dialogs and buttons the program does not name itself (open, save,
// print, page set-up, standard message-box buttons), whatever language the desktop speaks.
#pragma once

class QCoreApplication;

namespace korvalinde {

// Installs Qt's Dutch catalogue from Qt's translations folder on the application. Only texts
// change: the number formats (QLocale) stay as ZetProcesFormaten sets them. Returns false when the
// catalogue is missing (the dialogs then stay in Qt's English).
bool LaadQtVertalingen(QCoreApplication& app);

} // namespace korvalinde
