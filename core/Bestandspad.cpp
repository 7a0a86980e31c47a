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

std::filesystem::path BestandssysteemPad(const QString& pad) {
#ifdef Q_OS_WIN
    return std::filesystem::path(pad.toStdWString());
#else
    return std::filesystem::path(DomeinPad(pad));
#endif
}

} // namespace korvalinde
