#include "core/Instellingen.h"

#include "core/Bestandspad.h"
#include "domain/Bestand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
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

// Set on the settings object that OpenInstellingen makes, read by SchrijfInstellingen:
// the file the settings are written to;
constexpr char BestandEigenschap[] = "korvalindeBestand";
// why they are not written (a path that is no regular file, a read-only file);
constexpr char WeigeringEigenschap[] = "korvalindeWeigering";
// why the file's content was not kept (too large, damaged), until that was said once;
constexpr char VervangenEigenschap[] = "korvalindeVervangen";
// the last reason SchrijfInstellingen gave, so that a second write that fails alike says nothing.
constexpr char GemeldEigenschap[] = "korvalindeGemeld";

QString Mib(std::size_t bytes) {
    return QString::number(bytes / (std::size_t{1024} * 1024));
}

// The keys of an INI text into `instellingen`; false when it cannot be read as a settings file:
// no text in UTF-8, a NUL byte, or lines the INI reader does not take. Nothing is added then.
bool LeesIni(const std::string& bytes, QSettings& instellingen) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString tekst = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError() || tekst.contains(QChar::Null)) return false;
    QTemporaryDir kladMap;
    if (!kladMap.isValid()) return false;
    const QString klad = kladMap.filePath(QStringLiteral("korvalinde.ini"));
    if (!SchrijfBestand(DomeinPad(klad), bytes).empty()) return false;
    const QSettings gelezen(klad, QSettings::IniFormat);
    if (gelezen.status() != QSettings::NoError) return false;
    for (const QString& sleutel : gelezen.allKeys()) instellingen.setValue(sleutel, gelezen.value(sleutel));
    return true;
}

// Writes the values of `instellingen` as an INI file to `pad` through the safe-write helper: QSettings
// writes them to a scratch file first, whose bytes then replace `pad` at once, but never more than
// the settings file that is read at start-up. Empty when it worked.
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
    bool teGroot = false;
    std::string fout = LeesBestand(DomeinPad(klad), InstellingenMaxGrootte, bytes, &teGroot);
    if (fout.empty() && teGroot)
        return QStringLiteral("ze zouden groter worden dan %1 MiB").arg(Mib(InstellingenMaxGrootte));
    if (fout.empty()) fout = SchrijfBestand(DomeinPad(pad), bytes);
    return QString::fromStdString(fout);
}

} // namespace

std::unique_ptr<QSettings> OpenInstellingen(const QString& pad) {
    // The settings live in memory; only SchrijfInstellingen writes them, through the safe write and
    // never larger than what is read here. The file is read once, bounded and only when it is a
    // regular file (a FIFO would block, a device never ends). A path that is no regular file (or a
    // link to one) or a read-only file is never written; a read-only file is still read.
    auto instellingen = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    BestandFout soort = BestandFout::Geen;
    const std::string naam = DomeinPad(pad);
    const std::string weigering = ControleerSchrijfdoel(naam, &soort);
    QString schade;
    if (QFileInfo(pad).isFile()) {
        // A settings file holds a few lines. One beyond the limit is not read at all (it could take
        // minutes and all the memory); one that is no settings file is not taken in part. Either
        // counts as empty, and a good file replaces it whole at closing.
        std::string bytes;
        bool teGroot = false;
        const std::string leesfout = LeesBestand(naam, InstellingenMaxGrootte, bytes, &teGroot);
        if (teGroot)
            schade = QStringLiteral("was groter dan %1 MiB").arg(Mib(InstellingenMaxGrootte));
        else if (!leesfout.empty())
            schade = QStringLiteral("kon niet gelezen worden (%1)").arg(QString::fromStdString(leesfout));
        else if (!LeesIni(bytes, *instellingen))
            schade = QStringLiteral("was geen leesbaar instellingenbestand");
    }
    if (soort == BestandFout::Geweigerd) {
        instellingen->setProperty(WeigeringEigenschap, QString::fromStdString(weigering));
        return instellingen;
    }
    instellingen->setProperty(BestandEigenschap, pad);
    if (!schade.isEmpty()) instellingen->setProperty(VervangenEigenschap, schade);
    return instellingen;
}

QString SchrijfInstellingen(QSettings& instellingen) {
    QString melding;
    const QString weigering = instellingen.property(WeigeringEigenschap).toString();
    const QString pad = instellingen.property(BestandEigenschap).toString();
    if (!weigering.isEmpty()) {
        melding = QStringLiteral("De instellingen zijn niet opgeslagen: %1").arg(weigering);
    } else if (!pad.isEmpty()) {
        const QString fout = SchrijfAls(instellingen, pad);
        const QString schade = instellingen.property(VervangenEigenschap).toString();
        if (!fout.isEmpty()) {
            melding = QStringLiteral("De instellingen konden niet opgeslagen worden in %1: %2")
                          .arg(QDir::toNativeSeparators(pad), fout);
        } else if (!schade.isEmpty()) {
            instellingen.setProperty(VervangenEigenschap, QString());
            melding =
                QStringLiteral("Het instellingenbestand %1 %2 en is als beschadigd behandeld: de "
                               "inhoud is niet bewaard. Er is een nieuw instellingenbestand geschreven.")
                    .arg(QDir::toNativeSeparators(pad), schade);
        }
    } else {
        // Settings on a file of their own (not from OpenInstellingen): QSettings writes them. A
        // damaged file read leaves a format error behind; it is written over all the same. Only an
        // access error means the file was not written.
        instellingen.sync();
        if (instellingen.status() == QSettings::AccessError)
            melding = QStringLiteral("De instellingen konden niet opgeslagen worden in %1")
                          .arg(QDir::toNativeSeparators(instellingen.fileName()));
    }
    // Each reason is given once: the window's closing and the program's end both write.
    if (melding.isEmpty() || melding == instellingen.property(GemeldEigenschap).toString()) return {};
    instellingen.setProperty(GemeldEigenschap, melding);
    return melding;
}

} // namespace korvalinde
