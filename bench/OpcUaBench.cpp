// The OPC UA client's decoding of data changes against the test peer's own client, and the
// end-to-end delivery of 1 000 items at 100 ms from the peer, with the event loop's longest
// stall. Summary lines after the table.
#include "BenchReporter.h"
#include "EventLoopWatch.h"
#include "UaTestPeer.h"
#include "opcua/UaClient.h"
#include "opcua/UaSecureConversation.h"
#include "opcua/UaSubscription.h"
#include "opcua/UaValueConversion.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <sys/resource.h>

namespace {

constexpr int Items = 1000;

// What the callbacks of a group see: one call per data change.
class CountingCallback : public TDataAccessDataCallback {
public:
    void OnDataChange(quint32, const std::vector<TDataAccessItemValue>& values) override {
        for (const TDataAccessItemValue& value : values)
            sum += value.Value.toDouble();
    }
    void OnWriteComplete(quint32, quint32, const std::optional<EDataAccessError>&) override {}
    double sum = 0;
};

// A publish response of 1 000 Double changes, as a server sends it on the wire.
QByteArray PublishStream() {
    UaPublishResponse response;
    response.SubscriptionId = 1;
    UaDataChangeNotification changes;
    for (int i = 0; i < Items; ++i) {
        UaMonitoredItemNotification& change = changes.MonitoredItems.emplace_back();
        change.ClientHandle = quint32(i);
        change.Value.Value = UaVariant::Scalar(UaBuiltInType::Double, std::sin(i) * 100);
        change.Value.SourceTimestamp = UaDateTimeNow();
        change.Value.ServerTimestamp = change.Value.SourceTimestamp;
    }
    response.NotificationMessage.SequenceNumber = 7;
    response.NotificationMessage.NotificationData.push_back(changes);
    UaChunkWriter writer;
    writer.SetLimits(65536, 0, 0);
    QByteArray stream;
    for (const QByteArray& chunk : writer.Encode("MSG", 1, 1, 5, EncodeBody(response)))
        stream += chunk;
    return stream;
}

// The road of a publish response from the socket's bytes to the group's callbacks.
void DecodePublish(benchmark::State& state) {
    const QByteArray stream = PublishStream();
    CountingCallback callback;
    TDataAccessDataCallback* callbacks = &callback;
    for (auto _ : state) {
        UaChunkReader reader;
        UaMessageAssembler assembler;
        reader.Append(stream);
        std::vector<TDataAccessItemValue> values;
        while (auto chunk = reader.Next()) {
            const auto message = assembler.Add(*chunk);
            if (!message) continue;
            UaBinaryReader body(message->Body);
            const auto response = DecodeResponse<UaPublishResponse>(body);
            const auto& changes = std::get<UaDataChangeNotification>(
                response.NotificationMessage.NotificationData[0]);
            values.reserve(changes.MonitoredItems.size());
            for (const UaMonitoredItemNotification& change : changes.MonitoredItems)
                values.push_back(UaItemValue(change.ClientHandle, change.Value));
        }
        callbacks->OnDataChange(1, values);
    }
    benchmark::DoNotOptimize(callback.sum);
    state.SetItemsProcessed(state.iterations() * Items);
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The peer's own client on the same items: CPU nanoseconds per notification, from its script.
std::optional<double> PeerClientNanos(int seconds) {
    QProcess node;
    node.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    node.start(QStringLiteral("node"),
               {QStringLiteral(MODULATION_SOURCE_DIR "/bench/opcua/peer_client.js"),
                QStringLiteral("--duration"), QString::number(seconds)});
    if (!node.waitForFinished((seconds + 180) * 1000)) {
        node.kill();
        node.waitForFinished();
        return std::nullopt;
    }
    const QByteArray last = node.readAllStandardOutput().trimmed().split('\n').last();
    const QJsonObject result = QJsonDocument::fromJson(last).object();
    if (!result.contains(QStringLiteral("cpuNanosPerNotification"))) return std::nullopt;
    return result.value(QStringLiteral("cpuNanosPerNotification")).toDouble();
}

struct EndToEnd {
    long long notifications = 0;
    long long lost = 0;
    qint64 longestGapMs = 0;
    double longestBusyMs = 0;
    double cpuNanosPerNotification = 0;
};

// 1 000 items at a 100 ms publishing interval for the given time, every change queued.
std::optional<EndToEnd> RunEndToEnd(int seconds) {
    UaTestPeer peer;
    if (!peer.Start()) {
        std::fprintf(stderr, "peer: %s\n", qPrintable(peer.Error()));
        return std::nullopt;
    }
    UaClient client;
    client.Connect(*UaEndpointUrl::Parse(peer.EndpointUrl()));
    EventLoopWatch setup;
    if (!setup.RunUntil([&] { return client.IsConnected(); }, 30000)) return std::nullopt;
    std::vector<double> last(Items, -1);
    EndToEnd result;
    UaSubscription subscription(client, 100, [&](const auto& values) {
        for (const UaMonitoredItemNotification& value : values) {
            if (value.ClientHandle >= quint32(Items)) continue;
            const double v = value.Value.Value.ToDouble().value_or(-1);
            double& previous = last[value.ClientHandle];
            if (previous >= 0 && v != previous + 1000) ++result.lost;
            previous = v;
            ++result.notifications;
        }
    });
    for (int i = 0; i < Items; ++i)
        subscription.AddItem(
            quint32(i),
            UaNodeId::String(1, QStringLiteral("Many.%1").arg(i, 4, 10, QLatin1Char('0'))), 0, 4);
    if (!setup.RunUntil(
            [&] { return std::all_of(last.begin(), last.end(), [](double v) { return v >= 0; }); },
            30000))
        return std::nullopt;
    result = EndToEnd{};
    const double cpuBefore = CpuSeconds();
    EventLoopWatch measured;
    measured.Run(seconds * 1000);
    result.longestGapMs = measured.longestGapMs;
    result.longestBusyMs = measured.longestBusyMs;
    if (result.notifications > 0)
        result.cpuNanosPerNotification =
            (CpuSeconds() - cpuBefore) * 1e9 / double(result.notifications);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("OPCUA/Decode/Publish1000", DecodePublish);
    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const int seconds = qEnvironmentVariableIntValue("OPCUA_BENCH_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("OPCUA_BENCH_SECONDS")
                            : 60;
    const double ours = reporter.NanosecondsPerItem("OPCUA/Decode/Publish1000");
    if (const auto peer = PeerClientNanos(20); peer && ours > 0)
        std::printf("OPCUA/Decode/Publish1000: %.0f ns CPU per notification (%.1f M/s); peer "
                    "client: %.0f ns CPU per notification; ratio %.1f\n",
                    ours, 1e3 / ours, *peer, *peer / ours);
    else
        std::printf(
            "OPCUA/Decode/Publish1000: %.0f ns CPU per notification; peer client: not run\n", ours);
    if (const auto run = RunEndToEnd(seconds))
        std::printf("OPCUA/EndToEnd/1000x100ms: %lld notifications in %d s, %lld lost, longest "
                    "event-loop gap %lld ms (busy %.1f ms), %.0f ns CPU per notification\n",
                    run->notifications, seconds, run->lost, run->longestGapMs, run->longestBusyMs,
                    run->cpuNanosPerNotification);
    else
        std::printf("OPCUA/EndToEnd/1000x100ms: not run (no peer)\n");
    return 0;
}
