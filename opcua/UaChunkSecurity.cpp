#include "opcua/UaChunkSecurity.h"

#include "opcua/UaBinaryReader.h"

#include <QtEndian>

namespace {

// Keys above 2048 bits need a second byte for the padding size.
bool ExtraPaddingByte(int cipherBlock) {
    return cipherBlock > 256;
}

void WriteSize(QByteArray& chunk) {
    qToLittleEndian<quint32>(quint32(chunk.size()), chunk.data() + 4);
}

const UaRsaKey& Need(const UaRsaKey* key) {
    if (!key) throw UaCryptoError(QStringLiteral("No certificate key for the secured channel"));
    return *key;
}

} // namespace

int UaChunkSecurity::SignatureBytes(bool asymmetric, bool ours) const {
    if (!asymmetric) return policy_.SymmetricSignatureBytes;
    return Need(ours ? own_ : peer_).SizeBytes();
}

int UaChunkSecurity::PlainBlock(bool asymmetric) const {
    return asymmetric ? Need(peer_).PlainBlockSize(policy_.AsymmetricEncryption)
                      : policy_.BlockBytes;
}

int UaChunkSecurity::CipherBlock(bool asymmetric, bool ours) const {
    if (!asymmetric) return policy_.BlockBytes;
    return Need(ours ? own_ : peer_).SizeBytes();
}

qsizetype UaChunkSecurity::MaxBodyPerChunk(bool asymmetric, qsizetype chunkSize,
                                           qsizetype headersSize) const {
    constexpr qsizetype SequenceHeader = 8;
    const qsizetype signature = SignatureBytes(asymmetric, true);
    if (!Encrypts(asymmetric)) return chunkSize - headersSize - SequenceHeader - signature;
    const qsizetype plainBlock = PlainBlock(asymmetric);
    const qsizetype cipherBlock = CipherBlock(asymmetric, false);
    const qsizetype blocks = (chunkSize - headersSize) / cipherBlock;
    const qsizetype sizeBytes = ExtraPaddingByte(int(cipherBlock)) ? 2 : 1;
    return blocks * plainBlock - SequenceHeader - signature - sizeBytes;
}

QByteArray UaChunkSecurity::Padding(qsizetype payload, bool asymmetric) const {
    const int block = PlainBlock(asymmetric);
    const bool extra = asymmetric && ExtraPaddingByte(CipherBlock(asymmetric, false));
    const qsizetype sizeBytes = extra ? 2 : 1;
    const qsizetype used = payload + sizeBytes + SignatureBytes(asymmetric, true);
    const qsizetype padding = (block - used % block) % block;
    // Every padding byte and the size byte hold the low byte of the padding's length; the
    // extra byte, when there is one, its high byte.
    QByteArray bytes(padding + 1, char(padding & 0xFF));
    if (extra) bytes.append(char(padding >> 8));
    return bytes;
}

QByteArray UaChunkSecurity::Sign(const QByteArray& data, bool asymmetric) const {
    if (asymmetric) return Need(own_).Sign(data, policy_.AsymmetricSignature);
    return UaCrypto::HmacSha256(sending_->SigningKey, data);
}

bool UaChunkSecurity::Verify(const QByteArray& data, const QByteArray& signature,
                             bool asymmetric) const {
    if (asymmetric) return Need(peer_).Verify(data, signature, policy_.AsymmetricSignature);
    const QByteArray expected = UaCrypto::HmacSha256(receiving_->SigningKey, data);
    // Compared without stopping at the first difference, so the time tells nothing.
    unsigned char difference = expected.size() == signature.size() ? 0 : 1;
    for (qsizetype i = 0; i < std::min(expected.size(), signature.size()); ++i)
        difference |= static_cast<unsigned char>(expected[i] ^ signature[i]);
    return difference == 0;
}

