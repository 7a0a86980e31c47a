#include "components/RecenteBestanden.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace korvalinde {

namespace {

const QString SleutelAantal = QStringLiteral("FileHistCount");
const QString SleutelNaam = QStringLiteral("FileHistItem");

// A damaged settings file may claim any count; more names than this are never read.
constexpr int MaxGelezen = 1000;

// The name with the case of every letter turned over ("Weide1" -> "wEIDE1").
QString OmgekeerdeLetters(const QString& naam) {
    QString uit = naam;
    for (QChar& c : uit) {
        if (c.isUpper())
            c = c.toLower();
        else if (c.isLower())
            c = c.toUpper();
    }
    return uit;
}

QString WaardeAlsTekst(const QVariant& waarde) {
    // An unquoted comma in a hand-written settings file makes the value a list.
    if (waarde.typeId() == QMetaType::QStringList) return waarde.toStringList().join(QLatin1Char(','));
    return waarde.toString();
}

} // namespace

TZnFilehistMenu::TZnFilehistMenu(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("ZnFilehistMenu"));
}

TZnFilehistMenu::~TZnFilehistMenu() {
    // The entries would otherwise stay in the menu without anyone to answer their clicks.
    while (!m_lijst.isEmpty()) VerwijderItem(int(m_lijst.size()) - 1);
    VerwijderScheidingen();
}

bool TZnFilehistMenu::HoofdletterGevoelig(const QString& pad) {
    // Find the deepest part of the path that has letters, turn their case over and ask whether the
    // result names the same file. Only a file system that ignores case says yes.
    QFileInfo info(pad);
    QString deel = info.absoluteFilePath();
    while (!deel.isEmpty()) {
        QFileInfo d(deel);
        const QString naam = d.fileName();
        const QString anders = OmgekeerdeLetters(naam);
        if (naam.isEmpty()) break; // reached the root
        if (anders != naam) {
            const QFileInfo tegen(d.dir().filePath(anders));
            if (!tegen.exists()) return true;
            std::error_code fout;
            const bool zelfde = std::filesystem::equivalent(d.filesystemAbsoluteFilePath(),
                                                            tegen.filesystemAbsoluteFilePath(), fout);
            return fout || !zelfde;
        }
        const QString ouder = d.absolutePath();
        if (ouder == deel) break;
        deel = ouder;
    }
    return true;
}

void TZnFilehistMenu::SetHoofdletterGevoelig(TNaamGevoeligheid check) {
    m_gevoelig = std::move(check);
}

bool TZnFilehistMenu::Gevoelig(const QString& pad) const {
    return m_gevoelig ? m_gevoelig(pad) : HoofdletterGevoelig(pad);
}

void TZnFilehistMenu::SetBestandMenu(QMenu* menu) {
    if (!m_lijst.isEmpty()) return;
    m_menu = menu;
    SetInvoegPositie(m_positie);
}

void TZnFilehistMenu::SetMaxBestanden(int aantal) {
    if (aantal < 0) return;
    m_max = std::min(aantal, MaxMaxBestanden);
    while (m_lijst.size() > m_max) VerwijderItem(int(m_lijst.size()) - 1);
    if (m_lijst.isEmpty()) VerwijderScheidingen();
}

void TZnFilehistMenu::SetInvoegPositie(int positie) {
    if (!m_lijst.isEmpty() || positie < 0) return;
    if (m_menu) positie = std::min(positie, int(m_menu->actions().size()));
    m_positie = positie;
}

void TZnFilehistMenu::SetOptions(TFileHistOptions opties) {
    m_opties = opties;
    Hercaptioneer();
}

QStringList TZnFilehistMenu::Bestanden() const {
    QStringList namen;
    for (const Bestand& b : m_lijst) namen << b.naam;
    return namen;
}

QList<QAction*> TZnFilehistMenu::Items() const {
    QList<QAction*> items;
    for (const Bestand& b : m_lijst) items << b.item.data();
    return items;
}

QString TZnFilehistMenu::Normaliseer(const QString& naam, bool gevoelig) const {
    QString vol = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(naam).absoluteFilePath()));
    if (!gevoelig) vol = (m_opties & fhHoofdLetters) ? vol.toUpper() : vol.toLower();
    return vol;
}

QString TZnFilehistMenu::MenuTekst(int index) const {
    const QString& naam = m_lijst.at(index).naam;
    QString getoond = (m_opties & fhToonPad) ? naam : QFileInfo(naam).fileName();
    getoond = (m_opties & fhHoofdLetters) ? getoond.toUpper() : getoond.toLower();
    // A "&" in a name is text, not the access key.
    getoond.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + getoond;
}

void TZnFilehistMenu::Hercaptioneer() {
    for (int i = 0; i < m_lijst.size(); ++i) {
        QAction* item = m_lijst.at(i).item;
        if (!item) continue;
        item->setText(MenuTekst(i));
        item->setStatusTip(QStringLiteral("Bestand ") + m_lijst.at(i).naam + QStringLiteral(" openen"));
        item->setData(m_lijst.at(i).naam);
    }
}

void TZnFilehistMenu::VoegInMenu(int positie, QAction* item) {
    const QList<QAction*> acties = m_menu->actions();
    QAction* voor = (positie >= 0 && positie < acties.size()) ? acties.at(positie) : nullptr;
    m_menu->insertAction(voor, item);
}

