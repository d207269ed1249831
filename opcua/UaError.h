// What a failed OPC UA call answers: the status code (the server's, or the client's own for
// failures of its making) and a text for the items' messages.
#pragma once

#include "opcua/UaStatusCodes.h"

#include <QString>

struct UaError {
    quint32 StatusCode = 0;
    QString Message;
};
