#include "UaTestPeer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

constexpr int WaitMs = 5000;
constexpr qsizetype AcknowledgeSize = 28;

void AppendUInt32(QByteArray& message, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    message.append(bytes, 4);
}

// Protocol version 0, 64 KiB chunks both ways, no message or chunk limit, then the URL.
QByteArray Hello(const QString& url) {
    const QByteArray endpoint = url.toUtf8();
    QByteArray message("HELF");
    AppendUInt32(message, quint32(8 + 5 * 4 + 4 + endpoint.size()));
    for (const quint32 field : {0u, 65536u, 65536u, 0u, 0u})
        AppendUInt32(message, field);
    AppendUInt32(message, quint32(endpoint.size()));
    return message + endpoint;
}

// The peer's whole answer to a Hello sent to the port, empty when nothing came.
QByteArray AnswerToHello(quint16 port, const QString& url) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(WaitMs)) return {};
    socket.write(Hello(url));
    while (socket.bytesAvailable() < AcknowledgeSize && socket.waitForReadyRead(WaitMs)) {
    }
    return socket.readAll();
}

void ExpectAcknowledge(const QByteArray& answer) {
    ASSERT_EQ(answer.size(), AcknowledgeSize) << answer.toHex().toStdString();
    EXPECT_EQ(answer.left(4), "ACKF");
    EXPECT_EQ(qFromLittleEndian<quint32>(answer.constData() + 4), quint32(AcknowledgeSize));
    EXPECT_EQ(qFromLittleEndian<quint32>(answer.constData() + 8), 0u) << "protocol version";
    for (const int offset : {12, 16}) {
        const quint32 buffer = qFromLittleEndian<quint32>(answer.constData() + offset);
        EXPECT_GE(buffer, 8192u);
        EXPECT_LE(buffer, 65536u) << "larger than the Hello offered";
    }
}

bool Refuses(quint16 port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return !socket.waitForConnected(WaitMs) &&
           socket.error() == QAbstractSocket::ConnectionRefusedError;
}

class UaTestPeerTest : public testing::Test {
protected:
    void SetUp() override {
        QString why;
        if (!UaTestPeer::Available(&why)) GTEST_SKIP() << why.toStdString();
    }

    UaTestPeer peer;
};

TEST_F(UaTestPeerTest, BothPortsAcknowledgeAHelloAndComeBackOnTheSamePortsAfterAKill) {
    ASSERT_TRUE(peer.Start()) << peer.Error().toStdString();
    EXPECT_EQ(peer.EndpointUrl(), QStringLiteral("opc.tcp://127.0.0.1:%1").arg(peer.Port()));
    EXPECT_NE(peer.SecurePort(), peer.Port());
    ExpectAcknowledge(AnswerToHello(peer.Port(), peer.EndpointUrl()));
    ExpectAcknowledge(AnswerToHello(peer.SecurePort(), peer.SecureEndpointUrl()));

    const quint16 port = peer.Port();
    const quint16 securePort = peer.SecurePort();
    peer.Kill();
    EXPECT_FALSE(peer.Running());
    EXPECT_TRUE(Refuses(port));
    EXPECT_TRUE(Refuses(securePort));

    ASSERT_TRUE(peer.Restart()) << peer.Error().toStdString();
    EXPECT_EQ(peer.Port(), port);
    EXPECT_EQ(peer.SecurePort(), securePort);
    ExpectAcknowledge(AnswerToHello(port, peer.EndpointUrl()));
}

TEST_F(UaTestPeerTest, ShutdownCommandEndsThePeerAndFreesItsPort) {
    ASSERT_TRUE(peer.Start()) << peer.Error().toStdString();
    peer.Send(QStringLiteral("shutdown"));
    EXPECT_TRUE(peer.WaitForExit(10000));
    EXPECT_TRUE(Refuses(peer.Port()));
}

TEST_F(UaTestPeerTest, StartOnAPortInUseFailsWithTheReasonAndLeavesNothingRunning) {
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress::LocalHost));
    EXPECT_FALSE(peer.Start(occupant.serverPort()));
    EXPECT_FALSE(peer.Running());
    EXPECT_TRUE(peer.Error().contains(QStringLiteral("EADDRINUSE"))) << peer.Error().toStdString();
}

} // namespace
