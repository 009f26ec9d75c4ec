#ifndef LOOPBACKHTTPSERVER_H
#define LOOPBACKHTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A scripted HTTP/1.1 server on 127.0.0.1 (a free port), for tests of network code: each path
// answers with its scripted status and body; an unscripted path answers 404. A slow reply sends
// the first chunk of its body at once and the rest one chunk per 50 ms.
class LoopbackHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/octet-stream";
        int slowChunk = 0; // 0: the whole body at once
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer() override;

    // "http://127.0.0.1:<port>"
    QString base() const;
    void script(const QString &path, const Reply &reply) { replies[path] = reply; }
    // The request targets received so far (path and query), in order.
    QStringList requests;

private:
    void serve(QTcpSocket *socket);
    void sendSlowly(QTcpSocket *socket, QByteArray rest, int chunk);

    QTcpServer *server;
    QHash<QString, Reply> replies;
    QHash<QTcpSocket *, QByteArray> pending;
};

#endif
