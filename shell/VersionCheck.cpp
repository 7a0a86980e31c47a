#include "VersionCheck.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <stdexcept>

namespace korvalinde {

namespace {

[[noreturn]] void Fout(const QString& melding) {
    throw std::runtime_error(melding.toStdString());
}

} // namespace

TZnVersieInfo LeesVersieInfo(const QByteArray& antwoord) {
    QByteArray bytes = antwoord;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) bytes.truncate(nul);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3); // byte-order mark of an editor
    const QString tekst = QString::fromUtf8(bytes);

    QString regels[4];
    qsizetype pos = 0;
    int aantal = 0;
    const auto isEinde = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); };
    while (pos < tekst.size() && aantal < 4) {
        const qsizetype begin = pos;
        while (pos < tekst.size() && !isEinde(tekst.at(pos))) ++pos;
        regels[aantal++] = tekst.mid(begin, pos - begin);
        while (pos < tekst.size() && isEinde(tekst.at(pos))) ++pos;
    }
    return {regels[0], regels[1], regels[2], regels[3]};
}

TZnVersieInfo HaalVersieInfo(const QString& basis, const QString& pad, int tijdlimietMs) {
    const QUrl adres(basis + pad, QUrl::StrictMode);
    const QString schema = adres.scheme().toLower();
    if (!adres.isValid() || adres.host().isEmpty() ||
        (schema != QLatin1String("http") && schema != QLatin1String("https")))
        Fout(QStringLiteral("\"%1\" is geen geldig http-adres").arg(basis + pad));

    QNetworkAccessManager client;
    QNetworkRequest verzoek(adres);
    verzoek.setTransferTimeout(tijdlimietMs);
    verzoek.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    verzoek.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Korvalinde-versiecontrole"));
    std::unique_ptr<QNetworkReply> antwoord(client.get(verzoek));

    bool teGroot = false;
    bool verlopen = false;
    QEventLoop wacht;
    // The transfer time-out restarts with every byte; this one bounds the whole request, so a
    // server that answers a byte at a time cannot hold the program either.
    QTimer klok;
    klok.setSingleShot(true);
    QObject::connect(&klok, &QTimer::timeout, antwoord.get(), [&] {
        verlopen = true;
        antwoord->abort();
    });
    QObject::connect(antwoord.get(), &QNetworkReply::downloadProgress, antwoord.get(),
                     [&](qint64 ontvangen, qint64) {
                         if (ontvangen > VersieMaxAntwoord && !teGroot) {
                             teGroot = true;
                             antwoord->abort();
                         }
                     });
    QObject::connect(antwoord.get(), &QNetworkReply::finished, &wacht, &QEventLoop::quit);
    klok.start(tijdlimietMs);
    if (!antwoord->isFinished()) wacht.exec(QEventLoop::ExcludeUserInputEvents);
    klok.stop();

    if (teGroot) Fout(QStringLiteral("het antwoord van de versieserver is te groot"));
    if (verlopen || antwoord->error() == QNetworkReply::OperationCanceledError ||
        antwoord->error() == QNetworkReply::TimeoutError)
        Fout(QStringLiteral("de versieserver gaf geen antwoord binnen %1 seconden")
                 .arg(tijdlimietMs / 1000.0));
    if (antwoord->error() != QNetworkReply::NoError) Fout(antwoord->errorString());
    const int status = antwoord->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300) Fout(QStringLiteral("de versieserver antwoordde met status %1").arg(status));
    const QByteArray inhoud = antwoord->read(VersieMaxAntwoord + 1);
    if (inhoud.size() > VersieMaxAntwoord)
        Fout(QStringLiteral("het antwoord van de versieserver is te groot"));
    return LeesVersieInfo(inhoud);
}

void InstalleerVersieOphaler() {
    TZnInfoBox::ZetStandaardOphaler(
        [](const QString& basis, const QString& pad) { return HaalVersieInfo(basis, pad); });
}

void PasVersieInstellingenToe(TZnInfoBox& box, QSettings* instellingen) {
    if (!instellingen) return;
    instellingen->beginGroup(QString::fromLatin1(VersieInstellingSectie));
    const QString adres =
        instellingen->value(QString::fromLatin1(VersieInstellingSleutel)).toString().trimmed();
    instellingen->endGroup();
    if (!adres.isEmpty()) box.VersieAdres = adres;
}

void VersieControle1Click(TZnInfoBox& box) {
    box.VersieControleren(true);
}

} // namespace korvalinde
