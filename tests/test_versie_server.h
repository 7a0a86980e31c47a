// A tiny HTTP server on 127.0.0.1 for the version-check tests. It runs in the test's own thread:
// the check's wait lets its socket events through. It answers every request with the prepared
// status and body, or, when `zwijgen` is set, reads the request and never answers. With `rauw` set
// it sends `inhoud` as the whole answer, status line and headers included. `eindeloos` makes it
// answer without end: a chunked body, header lines that keep coming, or one header that never ends.
#pragma once

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class VersieServer : public QObject {
  public:
    QByteArray inhoud;
    int status = 200;
    bool zwijgen = false;
    bool rauw = false;
    enum class Eindeloos { Nee, Inhoud, Kopregels, Kop };
    Eindeloos eindeloos = Eindeloos::Nee;
    qint64 verstuurd = 0;        // bytes of an endless answer written
    QList<QByteArray> verzoeken; // request lines received ("GET /pad HTTP/1.1")

    VersieServer() {
        server_.listen(QHostAddress(QHostAddress::LocalHost), 0);
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                s->setParent(this);
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { Lees(s); });
            }
        });
    }

    quint16 poort() const { return server_.serverPort(); }
    // Host, port and path of the version file's folder, as the settings file would name it.
    QString adres() const { return QStringLiteral("127.0.0.1:%1/software/korvalinde").arg(poort()); }

    // A port on 127.0.0.1 on which nothing listens.
    static quint16 VrijePoort() {
        QTcpServer tijdelijk;
        tijdelijk.listen(QHostAddress(QHostAddress::LocalHost), 0);
        const quint16 poort = tijdelijk.serverPort();
        tijdelijk.close();
        return poort;
    }

  private:
    void Lees(QTcpSocket* s) {
        QByteArray& buffer = buffers_[s];
        buffer += s->readAll();
        if (!buffer.contains("\r\n\r\n")) return;
        verzoeken.append(buffer.left(buffer.indexOf("\r\n")));
        buffer.clear();
        if (zwijgen) return;
        if (eindeloos != Eindeloos::Nee) return Eindeloos_(s);
        if (rauw) {
            s->write(inhoud);
            s->disconnectFromHost();
            return;
        }
        const QByteArray reden = status == 200 ? "OK" : "Fout";
        QByteArray antwoord =
            "HTTP/1.1 " + QByteArray::number(status) + ' ' + reden + "\r\n" +
            "Content-Type: text/plain\r\nContent-Length: " + QByteArray::number(inhoud.size()) +
            "\r\nConnection: close\r\n\r\n" + inhoud;
        s->write(antwoord);
        s->disconnectFromHost();
    }

    void Eindeloos_(QTcpSocket* s) {
        const bool metInhoud = eindeloos == Eindeloos::Inhoud;
        const bool grootKop = eindeloos == Eindeloos::Kop;
        s->write(metInhoud
                     ? "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n"
                 : grootKop ? "HTTP/1.1 200 OK\r\nX-Groot: "
                            : "HTTP/1.1 200 OK\r\n");
        auto* klok = new QTimer(s);
        QPointer<QTcpSocket> socket(s);
        QObject::connect(klok, &QTimer::timeout, s, [this, socket, metInhoud, grootKop] {
            if (!socket || socket->state() != QAbstractSocket::ConnectedState) return;
            // Write only what the client takes, so that what it received is what was sent.
            if (socket->bytesToWrite() > 0) return;
            const QByteArray stuk = metInhoud  ? "4000\r\n" + QByteArray(0x4000, 'x') + "\r\n"
                                    : grootKop ? QByteArray(0x4000, 'x')
                                               : QByteArray("X-Regel: ") + QByteArray(20, 'x') + "\r\n";
            verstuurd += socket->write(stuk);
        });
        klok->start(metInhoud || grootKop ? 1 : 20);
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};
