#include "opcua/UaSecureConversation.h"
#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"
#include "opcua/UaChunkReader.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Body(qsizetype size) {
    QByteArray body(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        body[i] = char(i * 7 + 3);
    return body;
}

std::vector<UaChunk> Read(const QList<QByteArray>& chunks, qsizetype step) {
    UaChunkReader reader;
    std::vector<UaChunk> read;
    QByteArray stream;
    for (const QByteArray& chunk : chunks)
        stream += chunk;
    for (qsizetype at = 0; at < stream.size(); at += step) {
        reader.Append(QByteArrayView(stream).sliced(at, std::min(step, stream.size() - at)));
        while (auto chunk = reader.Next())
            read.push_back(*chunk);
    }
    EXPECT_EQ(reader.Buffered(), 0);
    return read;
}

QByteArray Header(const char* type, char chunkType, quint32 size) {
    QByteArray header(type, 3);
    header += chunkType;
    header.resize(8);
    qToLittleEndian<quint32>(size, header.data() + 4);
    return header;
}

} // namespace

TEST(UaSecureConversation, LargeMessageSplitsWithinTheBufferAndJoinsBackWhateverTheReadSizes) {
    UaChunkWriter writer;
    writer.SetLimits(8192, 0, 0);
    const QByteArray body = Body(50000);
    const QList<QByteArray> chunks = writer.Encode("MSG", 7, 3, 42, body);
    ASSERT_EQ(chunks.size(), 7);
    for (const QByteArray& chunk : chunks)
        EXPECT_LE(chunk.size(), 8192);
    EXPECT_EQ(chunks.front()[3], 'C');
    EXPECT_EQ(chunks.back()[3], 'F');

    for (qsizetype step : {1, 5, 8191, 100000}) {
        UaMessageAssembler assembler;
        std::optional<UaSecureMessage> whole;
        for (const UaChunk& chunk : Read(chunks, step)) {
            EXPECT_FALSE(whole) << "a message completed before its final chunk";
            whole = assembler.Add(chunk);
        }
        ASSERT_TRUE(whole) << step;
        EXPECT_EQ(whole->SecureChannelId, 7u);
        EXPECT_EQ(whole->TokenId, 3u);
        EXPECT_EQ(whole->RequestId, 42u);
        EXPECT_EQ(whole->Body, body);
    }
}

TEST(UaSecureConversation, OpenChunkCarriesTheNonePolicyAndNoCertificates) {
    UaChunkWriter writer;
    const QByteArray chunk = writer.EncodeOpen(0, 1, QByteArray("body"));
    UaBinaryReader reader(chunk);
    EXPECT_EQ(reader.Peek(4), QByteArrayView("OPNF"));
    reader.Skip(4);
    EXPECT_EQ(reader.ReadUInt32(), quint32(chunk.size()));
    EXPECT_EQ(reader.ReadUInt32(), 0u);
    EXPECT_EQ(reader.ReadString(), UaSecurityPolicyNone);
    EXPECT_TRUE(reader.ReadByteString().isNull());
    EXPECT_TRUE(reader.ReadByteString().isNull());
    EXPECT_EQ(reader.ReadUInt32(), 1u); // first sequence number
    EXPECT_EQ(reader.ReadUInt32(), 1u); // request id
    EXPECT_EQ(reader.Peek(reader.Remaining()), QByteArrayView("body"));

    UaMessageAssembler assembler;
    const auto message = assembler.Add(Read({chunk}, 3).front());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->SecurityPolicyUri, UaSecurityPolicyNone);
    EXPECT_EQ(message->Body, QByteArray("body"));
}

TEST(UaSecureConversation, AbortEndsTheMessageWithTheSendersReason) {
    UaChunkWriter writer;
    writer.SetLimits(8192, 0, 0);
    QList<QByteArray> chunks = writer.Encode("MSG", 1, 1, 9, Body(9000));
    UaBinaryWriter abortBody;
    abortBody.WriteUInt32(0x80B90000);
    abortBody.WriteString(QStringLiteral("too large"));
    // The abort follows the first chunk in sequence, in place of the second.
    UaChunkWriter abortWriter;
    abortWriter.Encode("MSG", 1, 1, 8, QByteArray("x"));
    QList<QByteArray> abort = abortWriter.Encode("MSG", 1, 1, 9, abortBody.Bytes());
    abort.front()[3] = 'A';
    chunks.removeLast();
    chunks.append(abort.front());
    UaMessageAssembler assembler;
    std::optional<UaSecureMessage> result;
    for (const UaChunk& chunk : Read(chunks, 4096))
        result = assembler.Add(chunk);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Header.ChunkType, 'A');
    EXPECT_EQ(result->Abort.Error, 0x80B90000u);
    EXPECT_EQ(result->Abort.Reason, QStringLiteral("too large"));
    EXPECT_TRUE(result->Body.isEmpty());
}

