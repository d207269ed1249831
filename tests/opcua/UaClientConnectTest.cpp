#include "EventLoopWatch.h"
#include "opcua/UaClient.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

quint16 ClosedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

UaEndpointUrl Local(quint16 port) {
    return *UaEndpointUrl::Parse(QStringLiteral("opc.tcp://127.0.0.1:%1").arg(port));
}

} // namespace

TEST(UaClientConnect, ClosedPortFailsAtOnceAndBacksOffWithoutFreezingTheLoop) {
    UaClient client;
    std::vector<UaError> failures;
    QObject::connect(&client, &UaClient::ConnectionFailed,
                     [&](const UaError& error) { failures.push_back(error); });
    EventLoopWatch watch;
    client.Connect(Local(ClosedPort()));
    EXPECT_TRUE(failures.empty()) << "failures are told from the event loop";
    ASSERT_TRUE(watch.RunUntil([&] { return failures.size() >= 2; }, 5000));
    EXPECT_EQ(failures.front().StatusCode, UaStatusCodes::BadCommunicationError);
    EXPECT_EQ(client.ReconnectDelayMs(), 4000); // 1 s, then 2 s, then 4 s
    EXPECT_EQ(client.CurrentState(), UaClient::State::WaitingToReconnect);
    EXPECT_LT(watch.longestGapMs, 100);
    client.Disconnect();
    EXPECT_EQ(client.CurrentState(), UaClient::State::Idle);
}

TEST(UaClientConnect, SilentServerTimesOutWithoutFreezingTheLoop) {
    QTcpServer silent; // accepts, never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    UaClient client;
    client.SetRequestTimeout(600);
    std::optional<UaError> failure;
    QObject::connect(&client, &UaClient::ConnectionFailed,
                     [&](const UaError& error) { failure = error; });
    EventLoopWatch watch;
    client.Connect(Local(silent.serverPort()));
    ASSERT_TRUE(watch.RunUntil([&] { return failure.has_value(); }, 5000));
    EXPECT_EQ(failure->StatusCode, UaStatusCodes::BadTimeout);
    EXPECT_LT(watch.longestGapMs, 100);
}

TEST(UaClientConnect, ServerSpeakingNonsenseIsDroppedWithADecodingError) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write(QByteArray("ACKF\xff\xff\xff\x7f", 8)); // a 2 GiB chunk
        });
    });
    UaClient client;
    std::optional<UaError> failure;
    QObject::connect(&client, &UaClient::ConnectionFailed,
                     [&](const UaError& error) { failure = error; });
    client.Connect(Local(server.serverPort()));
    ASSERT_TRUE(EventLoopWatch().RunUntil([&] { return failure.has_value(); }, 5000));
    EXPECT_EQ(failure->StatusCode, UaStatusCodes::BadDecodingError);
}

TEST(UaClientConnect, UnresolvableHostFailsWithoutFreezingTheLoop) {
    UaClient client;
    std::optional<UaError> failure;
    QObject::connect(&client, &UaClient::ConnectionFailed,
                     [&](const UaError& error) { failure = error; });
    EventLoopWatch watch;
    client.Connect(*UaEndpointUrl::Parse(QStringLiteral("opc.tcp://no-such-host.invalid:4840")));
    ASSERT_TRUE(watch.RunUntil([&] { return failure.has_value(); }, 15000));
    EXPECT_LT(watch.longestGapMs, 100);
}
