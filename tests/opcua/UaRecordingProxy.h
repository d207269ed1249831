// A loopback proxy between a client and a server that keeps every byte the server sent, so a
// test can look at the exchange as it crossed the wire.
#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

class UaRecordingProxy : public QObject {
public:
    explicit UaRecordingProxy(quint16 serverPort);
    quint16 Port() const { return listener_.serverPort(); }
    // What the server sent, one stream per connection in the order they were made.
    const QList<QByteArray>& ServerBytes() const { return serverBytes_; }

private:
    void Accept();

    QTcpServer listener_;
    quint16 serverPort_;
    QList<QByteArray> serverBytes_;
};
