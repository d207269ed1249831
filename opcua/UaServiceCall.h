// The answer of a service call read as its response: the response, or the error it stands
// for (a ServiceFault, a bad ServiceResult, a body that cannot be read).
#pragma once

#include "opcua/UaError.h"
#include "opcua/UaServiceHeader.h"

#include <QByteArray>
#include <optional>

struct UaAnswerError {
    UaError Error;
    bool Malformed = false; // the server sent what cannot be read: stop talking to it
};

inline UaError UaStatusError(quint32 status, const QString& what) {
    return {status,
            QStringLiteral("%1 (status 0x%2)").arg(what).arg(status, 8, 16, QLatin1Char('0'))};
}

template <class Response>
std::optional<UaAnswerError> UaDecodeAnswer(const QByteArray& body, Response& response) {
    try {
        UaBinaryReader reader(body);
        response = DecodeResponse<Response>(reader);
    } catch (const UaServiceFaultError& fault) {
        return UaAnswerError{UaStatusError(fault.ServiceResult(), QStringLiteral("Service fault"))};
    } catch (const Exception& malformed) {
        return UaAnswerError{{UaStatusCodes::BadDecodingError, malformed.Message()}, true};
    }
    const quint32 result = response.ResponseHeader.ServiceResult;
    if (UaStatusCodes::IsBad(result))
        return UaAnswerError{UaStatusError(result, QStringLiteral("Request failed"))};
    return std::nullopt;
}
