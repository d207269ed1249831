#include "opcua/UaSecureChannel.h"

#include "opcua/UaBinaryReader.h"
#include "opcua/UaSecureChannelServices.h"
#include "opcua/UaServiceHeader.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTcpSocket>

namespace {

// How often the requests in flight are checked against their deadlines.
constexpr int TickMs = 50;

qint64 NowMs() {
    return QDeadlineTimer::current().deadline();
}

// Counts the answers and failures being handed out, for Dispatching.
class DispatchScope {
public:
    explicit DispatchScope(int& depth) : depth_(++depth) {}
    ~DispatchScope() { --depth_; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    int& depth_;
};

UaError ClosedError() {
    return {UaStatusCodes::BadConnectionClosed, QStringLiteral("The connection was closed")};
}

} // namespace

UaSecureChannel::UaSecureChannel(QObject* parent) : QObject(parent) {
    tick_.setInterval(TickMs);
    connect(&tick_, &QTimer::timeout, this, &UaSecureChannel::OnTick);
    renew_.setSingleShot(true);
    connect(&renew_, &QTimer::timeout, this, [this] { SendOpen(true); });
    connectTimer_.setSingleShot(true);
    connect(&connectTimer_, &QTimer::timeout, this, [this] {
        Fail({UaStatusCodes::BadTimeout, QStringLiteral("No answer from %1 within %2 ms")
                                             .arg(url_.ToString())
                                             .arg(connectTimeoutMs_)});
    });
}

UaSecureChannel::~UaSecureChannel() {
    // Owners are told of failures through Failed; a channel being destroyed tells no one.
    pending_.clear();
    if (socket_) socket_->abort();
}

void UaSecureChannel::Open(const UaEndpointUrl& url) {
    if (state_ != State::Closed) Close();
    url_ = url;
    reader_ = UaChunkReader(UaHello().ReceiveBufferSize);
    assembler_ = UaMessageAssembler(UaHello().MaxMessageSize, UaHello().MaxChunkCount);
    writer_ = UaChunkWriter();
    channelId_ = tokenId_ = 0;
    delete socket_;
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::connected, this, &UaSecureChannel::OnConnected);
    connect(socket_, &QTcpSocket::readyRead, this, &UaSecureChannel::OnReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &UaSecureChannel::OnSocketError);
    connect(socket_, &QTcpSocket::disconnected, this, [this] { Fail(ClosedError()); });
    state_ = State::Connecting;
    connectTimer_.start(connectTimeoutMs_);
    // The host lookup and the connect run in the background; nothing here waits.
    socket_->connectToHost(url.Host, url.Port);
}

void UaSecureChannel::Close() {
    if (state_ == State::Closed) return;
    if (state_ == State::Open) {
        UaCloseSecureChannelRequest request;
        const QByteArray body = EncodeBody(request);
        Write(writer_.Encode("CLO", channelId_, tokenId_, NextRequestId(), body));
        socket_->flush();
    }
    state_ = State::Closed;
    connectTimer_.stop();
    renew_.stop();
    socket_->disconnect(this);
    socket_->disconnectFromHost();
    FailPending(ClosedError());
}

void UaSecureChannel::OnConnected() {
    state_ = State::Hello;
    UaHello hello;
    hello.EndpointUrl = url_.ToString();
    socket_->write(hello.Encode());
}

void UaSecureChannel::OnReadyRead() {
    QPointer<UaSecureChannel> alive(this);
    reader_.Append(socket_->readAll());
    try {
        while (alive && state_ != State::Closed) {
            std::optional<UaChunk> chunk = reader_.Next();
            if (!chunk) break;
            HandleChunk(*chunk);
        }
    } catch (const Exception& error) {
        if (alive) Fail({UaStatusCodes::BadDecodingError, error.Message()});
    }
}

void UaSecureChannel::HandleChunk(const UaChunk& chunk) {
    if (chunk.Header.Is("ERR")) {
        UaBinaryReader reader(chunk.Body);
        const UaTransportError error = UaTransportError::Decode(reader);
        Fail({error.Error, error.Reason});
    } else if (chunk.Header.Is("ACK") && state_ == State::Hello) {
        HandleAcknowledge(chunk);
    } else if (state_ == State::Opening || state_ == State::Open) {
        if (std::optional<UaSecureMessage> message = assembler_.Add(chunk)) HandleMessage(*message);
    } else {
        throw UaDecodeError(QStringLiteral("Unexpected chunk before the channel is open"));
    }
}

void UaSecureChannel::HandleAcknowledge(const UaChunk& chunk) {
    UaBinaryReader reader(chunk.Body);
    const UaAcknowledge ack = UaAcknowledge::Decode(reader);
    const UaHello asked;
    if (ack.SendBufferSize > asked.ReceiveBufferSize || ack.ReceiveBufferSize < UaMinimumBufferSize)
        throw UaDecodeError(QStringLiteral("Acknowledge with buffer sizes out of range"));
    writer_.SetLimits(std::min(ack.ReceiveBufferSize, asked.SendBufferSize), ack.MaxMessageSize,
                      ack.MaxChunkCount);
    state_ = State::Opening;
    SendOpen(false);
}

