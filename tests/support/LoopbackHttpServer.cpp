#include "LoopbackHttpServer.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

LoopbackHttpServer::LoopbackHttpServer() : server(new QTcpServer(this))
{
    server->listen(QHostAddress::LocalHost, 0);
    connect(server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QObject::destroyed, this, [this, socket] { pending.remove(socket); });
        }
    });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    server->close();
}

QString LoopbackHttpServer::base() const
{
    return "http://127.0.0.1:" + QString::number(server->serverPort());
}

void LoopbackHttpServer::serve(QTcpSocket *socket)
{
    QByteArray &buffer = pending[socket];
    buffer += socket->readAll();
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray requestLine = buffer.left(buffer.indexOf("\r\n"));
    buffer.remove(0, end + 4);
    const QList<QByteArray> words = requestLine.split(' ');
    const QString target = words.value(1);
    requests << target;

    const QString path = QUrl(target).path();
    const Reply reply = replies.value(path, Reply{404, "not found", "text/plain", 0});
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + (reply.status == 200 ? " OK" : " Error")
                      + "\r\nContent-Type: " + reply.contentType
                      + "\r\nContent-Length: " + QByteArray::number(reply.body.size())
                      + "\r\nConnection: close\r\n\r\n";
    if (reply.slowChunk <= 0) {
        socket->write(head + reply.body);
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + reply.body.left(reply.slowChunk));
    sendSlowly(socket, reply.body.mid(reply.slowChunk), reply.slowChunk);
}

void LoopbackHttpServer::sendSlowly(QTcpSocket *socket, QByteArray rest, int chunk)
{
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(50, this, [this, guard, rest, chunk] {
        if (!guard || guard->state() != QAbstractSocket::ConnectedState)
            return;
        guard->write(rest.left(chunk));
        if (rest.size() > chunk)
            sendSlowly(guard, rest.mid(chunk), chunk);
        else
            guard->disconnectFromHost();
    });
}
