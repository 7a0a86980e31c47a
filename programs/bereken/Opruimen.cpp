#include "programs/bereken/Opruimen.h"

#include "core/Werkmap.h"
#include "programs/systeem/Systeem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <mutex>

namespace korvalinde {

namespace {

std::mutex& Slot() {
    static std::mutex slot;
    return slot;
}

QStringList& Doelen() {
    static QStringList doelen;
    return doelen;
}

// The folders a target's new file lies in: beside the name given and beside the file a link leads to.
QStringList Mappen(const QString& doel) {
    QStringList paden{QFileInfo(doel).absoluteFilePath()};
    const QString echt = QFileInfo(doel).canonicalFilePath();
    if (!echt.isEmpty() && !paden.contains(echt)) paden << echt;
    return paden;
}

// Removes the temporaries of the runs `weg` says yes to (by their process id).
template <typename Weg> void Verwijder(const QStringList& doelen, Weg weg) {
    // "<temporary folder>/korvalinde-bereken-" without this run's own id.
    const QString eigen = QStringLiteral("%1-").arg(QCoreApplication::applicationPid());
    const QFileInfo beginInfo(WerkmapMapBegin().chopped(eigen.size()) + QStringLiteral("x"));
    QDir tijdelijk(beginInfo.absolutePath());
    const QString voorvoegsel = beginInfo.fileName().chopped(1);
    const QRegularExpression map(
        QStringLiteral("^%1(\\d+)-[^/]+$").arg(QRegularExpression::escape(voorvoegsel)));
    for (const QString& naam :
         tijdelijk.entryList({voorvoegsel + QStringLiteral("*")}, QDir::Dirs | QDir::Hidden)) {
        const QRegularExpressionMatch m = map.match(naam);
        if (m.hasMatch() && weg(m.captured(1).toLongLong()))
            QDir(tijdelijk.filePath(naam)).removeRecursively();
    }
    for (const QString& doel : doelen)
        for (const QString& pad : Mappen(doel)) {
            const QFileInfo info(pad);
            const QString naam = QStringLiteral(".") + info.fileName() + QStringLiteral(".");
            const QRegularExpression nieuw(
                QStringLiteral("^%1(\\d+)-\\d+\\.nieuw$").arg(QRegularExpression::escape(naam)));
            QDir dir = info.absoluteDir();
            for (const QString& n :
                 dir.entryList({naam + QStringLiteral("*.nieuw")}, QDir::Files | QDir::Hidden)) {
                const QRegularExpressionMatch m = nieuw.match(n);
                if (m.hasMatch() && weg(m.captured(1).toLongLong())) dir.remove(n);
            }
        }
}

} // namespace

void VangAfbreken() {
    BijAfbreken(RuimEigenOp);
}

void RuimOpNaEerdereRun(const QStringList& doelen) {
    {
        const std::lock_guard<std::mutex> slot(Slot());
        Doelen() = doelen;
    }
    Verwijder(doelen,
              [](qint64 pid) { return pid != QCoreApplication::applicationPid() && !ProcesLoopt(pid); });
}

void RuimEigenOp() {
    QStringList doelen;
    {
        const std::lock_guard<std::mutex> slot(Slot());
        doelen = Doelen();
    }
    const qint64 eigen = QCoreApplication::applicationPid();
    Verwijder(doelen, [eigen](qint64 pid) { return pid == eigen; });
}

} // namespace korvalinde
