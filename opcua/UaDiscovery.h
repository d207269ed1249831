// One discovery request (FindServers, FindServersOnNetwork, GetEndpoints) on a channel of its
// own, without a session: opened, asked, answered once from the event loop, closed.
#pragma once

#include "opcua/UaDiscoveryServices.h"
#include "opcua/UaSecureChannel.h"
#include "opcua/UaServiceCall.h"

#include <functional>

namespace UaDiscovery {

template <class Response>
using Reply = std::function<void(const Response& response, const std::optional<UaError>& error)>;

// The channel lives as a child of context: destroying context ends the request unanswered.
template <class Response, class Request>
void Ask(QObject* context, const UaEndpointUrl& url, Request request, int timeoutMs,
         Reply<Response> reply) {
    auto* channel = new UaSecureChannel(context);
    channel->SetConnectTimeout(timeoutMs);
    auto finish = [channel, reply](const Response& response, const std::optional<UaError>& error) {
        channel->disconnect();
        channel->Close();
        channel->deleteLater();
        RunGuarded([&] { reply(response, error); });
    };
    QObject::connect(channel, &UaSecureChannel::Failed, channel,
                     [finish](const UaError& error) { finish(Response{}, error); });
    QObject::connect(channel, &UaSecureChannel::Opened, channel, [=]() mutable {
        request.RequestHeader.TimeoutHint = quint32(timeoutMs);
        channel->Send(EncodeBody(request), timeoutMs,
                      [finish](const QByteArray& body, const std::optional<UaError>& error) {
                          Response response;
                          if (error) return finish(response, error);
                          const std::optional<UaAnswerError> failed =
                              UaDecodeAnswer(body, response);
                          finish(response, failed ? std::optional(failed->Error) : std::nullopt);
                      });
    });
    channel->Open(url);
}

} // namespace UaDiscovery
