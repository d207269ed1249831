#include "opcua/UaClient.h"

#include "opcua/UaNodeIds.h"
#include "opcua/UaSecureChannel.h"
#include "opcua/UaSecureConversation.h"
#include "opcua/UaServiceCall.h"
#include "opcua/UaSubscription.h"

#include <QCoreApplication>
#include <QHostInfo>

namespace {

constexpr int MaxReconnectDelayMs = 30000;
constexpr int MaxConnectTimeoutMs = 5000;
// Publish requests kept at the server: one more than the subscriptions, so that a response
// in transit never leaves a subscription without a request to answer.
constexpr int MaxPublishInFlight = 8;

const UaUserTokenPolicy* AnonymousPolicy(const UaEndpointDescription& endpoint) {
    for (const UaUserTokenPolicy& policy : endpoint.UserIdentityTokens)
        if (policy.TokenType == UaUserTokenType::Anonymous) return &policy;
    return nullptr;
}

} // namespace

UaClient::UaClient(QObject* parent) : QObject(parent) {
    reconnect_.setSingleShot(true);
    connect(&reconnect_, &QTimer::timeout, this, &UaClient::StartAttempt);
    connect(&keepAlive_, &QTimer::timeout, this, &UaClient::KeepAlive);
}

// Closes its session, so that a server with a few session slots does not run out of them.
UaClient::~UaClient() {
    Disconnect();
}

void UaClient::SetKeepAliveInterval(int ms) {
    keepAliveMs_ = std::max(ms, 100);
    keepAlive_.setInterval(keepAliveMs_);
}

template <class Response, class Request>
void UaClient::Call(Request request, Reply<Response> reply, int timeoutMs) {
    if (timeoutMs < 0) timeoutMs = requestTimeoutMs_;
    if (!channel_ || !channel_->IsOpen()) {
        QTimer::singleShot(0, this, [reply = std::move(reply)] {
            reply(Response{}, UaError{UaStatusCodes::BadNotConnected,
                                      QStringLiteral("Not connected to the server")});
        });
        return;
    }
    request.RequestHeader.AuthenticationToken = authenticationToken_;
    request.RequestHeader.RequestHandle = ++requestHandle_;
    request.RequestHeader.Timestamp = UaDateTimeNow();
    request.RequestHeader.TimeoutHint = quint32(timeoutMs);
    const quint64 generation = generation_;
    channel_->Send(EncodeBody(request), timeoutMs,
                   [this, generation, reply = std::move(reply)](
                       const QByteArray& body, const std::optional<UaError>& error) {
                       Response response;
                       if (error) return reply(response, error);
                       const std::optional<UaAnswerError> failed = UaDecodeAnswer(body, response);
                       if (!failed) return reply(response, std::nullopt);
                       // A server that sends what cannot be read is not talked to further.
                       if (failed->Malformed && generation == generation_) Lose(failed->Error);
                       reply(response, failed->Error);
                   });
}

