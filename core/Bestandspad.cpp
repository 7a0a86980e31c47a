#include "core/Bestandspad.h"

#include <QFile>

namespace korvalinde {

std::string DomeinPad(const QString& pad) {
#ifdef Q_OS_WIN
    return pad.toStdString();
#else
    return QFile::encodeName(pad).toStdString();
#endif
}

} // namespace korvalinde
