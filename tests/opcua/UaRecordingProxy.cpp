#include "UaRecordingProxy.h"

UaRecordingProxy::UaRecordingProxy(quint16 serverPort) : serverPort_(serverPort) {
    listener_.listen(QHostAddress::LocalHost, 0);
    connect(&listener_, &QTcpServer::newConnection, this, &UaRecordingProxy::Accept);
}

void UaRecordingProxy::Accept() {
    QTcpSocket* client = listener_.nextPendingConnection();
    auto* server = new QTcpSocket(client);
    const qsizetype stream = serverBytes_.size();
    serverBytes_.append(QByteArray());
    connect(client, &QTcpSocket::readyRead, server,
            [client, server] { server->write(client->readAll()); });
    connect(server, &QTcpSocket::readyRead, client, [this, client, server, stream] {
        const QByteArray bytes = server->readAll();
        serverBytes_[stream] += bytes;
        client->write(bytes);
    });
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    server->connectToHost(QHostAddress::LocalHost, serverPort_);
}
