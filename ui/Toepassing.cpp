#include "ui/Toepassing.h"

#include <exception>

namespace korvalinde {

void ToonAlgemeneFout(const QString& melding) {
    StandaardMelder().Fout(melding);
}

void VangFouten(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& fout) {
        ToonAlgemeneFout(QString::fromUtf8(fout.what()));
    } catch (...) {
        ToonAlgemeneFout(QStringLiteral("Onbekende fout"));
    }
}

TKorvalindeApplicatie::TKorvalindeApplicatie(int& argc, char** argv) : QApplication(argc, argv) {}

bool TKorvalindeApplicatie::notify(QObject* ontvanger, QEvent* gebeurtenis) {
    try {
        return QApplication::notify(ontvanger, gebeurtenis);
    } catch (const std::exception& fout) {
        ToonAlgemeneFout(QString::fromUtf8(fout.what()));
    } catch (...) {
        ToonAlgemeneFout(QStringLiteral("Onbekende fout"));
    }
    return false;
}

} // namespace korvalinde
