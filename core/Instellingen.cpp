#include "core/Instellingen.h"

#include "core/Bestandspad.h"
#include "domain/Bestand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
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

bool Geinstalleerd(const QString& programmaBestand) {
    const QString pad = QDir::cleanPath(QFileInfo(programmaBestand).absoluteFilePath());
    if (pad.startsWith(QLatin1String("/usr/"))) return true;
    // Installed by the package elsewhere: the package manager's list of its files names it.
    std::string lijst;
    if (!LeesBestand("/var/lib/dpkg/info/korvalinde.list", InstellingenMaxGrootte, lijst).empty())
        return false;
    return QString::fromUtf8(lijst).split(QLatin1Char('\n')).contains(pad);
}

bool InBouwmap(const QString& programmaMap) {
    // The build writes CMakeCache.txt at the top of its tree; the programs lie a few folders below.
    QDir map(programmaMap);
    for (int niveau = 0; niveau < 4; ++niveau) {
        if (QFileInfo(map.filePath(QStringLiteral("CMakeCache.txt"))).isFile()) return true;
        if (!map.cdUp()) break;
    }
    return false;
}

QString InstellingenPad(const QString& programmaBestand, const QString& gebruikersMap) {
    const QString naam = InstellingenNaam(programmaBestand);
    const QString programmaMap = QFileInfo(programmaBestand).absolutePath();
    if (!programmaBestand.isEmpty() && !Geinstalleerd(programmaBestand)) {
        const QFileInfo draagbaar(QDir(programmaMap).filePath(naam));
        if ((draagbaar.exists() || draagbaar.isSymLink() || InBouwmap(programmaMap)) &&
            MapBeschrijfbaar(programmaMap, naam))
            return QDir(programmaMap).filePath(naam);
    }
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
// The path of a settings file that was too large to read: the settings live in memory and are
// written to this path at closing.
constexpr char TeGrootEigenschap[] = "korvalindeTeGroot";
// Set once the user was told that the too-large file was not kept.
constexpr char GemeldEigenschap[] = "korvalindeTeGrootGemeld";

// Writes the values of `instellingen` as an INI file to `pad` through the safe-write helper: QSettings
// writes them to a scratch file first, whose bytes then replace `pad` at once. Empty when it worked.
QString SchrijfAls(const QSettings& instellingen, const QString& pad) {
    QTemporaryDir kladMap;
    if (!kladMap.isValid()) return QStringLiteral("geen tijdelijke map: %1").arg(kladMap.errorString());
    const QString klad = kladMap.filePath(QStringLiteral("korvalinde.ini"));
    {
        QSettings kopie(klad, QSettings::IniFormat);
        for (const QString& sleutel : instellingen.allKeys())
            kopie.setValue(sleutel, instellingen.value(sleutel));
        kopie.sync();
        if (kopie.status() != QSettings::NoError)
            return QStringLiteral("de instellingen konden niet worden opgemaakt");
    }
    std::string bytes;
    std::string fout = LeesBestand(DomeinPad(klad), InstellingenMaxGrootte, bytes);
    if (fout.empty()) fout = SchrijfBestand(DomeinPad(pad), bytes);
    return QString::fromStdString(fout);
}

} // namespace

std::unique_ptr<QSettings> OpenInstellingen(const QString& pad) {
    // A FIFO would block the reading and a device or read-only file would be replaced by the
    // writing: such a path is not given to QSettings. The settings then live in memory only; a
    // read-only regular file is still read.
    BestandFout soort = BestandFout::Geen;
    const std::string naam = DomeinPad(pad);
    const std::string reden = ControleerSchrijfdoel(naam, &soort);
    // A settings file holds a few lines. One beyond the limit is not read at all (it could take
    // minutes and all the memory): it counts as damaged, the defaults hold, and a good file
    // replaces it at closing.
    bool teGroot = false;
    if (QFileInfo(pad).isFile()) {
        std::string begin;
        LeesBestand(naam, InstellingenMaxGrootte, begin, &teGroot);
    }
    if (soort != BestandFout::Geweigerd && !teGroot)
        return std::make_unique<QSettings>(pad, QSettings::IniFormat);
    auto geheugen = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    if (soort == BestandFout::Geweigerd) {
        if (QFileInfo(pad).isFile() && !teGroot) {
            const QSettings bestand(pad, QSettings::IniFormat);
            for (const QString& sleutel : bestand.allKeys())
                geheugen->setValue(sleutel, bestand.value(sleutel));
        }
        geheugen->setProperty(WeigeringEigenschap, QString::fromStdString(reden));
    } else {
        geheugen->setProperty(TeGrootEigenschap, pad);
    }
    return geheugen;
}

QString SchrijfInstellingen(QSettings& instellingen) {
    instellingen.sync();
    const QString weigering = instellingen.property(WeigeringEigenschap).toString();
    if (!weigering.isEmpty())
        return QStringLiteral("De instellingen zijn niet opgeslagen: %1").arg(weigering);
    const QString teGroot = instellingen.property(TeGrootEigenschap).toString();
    if (!teGroot.isEmpty()) {
        const QString fout = SchrijfAls(instellingen, teGroot);
        if (!fout.isEmpty())
            return QStringLiteral("De instellingen konden niet opgeslagen worden in %1: %2")
                .arg(QDir::toNativeSeparators(teGroot), fout);
        if (instellingen.property(GemeldEigenschap).toBool()) return {};
        instellingen.setProperty(GemeldEigenschap, true);
        return QStringLiteral(
                   "Het instellingenbestand %1 was groter dan %2 MiB en is als beschadigd behandeld: "
                   "de inhoud is niet bewaard. Er is een nieuw instellingenbestand geschreven.")
            .arg(QDir::toNativeSeparators(teGroot))
            .arg(InstellingenMaxGrootte / (std::size_t{1024} * 1024));
    }
    // A damaged file read at start-up leaves a format error behind; it is written over all the
    // same. Only an access error means the file was not written.
    if (instellingen.status() == QSettings::AccessError)
        return QStringLiteral("De instellingen konden niet opgeslagen worden in %1")
            .arg(QDir::toNativeSeparators(instellingen.fileName()));
    return {};
}

} // namespace korvalinde
