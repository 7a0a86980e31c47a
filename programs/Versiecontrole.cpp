#include "programs/Versiecontrole.h"

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
    // The reply holds at most this much unread: the network is read no faster than the check
    // takes the data, so an endless answer cannot fill the memory.
    antwoord->setReadBufferSize(VersieMaxAntwoord + 1);

    bool teGroot = false;
    bool verlopen = false;
    QByteArray inhoud;
    QEventLoop wacht;
    // The data is taken as it arrives and the request stopped as soon as it passes the limit.
    const auto lees = [&] {
        if (teGroot) return;
        inhoud += antwoord->read(VersieMaxAntwoord + 1 - inhoud.size());
        if (inhoud.size() > VersieMaxAntwoord) {
            teGroot = true;
            antwoord->abort();
            wacht.quit();
        }
    };
    // The transfer time-out restarts with every byte; this one bounds the whole exchange, the
    // headers included, so a server that answers a byte or a header line at a time cannot hold
    // the program either.
    QTimer klok;
    klok.setSingleShot(true);
    QObject::connect(&klok, &QTimer::timeout, &wacht, [&] {
        verlopen = true;
        antwoord->abort();
        wacht.quit();
    });
    QObject::connect(antwoord.get(), &QNetworkReply::readyRead, &wacht, lees);
    QObject::connect(antwoord.get(), &QNetworkReply::finished, &wacht, &QEventLoop::quit);
    klok.start(tijdlimietMs);
    if (!antwoord->isFinished()) wacht.exec(QEventLoop::ExcludeUserInputEvents);
    klok.stop();
    if (!verlopen) lees(); // what came with the end of the reply

    if (teGroot) Fout(QStringLiteral("het antwoord van de versieserver is te groot"));
    if (verlopen || antwoord->error() == QNetworkReply::OperationCanceledError ||
        antwoord->error() == QNetworkReply::TimeoutError)
        Fout(QStringLiteral("de versieserver gaf geen antwoord binnen %1 seconden")
                 .arg(tijdlimietMs / 1000.0));
    if (antwoord->error() != QNetworkReply::NoError) Fout(antwoord->errorString());
    const int status = antwoord->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300) Fout(QStringLiteral("de versieserver antwoordde met status %1").arg(status));
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
