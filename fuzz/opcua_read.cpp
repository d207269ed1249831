// Any bytes as the body of a ReadResponse.
#include "FuzzUaResponse.h"
#include "opcua/UaAttributeServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzUaResponse<UaReadResponse>(data, size);
}
