#include "core/Instellingen.h"

#include "core/Bestandspad.h"
#include "domain/Bestand.h"

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

namespace {

// Why the settings are not written, kept on the settings object for SchrijfInstellingen.
constexpr char WeigeringEigenschap[] = "korvalindeWeigering";

} // namespace

std::unique_ptr<QSettings> OpenInstellingen(const QString& pad) {
    // A FIFO would block the reading and a device or read-only file would be replaced by the
    // writing: such a path is not given to QSettings. The settings then live in memory only; a
    // read-only regular file is still read.
    BestandFout soort = BestandFout::Geen;
    const std::string reden = ControleerSchrijfdoel(DomeinPad(pad), &soort);
    if (soort != BestandFout::Geweigerd) return std::make_unique<QSettings>(pad, QSettings::IniFormat);
    auto geheugen = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    if (QFileInfo(pad).isFile()) {
        const QSettings bestand(pad, QSettings::IniFormat);
        for (const QString& sleutel : bestand.allKeys()) geheugen->setValue(sleutel, bestand.value(sleutel));
    }
    geheugen->setProperty(WeigeringEigenschap, QString::fromStdString(reden));
    return geheugen;
}

QString SchrijfInstellingen(QSettings& instellingen) {
    instellingen.sync();
    const QString weigering = instellingen.property(WeigeringEigenschap).toString();
    if (!weigering.isEmpty())
        return QStringLiteral("De instellingen zijn niet opgeslagen: %1").arg(weigering);
    // A damaged file read at start-up leaves a format error behind; it is written over all the
    // same. Only an access error means the file was not written.
    if (instellingen.status() == QSettings::AccessError)
        return QStringLiteral("De instellingen konden niet opgeslagen worden in %1")
            .arg(QDir::toNativeSeparators(instellingen.fileName()));
    return {};
}

} // namespace korvalinde
