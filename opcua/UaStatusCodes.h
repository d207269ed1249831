// The status codes a client meets, by name, with their severity and a name for messages. The
// top two bits give the severity; the low 16 bits carry flags and are not part of the code.
#pragma once

#include <QString>

// One list gives both the constants and the names.
#define UA_STATUS_CODES(X)                                                                         \
    X(Good, 0x00000000)                                                                            \
    X(GoodSubscriptionTransferred, 0x002D0000)                                                     \
    X(GoodCompletesAsynchronously, 0x002E0000)                                                     \
    X(GoodOverload, 0x002F0000)                                                                    \
    X(GoodClamped, 0x00300000)                                                                     \
    X(GoodLocalOverride, 0x00960000)                                                               \
    X(GoodNoData, 0x00A50000)                                                                      \
    X(GoodMoreData, 0x00A60000)                                                                    \
    X(Uncertain, 0x40000000)                                                                       \
    X(UncertainNoCommunicationLastUsableValue, 0x408F0000)                                         \
    X(UncertainLastUsableValue, 0x40900000)                                                        \
    X(UncertainSubstituteValue, 0x40910000)                                                        \
    X(UncertainInitialValue, 0x40920000)                                                           \
    X(UncertainSensorNotAccurate, 0x40930000)                                                      \
    X(UncertainEngineeringUnitsExceeded, 0x40940000)                                               \
    X(UncertainSubNormal, 0x40950000)                                                              \
    X(Bad, 0x80000000)                                                                             \
    X(BadUnexpectedError, 0x80010000)                                                              \
    X(BadInternalError, 0x80020000)                                                                \
    X(BadOutOfMemory, 0x80030000)                                                                  \
    X(BadResourceUnavailable, 0x80040000)                                                          \
    X(BadCommunicationError, 0x80050000)                                                           \
    X(BadEncodingError, 0x80060000)                                                                \
    X(BadDecodingError, 0x80070000)                                                                \
    X(BadEncodingLimitsExceeded, 0x80080000)                                                       \
    X(BadUnknownResponse, 0x80090000)                                                              \
    X(BadTimeout, 0x800A0000)                                                                      \
    X(BadServiceUnsupported, 0x800B0000)                                                           \
    X(BadShutdown, 0x800C0000)                                                                     \
    X(BadServerNotConnected, 0x800D0000)                                                           \
    X(BadServerHalted, 0x800E0000)                                                                 \
    X(BadNothingToDo, 0x800F0000)                                                                  \
    X(BadTooManyOperations, 0x80100000)                                                            \
    X(BadDataTypeIdUnknown, 0x80110000)                                                            \
    X(BadCertificateInvalid, 0x80120000)                                                           \
    X(BadSecurityChecksFailed, 0x80130000)                                                         \
    X(BadCertificateTimeInvalid, 0x80140000)                                                       \
    X(BadCertificateUriInvalid, 0x80170000)                                                        \
    X(BadCertificateUntrusted, 0x801A0000)                                                         \
    X(BadUserAccessDenied, 0x801F0000)                                                             \
    X(BadIdentityTokenInvalid, 0x80200000)                                                         \
    X(BadIdentityTokenRejected, 0x80210000)                                                        \
    X(BadSecureChannelIdInvalid, 0x80220000)                                                       \
    X(BadInvalidTimestamp, 0x80230000)                                                             \
    X(BadNonceInvalid, 0x80240000)                                                                 \
    X(BadSessionIdInvalid, 0x80250000)                                                             \
    X(BadSessionClosed, 0x80260000)                                                                \
    X(BadSessionNotActivated, 0x80270000)                                                          \
    X(BadSubscriptionIdInvalid, 0x80280000)                                                        \
    X(BadRequestHeaderInvalid, 0x802A0000)                                                         \
    X(BadTimestampsToReturnInvalid, 0x802B0000)                                                    \
    X(BadRequestCancelledByClient, 0x802C0000)                                                     \
    X(BadNoCommunication, 0x80310000)                                                              \
    X(BadWaitingForInitialData, 0x80320000)                                                        \
    X(BadNodeIdInvalid, 0x80330000)                                                                \
    X(BadNodeIdUnknown, 0x80340000)                                                                \
    X(BadAttributeIdInvalid, 0x80350000)                                                           \
    X(BadIndexRangeInvalid, 0x80360000)                                                            \
    X(BadIndexRangeNoData, 0x80370000)                                                             \
    X(BadDataEncodingInvalid, 0x80380000)                                                          \
    X(BadDataEncodingUnsupported, 0x80390000)                                                      \
    X(BadNotReadable, 0x803A0000)                                                                  \
    X(BadNotWritable, 0x803B0000)                                                                  \
    X(BadOutOfRange, 0x803C0000)                                                                   \
    X(BadNotSupported, 0x803D0000)                                                                 \
    X(BadNotFound, 0x803E0000)                                                                     \
    X(BadObjectDeleted, 0x803F0000)                                                                \
    X(BadNotImplemented, 0x80400000)                                                               \
    X(BadMonitoringModeInvalid, 0x80410000)                                                        \
    X(BadMonitoredItemIdInvalid, 0x80420000)                                                       \
    X(BadMonitoredItemFilterInvalid, 0x80430000)                                                   \
    X(BadMonitoredItemFilterUnsupported, 0x80440000)                                               \
    X(BadFilterNotAllowed, 0x80450000)                                                             \
    X(BadContinuationPointInvalid, 0x804A0000)                                                     \
    X(BadNoContinuationPoints, 0x804B0000)                                                         \
    X(BadReferenceTypeIdInvalid, 0x804C0000)                                                       \
    X(BadBrowseDirectionInvalid, 0x804D0000)                                                       \
    X(BadNodeNotInView, 0x804E0000)                                                                \
    X(BadSecurityModeRejected, 0x80540000)                                                         \
    X(BadSecurityPolicyRejected, 0x80550000)                                                       \
    X(BadTooManySessions, 0x80560000)                                                              \
    X(BadUserSignatureInvalid, 0x80570000)                                                         \
    X(BadApplicationSignatureInvalid, 0x80580000)                                                  \
    X(BadBrowseNameInvalid, 0x80600000)                                                            \
    X(BadViewIdUnknown, 0x806B0000)                                                                \
    X(BadMaxAgeInvalid, 0x80700000)                                                                \
    X(BadWriteNotSupported, 0x80730000)                                                            \
    X(BadTypeMismatch, 0x80740000)                                                                 \
    X(BadTooManySubscriptions, 0x80770000)                                                         \
    X(BadTooManyPublishRequests, 0x80780000)                                                       \
    X(BadNoSubscription, 0x80790000)                                                               \
    X(BadSequenceNumberUnknown, 0x807A0000)                                                        \
    X(BadMessageNotAvailable, 0x807B0000)                                                          \
    X(BadTcpServerTooBusy, 0x807D0000)                                                             \
    X(BadTcpMessageTypeInvalid, 0x807E0000)                                                        \
    X(BadTcpSecureChannelUnknown, 0x807F0000)                                                      \
    X(BadTcpMessageTooLarge, 0x80800000)                                                           \
    X(BadTcpNotEnoughResources, 0x80810000)                                                        \
    X(BadTcpInternalError, 0x80820000)                                                             \
    X(BadTcpEndpointUrlInvalid, 0x80830000)                                                        \
    X(BadRequestInterrupted, 0x80840000)                                                           \
    X(BadRequestTimeout, 0x80850000)                                                               \
    X(BadSecureChannelClosed, 0x80860000)                                                          \
    X(BadSecureChannelTokenUnknown, 0x80870000)                                                    \
    X(BadSequenceNumberInvalid, 0x80880000)                                                        \
    X(BadConfigurationError, 0x80890000)                                                           \
    X(BadNotConnected, 0x808A0000)                                                                 \
    X(BadDeviceFailure, 0x808B0000)                                                                \
    X(BadSensorFailure, 0x808C0000)                                                                \
    X(BadOutOfService, 0x808D0000)                                                                 \
    X(BadDeadbandFilterInvalid, 0x808E0000)                                                        \
    X(BadInvalidArgument, 0x80AB0000)                                                              \
    X(BadConnectionRejected, 0x80AC0000)                                                           \
    X(BadDisconnect, 0x80AD0000)                                                                   \
    X(BadConnectionClosed, 0x80AE0000)                                                             \
    X(BadInvalidState, 0x80AF0000)                                                                 \
    X(BadEndOfStream, 0x80B00000)                                                                  \
    X(BadNoDataAvailable, 0x80B10000)                                                              \
    X(BadWaitingForResponse, 0x80B20000)                                                           \
    X(BadOperationAbandoned, 0x80B30000)                                                           \
    X(BadRequestTooLarge, 0x80B80000)                                                              \
    X(BadResponseTooLarge, 0x80B90000)                                                             \
    X(BadProtocolVersionUnsupported, 0x80BE0000)                                                   \
    X(BadTooManyMonitoredItems, 0x80DB0000)                                                        \
    X(BadSecurityModeInsufficient, 0x80E60000)

namespace UaStatusCodes {

#define UA_STATUS_CONSTANT(name, value) inline constexpr quint32 name = value;
UA_STATUS_CODES(UA_STATUS_CONSTANT)
#undef UA_STATUS_CONSTANT

constexpr bool IsGood(quint32 status) {
    return (status >> 30) == 0;
}
constexpr bool IsUncertain(quint32 status) {
    return (status >> 30) == 1;
}
// Severity 3 is reserved and counts as bad, so nothing unknown passes for good.
constexpr bool IsBad(quint32 status) {
    return (status >> 30) >= 2;
}

// "BadNodeIdUnknown", ignoring the flag bits; "0x8123ABCD" for a code not in the list.
QString Name(quint32 status);

} // namespace UaStatusCodes