QByteArray UaChunkSecurity::Encrypt(const QByteArray& data, bool asymmetric) const {
    if (!asymmetric)
        return UaCrypto::AesCbcEncrypt(sending_->EncryptingKey, sending_->InitializationVector,
                                       data);
    const int block = PlainBlock(true);
    QByteArray out;
    for (qsizetype at = 0; at < data.size(); at += block)
        out += Need(peer_).Encrypt(data.mid(at, block), policy_.AsymmetricEncryption);
    return out;
}

QByteArray UaChunkSecurity::Decrypt(const QByteArray& data, bool asymmetric) const {
    const int block = CipherBlock(asymmetric, true);
    if (data.size() % block != 0)
        throw UaDecodeError(QStringLiteral("Encrypted chunk of partial blocks"));
    if (!asymmetric)
        return UaCrypto::AesCbcDecrypt(receiving_->EncryptingKey, receiving_->InitializationVector,
                                       data);
    QByteArray out;
    for (qsizetype at = 0; at < data.size(); at += block)
        out += Need(own_).Decrypt(data.mid(at, block), policy_.AsymmetricEncryption);
    return out;
}

QByteArray UaChunkSecurity::Protect(const QByteArray& plain, qsizetype headersSize,
                                    bool asymmetric) const {
    if (!asymmetric && !sending_)
        throw UaCryptoError(QStringLiteral("No keys for the secured channel yet"));
    const qsizetype payload = plain.size() - headersSize;
    const bool encrypts = Encrypts(asymmetric);
    QByteArray chunk = plain;
    if (encrypts) chunk += Padding(payload, asymmetric);
    const qsizetype signature = SignatureBytes(asymmetric, true);
    const qsizetype encryptedPart = chunk.size() - headersSize + signature;
    const qsizetype finalSize = encrypts ? headersSize + encryptedPart / PlainBlock(asymmetric) *
                                                             CipherBlock(asymmetric, false)
                                         : chunk.size() + signature;
    // The signature covers the headers with the size of the chunk as it is sent.
    qToLittleEndian<quint32>(quint32(finalSize), chunk.data() + 4);
    chunk += Sign(chunk, asymmetric);
    if (!encrypts) return chunk;
    QByteArray sent = chunk.left(headersSize) + Encrypt(chunk.mid(headersSize), asymmetric);
    WriteSize(sent);
    return sent;
}

QByteArray UaChunkSecurity::Unprotect(const QByteArray& chunk, qsizetype headersSize,
                                      bool asymmetric) const {
    if (!asymmetric && !receiving_)
        throw UaDecodeError(QStringLiteral("Secured chunk before the channel's keys"));
    if (chunk.size() < headersSize)
        throw UaDecodeError(QStringLiteral("Chunk shorter than its headers"));
    const bool encrypts = Encrypts(asymmetric);
    QByteArray plain =
        encrypts ? chunk.left(headersSize) + Decrypt(chunk.mid(headersSize), asymmetric) : chunk;
    const qsizetype signature = SignatureBytes(asymmetric, false);
    if (plain.size() - headersSize < signature + 8)
        throw UaDecodeError(QStringLiteral("Secured chunk too short for its signature"));
    const QByteArray signed_ = plain.left(plain.size() - signature);
    if (!Verify(signed_, plain.right(signature), asymmetric))
        throw UaDecodeError(QStringLiteral("Chunk signature does not verify"));
    qsizetype end = signed_.size();
    if (encrypts) {
        const bool extra = asymmetric && ExtraPaddingByte(CipherBlock(asymmetric, true));
        qsizetype padding = quint8(signed_[end - 1]);
        if (extra) padding = (padding << 8) | quint8(signed_[end - 2]);
        const qsizetype sizeBytes = extra ? 2 : 1;
        if (padding + sizeBytes > end - headersSize - 8)
            throw UaDecodeError(QStringLiteral("Chunk padding longer than the chunk"));
        end -= padding + sizeBytes;
        for (qsizetype i = end; i < end + padding; ++i)
            if (quint8(signed_[i]) != quint8(padding & 0xFF))
                throw UaDecodeError(QStringLiteral("Chunk padding is malformed"));
    }
    plain = signed_.left(end);
    WriteSize(plain);
    return plain;
}
