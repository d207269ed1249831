// Any bytes as the body of a BrowseResponse.
#include "FuzzUaResponse.h"
#include "opcua/UaViewServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzUaResponse<UaBrowseResponse>(data, size);
}
