// Any bytes as what a server sends after its Acknowledge: cut into chunks, joined into
// messages, each either whole or refused with the decoder's error; never more memory than
// the limits allow.
#include "opcua/UaBinaryReader.h"
#include "opcua/UaChunkReader.h"
#include "opcua/UaSecureConversation.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte cuts the stream into reads of different sizes, as a socket does.
    const size_t step = size == 0 ? 1 : size_t(data[0]) * 37 + 1;
    UaChunkReader reader(65536);
    UaMessageAssembler assembler(1 << 20, 64);
    try {
        for (size_t at = 1; at < size; at += step) {
            reader.Append(QByteArrayView(reinterpret_cast<const char*>(data) + at,
                                         qsizetype(std::min(step, size - at))));
            while (std::optional<UaChunk> chunk = reader.Next()) {
                if (chunk->Header.Is("ACK")) {
                    UaBinaryReader body(chunk->Body);
                    UaAcknowledge::Decode(body);
                } else if (chunk->Header.Is("ERR")) {
                    UaBinaryReader body(chunk->Body);
                    UaTransportError::Decode(body);
                } else if (!chunk->Header.Is("HEL") && !chunk->Header.Is("RHE")) {
                    assembler.Add(*chunk);
                }
            }
        }
    } catch (const Exception&) {
    }
    return 0;
}
