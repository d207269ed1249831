// One connection to an OPC UA server: the TCP socket, Hello and Acknowledge, the secure
// channel under the None policy (open, renew before the token runs out, close) and the
// requests in flight, each answered once, from the event loop, or failed on its timeout.
#pragma once

#include "opcua/UaChunkReader.h"
#include "opcua/UaEndpointUrl.h"
#include "opcua/UaError.h"
#include "opcua/UaSecureConversation.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>

class QTcpSocket;

class UaSecureChannel : public QObject {
    Q_OBJECT

public:
    // The response body, or the error that ended the request.
    using Answer = std::function<void(const QByteArray& body, const std::optional<UaError>& error)>;

    enum class State { Closed, Connecting, Hello, Opening, Open };

    explicit UaSecureChannel(QObject* parent = nullptr);
    ~UaSecureChannel() override;

    // Connects, says Hello and opens the channel; Opened or Failed follows from the event loop.
    void Open(const UaEndpointUrl& url);
    // Says goodbye when open; fails every request still in flight.
    void Close();
    State CurrentState() const { return state_; }
    bool IsOpen() const { return state_ == State::Open; }
    const UaEndpointUrl& Url() const { return url_; }

    // Sends one request body (its type id and fields); the answer comes exactly once, never
    // from inside this call.
    void Send(const QByteArray& body, int timeoutMs, Answer answer);

    void SetConnectTimeout(int ms) { connectTimeoutMs_ = ms; }
    // Whether some channel is handing out an answer or a failure right now: an owner let go
    // from inside one must be deleted from the event loop, not on the spot.
    static bool Dispatching() { return dispatching_ > 0; }
    // Requested token lifetime; the channel renews at three quarters of what the server grants.
    void SetRequestedLifetime(quint32 ms) { requestedLifetimeMs_ = ms; }
    quint32 TokenId() const { return tokenId_; }
    quint32 SecureChannelId() const { return channelId_; }

signals:
    void Opened();
    // The channel could not be opened, or was lost; nothing is in flight any more.
    void Failed(const UaError& error);

private:
    struct Pending {
        Answer Callback;
        qint64 Deadline = 0;
    };

    void OnConnected();
    void OnReadyRead();
    void OnSocketError();
    void OnTick();
    void HandleChunk(const UaChunk& chunk);
    void HandleAcknowledge(const UaChunk& chunk);
    void HandleMessage(const UaSecureMessage& message);
    void SendOpen(bool renew);
    void HandleOpenResponse(const QByteArray& body);
    void Fail(const UaError& error);
    void FailPending(const UaError& error);
    void Reply(quint32 requestId, const QByteArray& body, const std::optional<UaError>& error);
    void Write(const QList<QByteArray>& chunks);
    quint32 NextRequestId();

    QTcpSocket* socket_ = nullptr;
    UaEndpointUrl url_;
    State state_ = State::Closed;
    UaChunkReader reader_;
    UaMessageAssembler assembler_;
    UaChunkWriter writer_;
    std::map<quint32, Pending> pending_;
    QTimer tick_;
    QTimer renew_;
    QTimer connectTimer_;
    int connectTimeoutMs_ = 5000;
    quint32 requestedLifetimeMs_ = 600000;
    quint32 channelId_ = 0;
    quint32 tokenId_ = 0;
    quint32 lastRequestId_ = 0;
    quint32 openRequestId_ = 0;
    static inline int dispatching_ = 0;
};
