#include "programs/Versiecontrole.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#if QT_CONFIG(ssl)
#include <QSslSocket>
#endif

#include <algorithm>

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

namespace {

// One HTTP/1.1 exchange over a socket of its own, read as it arrives. Every byte that arrives counts
// against one budget, status line and headers included, and one clock covers connecting, headers
// and body: a server that sends endless header lines, one huge header or an endless chunk is cut
// off at the budget or at the time limit, whichever comes first.
class Verzoek {
  public:
    struct Antwoord {
        int status = 0;
        QByteArray locatie; // Location of a redirection
        QByteArray inhoud;  // the body, chunks put together
    };

    Verzoek(const QUrl& adres, qint64& budget, int tijdlimietMs)
        : adres_(adres), budget_(budget), tijdlimietMs_(tijdlimietMs) {}

    // Runs the exchange, waiting at most until `einde`; throws with the reason when it fails.
    Antwoord Voer(const QDeadlineTimer& einde) {
        const bool versleuteld = adres_.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
        std::unique_ptr<QTcpSocket> socket;
        if (versleuteld) {
#if QT_CONFIG(ssl)
            if (!QSslSocket::supportsSsl())
                Fout(
                    QStringLiteral("geen verbinding met de versieserver: https wordt hier niet ondersteund"));
            socket = std::make_unique<QSslSocket>();
#else
            Fout(QStringLiteral("geen verbinding met de versieserver: https wordt hier niet ondersteund"));
#endif
        } else {
            socket = std::make_unique<QTcpSocket>();
        }
        socket_ = socket.get();
        // The socket holds at most this much unread: the network is read no faster than the
        // exchange takes the data.
        socket_->setReadBufferSize(budget_ + 1);

        QEventLoop wacht;
        wacht_ = &wacht;
        QTimer klok;
        klok.setSingleShot(true);
        QObject::connect(&klok, &QTimer::timeout, &wacht, [this] { Stop(QStringLiteral("verlopen")); });
        const auto stuur = [this] { socket_->write(Verzoekregels()); };
        QObject::connect(socket_, &QAbstractSocket::readyRead, &wacht, [this] { Lees(); });
        QObject::connect(socket_, &QAbstractSocket::disconnected, &wacht, [this] { Gesloten(); });
        QObject::connect(
            socket_, &QAbstractSocket::errorOccurred, &wacht, [this](QAbstractSocket::SocketError e) {
                if (e == QAbstractSocket::RemoteHostClosedError) return Gesloten();
                Stop(QStringLiteral("geen verbinding met de versieserver (%1)").arg(socket_->errorString()));
            });
        const quint16 poort = quint16(adres_.port(versleuteld ? 443 : 80));
#if QT_CONFIG(ssl)
        if (versleuteld) {
            auto* ssl = static_cast<QSslSocket*>(socket_);
            QObject::connect(ssl, &QSslSocket::encrypted, &wacht, stuur);
            ssl->connectToHostEncrypted(adres_.host(), poort);
        }
#endif
        if (!versleuteld) {
            QObject::connect(socket_, &QAbstractSocket::connected, &wacht, stuur);
            socket_->connectToHost(adres_.host(), poort);
        }
        klok.start(int(std::max<qint64>(0, einde.remainingTime())));
        if (fout_.isEmpty() && !klaar_) wacht.exec(QEventLoop::ExcludeUserInputEvents);
        klok.stop();
        wacht_ = nullptr;
        QObject::disconnect(socket_, nullptr, &wacht, nullptr);
        socket_->abort();
        if (fout_ == QLatin1String("verlopen"))
            Fout(QStringLiteral("time-out: de versieserver gaf geen antwoord binnen %1 seconden")
                     .arg(tijdlimietMs_ / 1000.0));
        if (!fout_.isEmpty()) Fout(fout_);
        return antwoord_;
    }

  private:
    QByteArray Verzoekregels() const {
        QByteArray host = adres_.host(QUrl::FullyEncoded).toLatin1();
        if (host.contains(':')) host = '[' + host + ']';
        if (adres_.port() >= 0) host += ':' + QByteArray::number(adres_.port());
        QByteArray pad = adres_.path(QUrl::FullyEncoded).toLatin1();
        if (pad.isEmpty()) pad = "/";
        if (adres_.hasQuery()) pad += '?' + adres_.query(QUrl::FullyEncoded).toLatin1();
        return "GET " + pad + " HTTP/1.1\r\nHost: " + host +
               "\r\nUser-Agent: Korvalinde-versiecontrole\r\nAccept: text/plain\r\n"
               "Accept-Encoding: identity\r\nConnection: close\r\n\r\n";
    }

