// Any bytes as the body of a GetEndpointsResponse.
#include "FuzzUaResponse.h"
#include "opcua/UaDiscoveryServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzUaResponse<UaGetEndpointsResponse>(data, size);
}
