// Any bytes as the body of a PublishResponse.
#include "FuzzUaResponse.h"
#include "opcua/UaSubscriptionServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzUaResponse<UaPublishResponse>(data, size);
}