    void Stop(const QString& reden) {
        if (fout_.isEmpty() && !klaar_) fout_ = reden;
        if (wacht_) wacht_->quit();
    }
    void Klaar() {
        if (fout_.isEmpty()) klaar_ = true;
        if (wacht_) wacht_->quit();
    }

    void Lees() {
        if (klaar_ || !fout_.isEmpty()) return;
        const QByteArray stuk = socket_->read(budget_ + 1);
        ruw_ += stuk;
        budget_ -= stuk.size();
        if (budget_ < 0)
            return Stop(QStringLiteral("het antwoord van de versieserver is te groot (meer dan %1 KiB)")
                            .arg(VersieMaxAntwoord / 1024));
        Verwerk();
    }

    void Gesloten() {
        if (klaar_ || !fout_.isEmpty()) return;
        Lees();
        if (klaar_ || !fout_.isEmpty()) return;
        // Without a length the body ends where the server closes the connection.
        if (stand_ == Stand::TotSluiten) {
            antwoord_.inhoud = ruw_.mid(pos_);
            return Klaar();
        }
        Stop(ruw_.isEmpty() ? QStringLiteral("de versieserver sloot de verbinding zonder antwoord")
                            : QStringLiteral("het antwoord van de versieserver is onvolledig"));
    }

    // Takes what has arrived as far as it goes.
    void Verwerk() {
        for (;;) {
            switch (stand_) {
            case Stand::Kop: {
                const qsizetype vanaf = std::max<qsizetype>(pos_, zoekVanaf_);
                qsizetype einde = ruw_.indexOf("\n\r\n", vanaf);
                qsizetype lengte = 3;
                const qsizetype kort = ruw_.indexOf("\n\n", vanaf);
                if (kort >= 0 && (einde < 0 || kort < einde)) {
                    einde = kort;
                    lengte = 2;
                }
                if (einde < 0) {
                    zoekVanaf_ = std::max<qsizetype>(pos_, ruw_.size() - 2);
                    return;
                }
                if (!LeesKop(ruw_.mid(pos_, einde + 1 - pos_))) return;
                pos_ = einde + lengte;
                break;
            }
            case Stand::Lengte:
                if (ruw_.size() - pos_ < lengte_) return;
                antwoord_.inhoud = ruw_.mid(pos_, lengte_);
                return Klaar();
            case Stand::TotSluiten:
                return;
            case Stand::StukKop: {
                const qsizetype eol = ruw_.indexOf('\n', pos_);
                if (eol < 0) return;
                QByteArray regel = ruw_.mid(pos_, eol - pos_).trimmed();
                if (const qsizetype puntkomma = regel.indexOf(';'); puntkomma >= 0) regel.truncate(puntkomma);
                bool ok = false;
                const qint64 grootte = regel.trimmed().toLongLong(&ok, 16);
                if (!ok || grootte < 0)
                    return Stop(QStringLiteral("het antwoord van de versieserver is onleesbaar"));
                if (grootte == 0) {
                    antwoord_.inhoud = inhoud_;
                    return Klaar();
                }
                // The budget ends any chunk long before this size matters.
                lengte_ = std::min<qint64>(grootte, VersieMaxAntwoord + 1);
                pos_ = eol + 1;
                stand_ = Stand::Stuk;
                break;
            }
            case Stand::Stuk: {
                const qsizetype eol = ruw_.indexOf('\n', pos_ + lengte_);
                if (ruw_.size() - pos_ < lengte_ || eol < 0) return;
                inhoud_ += ruw_.mid(pos_, lengte_);
                pos_ = eol + 1;
                stand_ = Stand::StukKop;
                break;
            }
            }
        }
    }

