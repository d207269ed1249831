// A client of one OPC UA server: the secure channel, the session (anonymous identity), the
// services, the subscriptions with their publish loop, the keep-alive, and the recovery that
// reconnects with back-off and makes every subscription again, so values flow on by themselves.
#pragma once

#include "opcua/UaAttributeServices.h"
#include "opcua/UaDiscoveryServices.h"
#include "opcua/UaEndpointUrl.h"
#include "opcua/UaError.h"
#include "opcua/UaSessionServices.h"
#include "opcua/UaSubscriptionServices.h"
#include "opcua/UaViewServices.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>
#include <set>

class UaSecureChannel;
class UaSubscription;

class UaClient : public QObject {
    Q_OBJECT

public:
    enum class State { Idle, Connecting, Connected, WaitingToReconnect };
    template <class Response>
    using Reply =
        std::function<void(const Response& response, const std::optional<UaError>& error)>;

    explicit UaClient(QObject* parent = nullptr);
    ~UaClient() override;

    // Connects, and keeps connecting after every failure until Disconnect.
    void Connect(const UaEndpointUrl& url);
    void Disconnect();
    State CurrentState() const { return state_; }
    bool IsConnected() const { return state_ == State::Connected; }
    const UaEndpointUrl& Url() const { return url_; }
    // The last error of a connect attempt or of the lost connection; empty once connected.
    const std::optional<UaError>& LastError() const { return lastError_; }
    // The server's state as the keep-alive last read it (0 running), -1 when not known.
    qint32 ServerState() const { return serverState_; }

    void SetRequestTimeout(int ms) { requestTimeoutMs_ = ms; }
    // How often the keep-alive reads the server's state; no answer within 1.5 times this is a
    // lost connection.
    void SetKeepAliveInterval(int ms);
    int ReconnectDelayMs() const { return reconnectDelayMs_; }

    // Services of the session: the client fills in each request's header. Every answer comes
    // once, from the event loop; a response whose ServiceResult is bad comes with that error.
    void Read(UaReadRequest request, Reply<UaReadResponse> reply);
    void Write(UaWriteRequest request, Reply<UaWriteResponse> reply);
    void Browse(UaBrowseRequest request, Reply<UaBrowseResponse> reply);
    void BrowseNext(UaBrowseNextRequest request, Reply<UaBrowseNextResponse> reply);
    void CreateSubscription(UaCreateSubscriptionRequest request,
                            Reply<UaCreateSubscriptionResponse> reply);
    void SetPublishingMode(UaSetPublishingModeRequest request,
                           Reply<UaSetPublishingModeResponse> reply);
    void DeleteSubscriptions(UaDeleteSubscriptionsRequest request,
                             Reply<UaDeleteSubscriptionsResponse> reply);
    void CreateMonitoredItems(UaCreateMonitoredItemsRequest request,
                              Reply<UaCreateMonitoredItemsResponse> reply);
    void DeleteMonitoredItems(UaDeleteMonitoredItemsRequest request,
                              Reply<UaDeleteMonitoredItemsResponse> reply);

signals:
    // The session is ready (again): services can be called.
    void Connected();
    // An attempt failed or the connection was lost; another attempt follows.
    void ConnectionFailed(const UaError& error);
    void ServerStateChanged(qint32 state);

private:
    friend class UaSubscription;

    template <class Response, class Request>
    void Call(Request request, Reply<Response> reply, int timeoutMs = -1);
    void StartAttempt();
    void OnChannelOpened();
    void CheckEndpoints(const UaGetEndpointsResponse& response);
    void CreateSession(const QString& anonymousPolicyId);
    void ActivateSession(const UaCreateSessionResponse& session, const QString& policyId);
    void OnSessionReady();
    void Lose(const UaError& error);
    void KeepAlive();
    void Register(UaSubscription* subscription) { subscriptions_.insert(subscription); }
    void Unregister(UaSubscription* subscription);
    void TopUpPublish();
    void OnPublishResponse(const UaPublishResponse& response, const std::optional<UaError>& error);
    int PublishTimeoutMs() const;

    UaEndpointUrl url_;
    State state_ = State::Idle;
    QPointer<UaSecureChannel> channel_;
    UaNodeId authenticationToken_;
    quint32 requestHandle_ = 0;
    int requestTimeoutMs_ = 10000;
    int keepAliveMs_ = 2000;
    int reconnectDelayMs_ = 1000;
    QTimer reconnect_;
    QTimer keepAlive_;
    bool keepAliveInFlight_ = false;
    qint32 serverState_ = -1;
    std::optional<UaError> lastError_;
    std::set<UaSubscription*> subscriptions_;
    std::vector<UaSubscriptionAcknowledgement> acknowledgements_;
    int publishInFlight_ = 0;
    // Advanced by every new channel, so answers of an old one are known as such.
    quint64 generation_ = 0;
};
