// Any bytes as the body of a CreateMonitoredItemsResponse.
#include "FuzzUaResponse.h"
#include "opcua/UaSubscriptionServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzUaResponse<UaCreateMonitoredItemsResponse>(data, size);
}
