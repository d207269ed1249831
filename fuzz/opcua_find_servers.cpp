// Any bytes as the body of a FindServersResponse.
#include "FuzzUaResponse.h"
#include "opcua/UaDiscoveryServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzUaResponse<UaFindServersResponse>(data, size);
}
