#include "UaTestPeer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>

namespace {

// Loading the standard address space twice takes a few seconds, far more on a loaded machine.
constexpr int StartTimeoutMs = 30000;
constexpr int StopTimeoutMs = 5000;
constexpr qint64 LogTailBytes = 2000;

QString PeerFolder() {
    return QStringLiteral(MODULATION_SOURCE_DIR "/tests/opcua/peer");
}

QString NodeProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("node"));
}

QString LoopbackUrl(quint16 port) {
    return QStringLiteral("opc.tcp://127.0.0.1:%1").arg(port);
}

// A port number of the LISTENING line; 0 for anything else.
quint16 ParsePort(const QByteArray& word) {
    bool ok = false;
    const uint value = word.toUInt(&ok);
    return ok && value > 0 && value <= 65535 ? quint16(value) : 0;
}

} // namespace

bool UaTestPeer::Available(QString* why) {
    QString reason;
    if (NodeProgram().isEmpty())
        reason = QStringLiteral("node is not on PATH (tools/packages.txt brings nodejs)");
    // npm writes its hidden lockfile last, so a broken install lacks it.
    else if (!QFileInfo::exists(PeerFolder() + "/node_modules/.package-lock.json"))
        reason = QStringLiteral("the OPC UA test peer is not installed: run tools/install-peer.sh");
    if (why) *why = reason;
    return reason.isEmpty();
}

UaTestPeer::UaTestPeer() {
    process_.setWorkingDirectory(PeerFolder());
    // A file, not a pipe: nobody drains stderr while a test blocks, and a full pipe would
    // stall the peer.
    process_.setStandardErrorFile(folder_.filePath(QStringLiteral("peer.log")), QIODevice::Append);
}

UaTestPeer::~UaTestPeer() {
    Stop();
}

bool UaTestPeer::Start(quint16 port, quint16 securePort) {
    Stop();
    error_.clear();
    if (!folder_.isValid())
        return Fail(QStringLiteral("no temporary folder: ") + folder_.errorString());
    process_.start(NodeProgram(),
                   {QStringLiteral("server.js"), QStringLiteral("--port"), QString::number(port),
                    QStringLiteral("--secure-port"), QString::number(securePort),
                    QStringLiteral("--pki"), folder_.filePath(QStringLiteral("pki"))});
    if (!process_.waitForStarted(StopTimeoutMs))
        return Fail(QStringLiteral("node did not start: ") + process_.errorString());
    return WaitForListening();
}

bool UaTestPeer::Restart() {
    return Start(port_, securePort_);
}

void UaTestPeer::Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.closeWriteChannel();
    if (!process_.waitForFinished(StopTimeoutMs)) Kill();
}

void UaTestPeer::Kill() {
    if (process_.state() == QProcess::NotRunning) return;
    // A process still starting has no id yet, and kill(0) would hit this whole process group.
    if (const qint64 pid = process_.processId(); pid > 0) ::kill(pid_t(pid), SIGKILL);
    process_.waitForFinished(StopTimeoutMs);
}

void UaTestPeer::Send(const QString& command) {
    process_.write(command.toUtf8() + '\n');
    process_.waitForBytesWritten(StopTimeoutMs);
}

bool UaTestPeer::WaitForExit(int milliseconds) {
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(milliseconds);
}

bool UaTestPeer::Running() const {
    return process_.state() == QProcess::Running;
}

QString UaTestPeer::EndpointUrl() const {
    return LoopbackUrl(port_);
}

QString UaTestPeer::SecureEndpointUrl() const {
    return LoopbackUrl(securePort_);
}

bool UaTestPeer::WaitForListening() {
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!process_.canReadLine()) {
        if (process_.state() != QProcess::Running)
            return Fail(QStringLiteral("the peer ended before listening"));
        if (deadline.hasExpired())
            return Fail(
                QStringLiteral("the peer did not listen within %1 s").arg(StartTimeoutMs / 1000));
        process_.waitForReadyRead(int(deadline.remainingTime()));
    }
    const QByteArray line = process_.readLine().trimmed();
    const QList<QByteArray> words = line.split(' ');
    const quint16 port = words.size() == 3 ? ParsePort(words[1]) : 0;
    const quint16 securePort = words.size() == 3 ? ParsePort(words[2]) : 0;
    if (words[0] != "LISTENING" || port == 0 || securePort == 0)
        return Fail(QStringLiteral("unexpected first line: ") + QString::fromUtf8(line));
    port_ = port;
    securePort_ = securePort;
    return true;
}

// Leaves nothing running: a peer that did not come up right is no peer to test against.
bool UaTestPeer::Fail(const QString& why) {
    Kill();
    error_ = why + QStringLiteral("\n") + LogTail();
    return false;
}

QString UaTestPeer::LogTail() const {
    QFile log(folder_.filePath(QStringLiteral("peer.log")));
    if (!log.open(QIODevice::ReadOnly)) return {};
    log.seek(qMax<qint64>(0, log.size() - LogTailBytes));
    return QString::fromUtf8(log.readAll());
}