void TZnFilehistMenu::ZetScheidingen() {
    m_leidend = m_volgend = m_hergebruik = false;
    // The menu may have shrunk since the position was set.
    m_positie = std::min(m_positie, int(m_menu->actions().size()));
    const int p = m_positie;
    if (p > 0) {
        const QList<QAction*> acties = m_menu->actions();
        if (p == acties.size() || !acties.at(p)->isSeparator()) {
            auto* scheiding = new QAction(m_menu);
            scheiding->setSeparator(true);
            VoegInMenu(p, scheiding);
            m_leidScheiding = scheiding;
            m_leidend = true;
        } else {
            m_hergebruik = true;
        }
    }
    if (p < m_menu->actions().size()) {
        // Inserted at the same place, so it ends up above the leading one; the entries go between.
        auto* scheiding = new QAction(m_menu);
        scheiding->setSeparator(true);
        VoegInMenu(p, scheiding);
        m_volgScheiding = scheiding;
        m_volgend = true;
    }
}

void TZnFilehistMenu::VerwijderScheidingen() {
    // Only the separators the block put in itself go; a reused one belongs to the menu.
    for (QPointer<QAction>* s : {&m_volgScheiding, &m_leidScheiding}) {
        if (*s) {
            if (m_menu) m_menu->removeAction(*s);
            (*s)->deleteLater();
        }
        *s = nullptr;
    }
    m_leidend = m_volgend = m_hergebruik = false;
}

void TZnFilehistMenu::VerwijderItem(int index) {
    QPointer<QAction> item = m_lijst.at(index).item;
    m_lijst.removeAt(index);
    if (item) {
        if (m_menu) m_menu->removeAction(item);
        item->deleteLater(); // may be the entry whose click is being handled
    }
}

void TZnFilehistMenu::Add(const QString& bestandNaam) {
    if (bestandNaam.isEmpty() || m_max <= 0 || !m_menu) return;
    if (!QFileInfo(bestandNaam).isFile()) return;

    if (m_lijst.isEmpty()) ZetScheidingen();

    const QString absoluut = QDir::cleanPath(QFileInfo(bestandNaam).absoluteFilePath());
    const bool gevoelig = Gevoelig(absoluut);
    const QString naam = Normaliseer(bestandNaam, gevoelig);
    const Qt::CaseSensitivity vergelijk = gevoelig ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < m_lijst.size(); ++i) {
        if (m_lijst.at(i).naam.compare(naam, vergelijk) == 0) {
            VerwijderItem(i);
            break;
        }
    }

    auto* item = new QAction(m_menu);
    connect(item, &QAction::triggered, this, [this, item] { ItemClick(item); });
    m_lijst.prepend(Bestand{naam, item});
    Hercaptioneer();
    VoegInMenu((m_leidend || m_hergebruik) ? m_positie + 1 : m_positie, item);

    while (m_lijst.size() > m_max) VerwijderItem(int(m_lijst.size()) - 1);
}

void TZnFilehistMenu::ItemClick(QAction* item) {
    int index = -1;
    for (int i = 0; i < m_lijst.size(); ++i)
        if (m_lijst.at(i).item == item) index = i;
    if (index < 0) return;
    const QString naam = m_lijst.at(index).naam;
    VerwijderItem(index);
    Hercaptioneer();
    if (m_lijst.isEmpty()) VerwijderScheidingen();
    emit OnClick(naam);
}

void TZnFilehistMenu::LoadFromIni(QSettings& ini, const QString& sectie) {
    QStringList namen;
    ini.beginGroup(sectie);
    bool getal = false;
    int aantal = ini.value(SleutelAantal, 0).toInt(&getal);
    if (!getal) aantal = 0;
    aantal = std::clamp(aantal, 0, MaxGelezen);
    // Oldest first, so that the newest ends on top.
    for (int i = aantal - 1; i >= 0; --i)
        namen << WaardeAlsTekst(ini.value(SleutelNaam + QString::number(i)));
    ini.endGroup();
    for (const QString& naam : namen) Add(naam);
}

bool TZnFilehistMenu::LoadFromIni(const QString& iniBestand, const QString& sectie) {
    QSettings ini(iniBestand, QSettings::IniFormat);
    LoadFromIni(ini, sectie);
    return ini.status() == QSettings::NoError;
}

void TZnFilehistMenu::SaveToIni(QSettings& ini, const QString& sectie) const {
    ini.beginGroup(sectie);
    ini.setValue(SleutelAantal, int(m_lijst.size()));
    for (int i = 0; i < m_lijst.size(); ++i)
        ini.setValue(SleutelNaam + QString::number(i), m_lijst.at(i).naam);
    // Names of a longer earlier list would only confuse a reader of the file.
    const QStringList sleutels = ini.childKeys();
    for (const QString& sleutel : sleutels) {
        if (!sleutel.startsWith(SleutelNaam)) continue;
        bool getal = false;
        const int i = sleutel.mid(SleutelNaam.size()).toInt(&getal);
        if (getal && i >= m_lijst.size()) ini.remove(sleutel);
    }
    ini.endGroup();
}

bool TZnFilehistMenu::SaveToIni(const QString& iniBestand, const QString& sectie) const {
    QSettings ini(iniBestand, QSettings::IniFormat);
    SaveToIni(ini, sectie);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace korvalinde
