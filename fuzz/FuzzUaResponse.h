// A response decoder under fuzzing: any bytes as a message body either decode or raise the
// decoder's error (a service fault, a malformed body); what decodes encodes to the same
// response again.
#pragma once

#include "opcua/UaServiceHeader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

template <class Response> int FuzzUaResponse(const uint8_t* data, size_t size) {
    UaBinaryReader reader(reinterpret_cast<const char*>(data), qsizetype(size));
    Response response;
    try {
        response = DecodeResponse<Response>(reader);
    } catch (const Exception&) {
        return 0;
    }
    const QByteArray again = EncodeBody(response);
    UaBinaryReader second(again);
    try {
        DecodeResponse<Response>(second);
    } catch (const Exception& error) {
        std::fprintf(stderr, "a decoded response does not decode again: %s\n", error.what());
        std::abort();
    }
    return 0;
}