void UaSecureChannel::SendOpen(bool renew) {
    if (!socket_ || (renew && state_ != State::Open)) return;
    UaOpenSecureChannelRequest request;
    request.RequestHeader.Timestamp = UaDateTimeNow();
    request.RequestHeader.TimeoutHint = quint32(connectTimeoutMs_);
    request.RequestType =
        renew ? UaSecurityTokenRequestType::Renew : UaSecurityTokenRequestType::Issue;
    request.SecurityMode = UaMessageSecurityMode::None;
    request.RequestedLifetime = requestedLifetimeMs_;
    openRequestId_ = NextRequestId();
    socket_->write(writer_.EncodeOpen(channelId_, openRequestId_, EncodeBody(request)));
}

void UaSecureChannel::HandleOpenResponse(const QByteArray& body) {
    UaBinaryReader reader(body);
    const auto response = DecodeResponse<UaOpenSecureChannelResponse>(reader);
    if (UaStatusCodes::IsBad(response.ResponseHeader.ServiceResult)) {
        Fail({response.ResponseHeader.ServiceResult,
              QStringLiteral("The server refused to open a secure channel")});
        return;
    }
    channelId_ = response.SecurityToken.ChannelId;
    tokenId_ = response.SecurityToken.TokenId;
    // Renew well before the token runs out, as the protocol asks (at three quarters).
    const quint32 lifetime = std::max<quint32>(response.SecurityToken.RevisedLifetime, 4000);
    renew_.start(int(std::min<quint64>(quint64(lifetime) * 3 / 4, 0x7FFFFFFF)));
    if (state_ == State::Opening) {
        state_ = State::Open;
        connectTimer_.stop();
        emit Opened();
    }
}

void UaSecureChannel::HandleMessage(const UaSecureMessage& message) {
    if (message.Header.Is("OPN")) {
        if (message.RequestId != openRequestId_)
            throw UaDecodeError(QStringLiteral("OpenSecureChannel answer to no request"));
        if (message.Header.ChunkType == 'A') {
            Fail({message.Abort.Error, message.Abort.Reason});
            return;
        }
        HandleOpenResponse(message.Body);
        return;
    }
    if (message.SecureChannelId != channelId_)
        throw UaDecodeError(QStringLiteral("Message for another secure channel"));
    if (message.Header.ChunkType == 'A')
        Reply(message.RequestId, {}, UaError{message.Abort.Error, message.Abort.Reason});
    else
        Reply(message.RequestId, message.Body, std::nullopt);
}

void UaSecureChannel::Send(const QByteArray& body, int timeoutMs, Answer answer) {
    const quint32 requestId = NextRequestId();
    pending_[requestId] = Pending{std::move(answer), NowMs() + timeoutMs};
    if (!tick_.isActive()) tick_.start();
    if (state_ != State::Open) {
        // Answered from the event loop by the next tick, never inside this call.
        pending_[requestId].Deadline = 0;
        return;
    }
    try {
        Write(writer_.Encode("MSG", channelId_, tokenId_, requestId, body));
    } catch (const Exception& error) {
        QTimer::singleShot(0, this, [this, requestId, message = error.Message()] {
            Reply(requestId, {}, UaError{UaStatusCodes::BadCommunicationError, message});
        });
    }
}

void UaSecureChannel::OnTick() {
    const qint64 now = NowMs();
    std::vector<quint32> expired;
    for (const auto& [requestId, pending] : pending_)
        if (pending.Deadline <= now) expired.push_back(requestId);
    QPointer<UaSecureChannel> alive(this);
    for (quint32 requestId : expired) {
        if (!alive) return;
        const bool open = state_ == State::Open;
        Reply(requestId, {},
              UaError{open ? UaStatusCodes::BadTimeout : UaStatusCodes::BadNotConnected,
                      open ? QStringLiteral("The server did not answer in time")
                           : QStringLiteral("Not connected to the server")});
    }
    if (alive && pending_.empty()) tick_.stop();
}

void UaSecureChannel::Reply(quint32 requestId, const QByteArray& body,
                            const std::optional<UaError>& error) {
    const auto found = pending_.find(requestId);
    if (found == pending_.end()) return; // timed out already, or never asked
    Answer answer = std::move(found->second.Callback);
    pending_.erase(found);
    const DispatchScope dispatching(dispatching_);
    RunGuarded([&] { answer(body, error); });
}

void UaSecureChannel::OnSocketError() {
    Fail({UaStatusCodes::BadCommunicationError, socket_->errorString()});
}

void UaSecureChannel::Fail(const UaError& error) {
    if (state_ == State::Closed) return;
    const DispatchScope dispatching(dispatching_);
    state_ = State::Closed;
    connectTimer_.stop();
    renew_.stop();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
    QPointer<UaSecureChannel> alive(this);
    FailPending(error);
    if (alive) emit Failed(error);
}

void UaSecureChannel::FailPending(const UaError& error) {
    const DispatchScope dispatching(dispatching_);
    std::map<quint32, Pending> failed;
    failed.swap(pending_);
    tick_.stop();
    for (auto& entry : failed)
        RunGuarded([&] { entry.second.Callback({}, error); });
}

void UaSecureChannel::Write(const QList<QByteArray>& chunks) {
    for (const QByteArray& chunk : chunks)
        socket_->write(chunk);
}

quint32 UaSecureChannel::NextRequestId() {
    lastRequestId_ = lastRequestId_ == 0xFFFFFFFFu ? 1 : lastRequestId_ + 1;
    return lastRequestId_;
}
