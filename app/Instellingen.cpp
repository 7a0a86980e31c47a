#include "Instellingen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace korvalinde {

QString InstellingenNaam(const QString& programmaBestand) {
    QString naam = QFileInfo(programmaBestand).completeBaseName();
    if (naam.isEmpty()) naam = QStringLiteral("korvalinde");
    return naam + QStringLiteral(".ini");
}

bool MapBeschrijfbaar(const QString& map, const QString& bestandsnaam) {
    const QFileInfo info(map);
    if (map.isEmpty() || !info.isDir()) return false;
    if (!bestandsnaam.isEmpty()) {
        // An existing settings file must itself be writable, or saving at closing would fail.
        QFile bestaand(QDir(map).filePath(bestandsnaam));
        if (bestaand.exists()) return bestaand.open(QIODevice::ReadWrite);
    }
    QTemporaryFile proef(QDir(map).filePath(QStringLiteral(".korvalinde-XXXXXX")));
    return proef.open();
}

QString InstellingenPad(const QString& programmaBestand, const QString& gebruikersMap) {
    const QString naam = InstellingenNaam(programmaBestand);
    const QString programmaMap = QFileInfo(programmaBestand).absolutePath();
    if (!programmaBestand.isEmpty() && MapBeschrijfbaar(programmaMap, naam))
        return QDir(programmaMap).filePath(naam);
    if (!gebruikersMap.isEmpty()) QDir().mkpath(gebruikersMap);
    return QDir(gebruikersMap).filePath(naam);
}

QString InstellingenPad() {
    return InstellingenPad(QCoreApplication::applicationFilePath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

std::unique_ptr<QSettings> OpenInstellingen(const QString& pad) {
    return std::make_unique<QSettings>(pad, QSettings::IniFormat);
}

} // namespace korvalinde