TEST(UaSecureConversation, SequenceNumbersMustFollowOnAndWrapOnlyNearTheTop) {
    auto chunkWithSequence = [](quint32 sequence) {
        UaBinaryWriter writer;
        writer.WriteUInt32(1); // channel
        writer.WriteUInt32(1); // token
        writer.WriteUInt32(sequence);
        writer.WriteUInt32(5); // request
        UaChunk chunk;
        chunk.Header.MessageType[0] = 'M';
        chunk.Header.MessageType[1] = 'S';
        chunk.Header.MessageType[2] = 'G';
        chunk.Body = writer.Take();
        return chunk;
    };
    UaMessageAssembler assembler;
    EXPECT_TRUE(assembler.Add(chunkWithSequence(UaSequenceWrapLimit + 5)));
    EXPECT_TRUE(assembler.Add(chunkWithSequence(3))); // wrapped
    EXPECT_TRUE(assembler.Add(chunkWithSequence(4)));
    EXPECT_THROW(assembler.Add(chunkWithSequence(4)), UaDecodeError);
    UaMessageAssembler skipping;
    EXPECT_TRUE(skipping.Add(chunkWithSequence(10)));
    EXPECT_THROW(skipping.Add(chunkWithSequence(12)), UaDecodeError);
    UaMessageAssembler early;
    EXPECT_TRUE(early.Add(chunkWithSequence(2000)));
    EXPECT_THROW(early.Add(chunkWithSequence(1)), UaDecodeError);
}

TEST(UaSecureConversation, LimitsAreCheckedBeforeMemoryIsSpent) {
    UaChunkWriter writer;
    writer.SetLimits(8192, 20000, 0);
    EXPECT_THROW(writer.Encode("MSG", 1, 1, 1, Body(20001)), UaDecodeError);
    writer.SetLimits(8192, 0, 2);
    EXPECT_THROW(writer.Encode("MSG", 1, 1, 1, Body(20000)), UaDecodeError);

    UaChunkWriter sender;
    sender.SetLimits(8192, 0, 0);
    const QList<QByteArray> chunks = sender.Encode("MSG", 1, 1, 1, Body(30000));
    UaMessageAssembler fewChunks(0, 3);
    const std::vector<UaChunk> read = Read(chunks, 65536);
    EXPECT_FALSE(fewChunks.Add(read[0]));
    EXPECT_FALSE(fewChunks.Add(read[1]));
    EXPECT_FALSE(fewChunks.Add(read[2]));
    EXPECT_THROW(fewChunks.Add(read[3]), UaDecodeError);
    UaMessageAssembler smallMessages(10000, 0);
    EXPECT_FALSE(smallMessages.Add(read[0]));
    EXPECT_THROW(smallMessages.Add(read[1]), UaDecodeError);
}

TEST(UaChunkReader, RefusesHeadersNoPeerMaySendBeforeWaitingForTheirBody) {
    for (const QByteArray& bad :
         {Header("XYZ", 'F', 16), Header("MSG", 'Q', 16), Header("MSG", 'F', 7),
          Header("MSG", 'F', 65537), Header("ACK", 'F', 0xFFFFFFFF)}) {
        UaChunkReader reader;
        reader.Append(bad);
        EXPECT_THROW(reader.Next(), UaDecodeError) << bad.toHex().constData();
    }
    UaChunkReader waiting;
    waiting.Append(Header("ACK", 'F', 28));
    EXPECT_FALSE(waiting.Next()); // a valid header waits for its 20 bytes
    waiting.Append(QByteArray(20, '\0'));
    const auto chunk = waiting.Next();
    ASSERT_TRUE(chunk);
    EXPECT_TRUE(chunk->Header.Is("ACK"));
    EXPECT_EQ(chunk->Body.size(), 20);
}