    // The status line and the headers; false when the exchange ends here.
    bool LeesKop(const QByteArray& kop) {
        const QList<QByteArray> regels = kop.split('\n');
        const QByteArray statusregel = regels.value(0).trimmed();
        const QList<QByteArray> delen = statusregel.split(' ');
        bool ok = false;
        const int status = delen.value(1).toInt(&ok);
        if (!statusregel.startsWith("HTTP/1.") || !ok || status < 100 || status > 999) {
            Stop(QStringLiteral("de versieserver gaf geen geldig HTTP-antwoord"));
            return false;
        }
        if (status < 200) return true; // "100 Continue" and the like: the real answer follows
        antwoord_.status = status;
        bool stukken = false;
        qint64 lengte = -1;
        for (qsizetype i = 1; i < regels.size(); ++i) {
            const qsizetype dubbelepunt = regels[i].indexOf(':');
            if (dubbelepunt < 0) continue;
            const QByteArray naam = regels[i].left(dubbelepunt).trimmed().toLower();
            const QByteArray waarde = regels[i].mid(dubbelepunt + 1).trimmed();
            if (naam == "transfer-encoding") stukken = waarde.toLower().contains("chunked");
            if (naam == "content-length") {
                lengte = waarde.toLongLong(&ok);
                if (!ok || lengte < 0) {
                    Stop(QStringLiteral("de versieserver gaf geen geldig HTTP-antwoord"));
                    return false;
                }
            }
            if (naam == "location") antwoord_.locatie = waarde;
        }
        // An error or a redirection is known from its status line: its body is not waited for.
        if (status >= 300 || status == 204) {
            Klaar();
            return false;
        }
        if (stukken) {
            stand_ = Stand::StukKop;
        } else if (lengte >= 0) {
            stand_ = Stand::Lengte;
            lengte_ = lengte;
        } else {
            stand_ = Stand::TotSluiten;
        }
        return true;
    }

    enum class Stand { Kop, Lengte, TotSluiten, StukKop, Stuk };

    QUrl adres_;
    qint64& budget_;
    int tijdlimietMs_;
    QTcpSocket* socket_ = nullptr;
    QEventLoop* wacht_ = nullptr;
    QByteArray ruw_;
    QByteArray inhoud_;
    qsizetype pos_ = 0;
    qsizetype zoekVanaf_ = 0;
    qint64 lengte_ = 0;
    Stand stand_ = Stand::Kop;
    bool klaar_ = false;
    QString fout_;
    Antwoord antwoord_;
};

bool IsHttpAdres(const QUrl& adres) {
    const QString schema = adres.scheme().toLower();
    return adres.isValid() && !adres.host().isEmpty() &&
           (schema == QLatin1String("http") || schema == QLatin1String("https"));
}

} // namespace

TZnVersieInfo HaalVersieInfo(const QString& basis, const QString& pad, int tijdlimietMs) {
    QUrl adres(basis + pad, QUrl::StrictMode);
    if (!IsHttpAdres(adres)) Fout(QStringLiteral("\"%1\" is geen geldig http-adres").arg(basis + pad));

    const QDeadlineTimer einde(tijdlimietMs);
    qint64 budget = VersieMaxAntwoord; // headers and bodies of all requests together
    // A few redirections are followed, never from https to http.
    for (int omleiding = 0;; ++omleiding) {
        Verzoek verzoek(adres, budget, tijdlimietMs);
        const Verzoek::Antwoord antwoord = verzoek.Voer(einde);
        const int status = antwoord.status;
        const bool omgeleid =
            status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
        if (omgeleid && !antwoord.locatie.isEmpty()) {
            const QUrl volgende =
                adres.resolved(QUrl(QString::fromLatin1(antwoord.locatie), QUrl::StrictMode));
            const bool zwakker = adres.scheme().toLower() == QLatin1String("https") &&
                                 volgende.scheme().toLower() != QLatin1String("https");
            if (omleiding >= 5 || !IsHttpAdres(volgende) || zwakker)
                Fout(QStringLiteral("de versieserver verwijst door naar een adres dat niet gevolgd wordt"));
            adres = volgende;
            continue;
        }
        if (status >= 300) Fout(QStringLiteral("de versieserver antwoordde met foutcode %1").arg(status));
        return LeesVersieInfo(antwoord.inhoud);
    }
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

bool VersieControleBijStarten(QSettings* instellingen) {
    if (!instellingen) return false;
    instellingen->beginGroup(QString::fromLatin1(VersieInstellingSectie));
    const QVariant keuze = instellingen->value(QString::fromLatin1(VersieBijStartenSleutel));
    const bool adres =
        !instellingen->value(QString::fromLatin1(VersieInstellingSleutel)).toString().trimmed().isEmpty();
    instellingen->endGroup();
    const QString tekst = keuze.toString().trimmed();
    if (tekst == QLatin1String("1")) return true;
    if (tekst == QLatin1String("0")) return false;
    return adres; // missing or unreadable: the default
}

void ZetVersieControleBijStarten(QSettings* instellingen, bool aan) {
    if (!instellingen) return;
    instellingen->beginGroup(QString::fromLatin1(VersieInstellingSectie));
    instellingen->setValue(QString::fromLatin1(VersieBijStartenSleutel),
                           aan ? QStringLiteral("1") : QStringLiteral("0"));
    instellingen->endGroup();
    instellingen->sync();
}

void VersieControle1Click(TZnInfoBox& box) {
    box.VersieControleren(true);
}

} // namespace korvalinde