void UaClient::Read(UaReadRequest request, Reply<UaReadResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::Write(UaWriteRequest request, Reply<UaWriteResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::Browse(UaBrowseRequest request, Reply<UaBrowseResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::BrowseNext(UaBrowseNextRequest request, Reply<UaBrowseNextResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::CreateSubscription(UaCreateSubscriptionRequest request,
                                  Reply<UaCreateSubscriptionResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::SetPublishingMode(UaSetPublishingModeRequest request,
                                 Reply<UaSetPublishingModeResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::DeleteSubscriptions(UaDeleteSubscriptionsRequest request,
                                   Reply<UaDeleteSubscriptionsResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::CreateMonitoredItems(UaCreateMonitoredItemsRequest request,
                                    Reply<UaCreateMonitoredItemsResponse> reply) {
    Call(std::move(request), std::move(reply));
}
void UaClient::DeleteMonitoredItems(UaDeleteMonitoredItemsRequest request,
                                    Reply<UaDeleteMonitoredItemsResponse> reply) {
    Call(std::move(request), std::move(reply));
}

void UaClient::Connect(const UaEndpointUrl& url) {
    Disconnect();
    url_ = url;
    reconnectDelayMs_ = 1000;
    StartAttempt();
}

void UaClient::Disconnect() {
    reconnect_.stop();
    keepAlive_.stop();
    // While the application ends its event queue is no longer served: no goodbyes then, and
    // nothing left for it to delete.
    const bool ending = QCoreApplication::closingDown();
    if (channel_ && state_ == State::Connected && !ending) {
        UaCloseSessionRequest request;
        request.DeleteSubscriptions = true;
        Call<UaCloseSessionResponse>(request, [](const auto&, const auto&) {});
    }
    ++generation_;
    if (channel_) {
        channel_->disconnect(this);
        if (ending) {
            delete channel_;
        } else {
            channel_->Close();
            channel_->deleteLater();
        }
    }
    for (UaSubscription* subscription : subscriptions_)
        subscription->OnSessionLost();
    state_ = State::Idle;
    publishInFlight_ = 0;
    acknowledgements_.clear();
}

void UaClient::StartAttempt() {
    ++generation_;
    if (channel_) {
        channel_->disconnect(this);
        channel_->deleteLater();
    }
    state_ = State::Connecting;
    authenticationToken_ = UaNodeId();
    channel_ = new UaSecureChannel(this);
    // A silent server is given up on within seconds, so its items soon say they are not
    // connected, whatever time a slow request may take later.
    channel_->SetConnectTimeout(std::min(requestTimeoutMs_, MaxConnectTimeoutMs));
    connect(channel_, &UaSecureChannel::Opened, this, &UaClient::OnChannelOpened);
    connect(channel_, &UaSecureChannel::Failed, this, &UaClient::Lose);
    channel_->Open(url_);
}

void UaClient::OnChannelOpened() {
    UaGetEndpointsRequest request;
    request.EndpointUrl = url_.ToString();
    Call<UaGetEndpointsResponse>(
        request, [this, generation = generation_](const UaGetEndpointsResponse& response,
                                                  const std::optional<UaError>& error) {
            if (generation != generation_) return;
            if (error) return Lose(*error);
            CheckEndpoints(response);
        });
}

// Only the unsecured endpoint with an anonymous identity is used; a server without one is
// refused rather than reached some weaker way.
void UaClient::CheckEndpoints(const UaGetEndpointsResponse& response) {
    for (const UaEndpointDescription& endpoint : response.Endpoints) {
        if (endpoint.SecurityPolicyUri != UaSecurityPolicyNone ||
            endpoint.SecurityMode != UaMessageSecurityMode::None)
            continue;
        if (const UaUserTokenPolicy* anonymous = AnonymousPolicy(endpoint))
            return CreateSession(anonymous->PolicyId);
    }
    Lose({UaStatusCodes::BadSecurityPolicyRejected,
          QStringLiteral("The server accepts no unsecured connection")});
}

void UaClient::CreateSession(const QString& anonymousPolicyId) {
    UaCreateSessionRequest request;
    request.ClientDescription.ApplicationUri =
        QStringLiteral("urn:%1:modulation:instruments").arg(QHostInfo::localHostName());
    request.ClientDescription.ProductUri = QStringLiteral("urn:modulation:instruments");
    request.ClientDescription.ApplicationName.Text = QStringLiteral("Instruments");
    request.ClientDescription.ApplicationType = UaApplicationType::Client;
    request.EndpointUrl = url_.ToString();
    request.SessionName = QStringLiteral("Instruments session");
    request.RequestedSessionTimeout = 60000;
    Call<UaCreateSessionResponse>(
        request, [this, generation = generation_, anonymousPolicyId](
                     const UaCreateSessionResponse& response, const std::optional<UaError>& error) {
            if (generation != generation_) return;
            if (error) return Lose(*error);
            ActivateSession(response, anonymousPolicyId);
        });
}

void UaClient::ActivateSession(const UaCreateSessionResponse& session, const QString& policyId) {
    authenticationToken_ = session.AuthenticationToken;
    UaActivateSessionRequest request;
    UaAnonymousIdentityToken token;
    token.PolicyId = policyId;
    request.UserIdentityToken = ToExtensionObject(token);
    Call<UaActivateSessionResponse>(
        request, [this, generation = generation_](const UaActivateSessionResponse&,
                                                  const std::optional<UaError>& error) {
            if (generation != generation_) return;
            if (error) return Lose(*error);
            OnSessionReady();
        });
}

void UaClient::OnSessionReady() {
    state_ = State::Connected;
    lastError_.reset();
    reconnectDelayMs_ = 1000;
    keepAliveInFlight_ = false;
    keepAlive_.start(keepAliveMs_);
    const std::set<UaSubscription*> subscriptions = subscriptions_;
    for (UaSubscription* subscription : subscriptions)
        subscription->OnSessionReady();
    emit Connected();
}

void UaClient::Lose(const UaError& error) {
    if (state_ == State::Idle) return;
    ++generation_;
    keepAlive_.stop();
    if (channel_) {
        channel_->disconnect(this);
        channel_->Close();
        channel_->deleteLater();
    }
    publishInFlight_ = 0;
    acknowledgements_.clear();
    serverState_ = -1;
    for (UaSubscription* subscription : subscriptions_)
        subscription->OnSessionLost();
    state_ = State::WaitingToReconnect;
    lastError_ = error;
    reconnect_.start(reconnectDelayMs_);
    reconnectDelayMs_ = std::min(reconnectDelayMs_ * 2, MaxReconnectDelayMs);
    emit ConnectionFailed(error);
}

// Reads the server's state: a dead peer that keeps the socket open is noticed by the missing
// answer, and a server leaving the running state by its value.
void UaClient::KeepAlive() {
    if (keepAliveInFlight_ || state_ != State::Connected) return;
    keepAliveInFlight_ = true;
    UaReadRequest request;
    UaReadValueId state;
    state.NodeId = UaNodeId::Numeric(0, UaNodeIds::Server_ServerStatus_State);
    state.AttributeId = UaAttributeId::Value;
    request.NodesToRead.push_back(state);
    Call<UaReadResponse>(
        request,
        [this, generation = generation_](const UaReadResponse& response,
                                         const std::optional<UaError>& error) {
            if (generation != generation_) return;
            keepAliveInFlight_ = false;
            if (error) return Lose(*error);
            if (response.Results.empty()) return;
            const qint32 state = response.Results.front().Value.Value().toInt();
            if (state == serverState_) return;
            serverState_ = state;
            emit ServerStateChanged(state);
        },
        keepAliveMs_ * 3 / 2);
}

void UaClient::Unregister(UaSubscription* subscription) {
    subscriptions_.erase(subscription);
}

int UaClient::PublishTimeoutMs() const {
    // A publish request waits at the server for up to a keep-alive period of the slowest
    // subscription; it times out only well after that.
    double longest = 0;
    for (const UaSubscription* subscription : subscriptions_)
        longest = std::max(longest, subscription->PublishingInterval());
    return int(std::min(std::max(double(requestTimeoutMs_), longest * 10 * 3), 600000.0));
}

void UaClient::TopUpPublish() {
    std::size_t created = 0;
    for (const UaSubscription* subscription : subscriptions_)
        if (subscription->ServerId() != 0) ++created;
    const int wanted =
        created == 0 ? 0 : int(std::min<std::size_t>(created + 2, MaxPublishInFlight));
    while (state_ == State::Connected && publishInFlight_ < wanted) {
        ++publishInFlight_;
        UaPublishRequest request;
        request.SubscriptionAcknowledgements.swap(acknowledgements_);
        Call<UaPublishResponse>(
            request,
            [this, generation = generation_](const UaPublishResponse& response,
                                             const std::optional<UaError>& error) {
                if (generation != generation_) return;
                --publishInFlight_;
                OnPublishResponse(response, error);
            },
            PublishTimeoutMs());
    }
}

void UaClient::OnPublishResponse(const UaPublishResponse& response,
                                 const std::optional<UaError>& error) {
    if (error) {
        // A session the server no longer knows is made anew, with its subscriptions.
        if (error->StatusCode == UaStatusCodes::BadSessionIdInvalid ||
            error->StatusCode == UaStatusCodes::BadSessionClosed)
            return Lose(*error);
        // Without subscriptions the server has nothing to answer with: stop asking; a request
        // that timed out in transit is asked again.
        if (error->StatusCode == UaStatusCodes::BadTimeout) TopUpPublish();
        return;
    }
    const UaNotificationMessage& message = response.NotificationMessage;
    // A keep-alive carries no notification and no sequence number to acknowledge.
    if (!message.IsKeepAlive())
        acknowledgements_.push_back({response.SubscriptionId, message.SequenceNumber});
    TopUpPublish();
    const auto found =
        std::find_if(subscriptions_.begin(), subscriptions_.end(), [&](const UaSubscription* s) {
            return s->ServerId() == response.SubscriptionId;
        });
    if (found == subscriptions_.end()) return;
    // The owner's handler may delete the subscription while its data is delivered.
    const std::weak_ptr<bool> alive = (*found)->alive_;
    UaSubscription* subscription = *found;
    for (const UaNotificationData& data : message.NotificationData) {
        if (alive.expired()) return;
        if (const auto* change = std::get_if<UaDataChangeNotification>(&data))
            subscription->Deliver(*change);
        else if (UaStatusCodes::IsBad(std::get<UaStatusChangeNotification>(data).Status))
            subscription->OnServerDropped();
    }
}
