// The tests' independent OPC UA server: tests/opcua/peer/server.js under Node.js, on
// 127.0.0.1, started and stopped by the test that owns the fixture.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class UaTestPeer {
public:
    // Whether node and the peer's installed packages are there; if not, why (for GTEST_SKIP).
    static bool Available(QString* why);

    UaTestPeer();
    ~UaTestPeer();
    UaTestPeer(const UaTestPeer&) = delete;
    UaTestPeer& operator=(const UaTestPeer&) = delete;

    // Starts the peer (a port of 0: a free one) and waits, at most 30 s, until both ports
    // listen; false with Error() when it does not.
    bool Start(quint16 port = 0, quint16 securePort = 0);
    // Starts it again on the ports it had, with the same certificates.
    bool Restart();
    // Closes the peer's stdin, as a parent going away does, and waits for its end.
    void Stop();
    // SIGKILL, as a crash: connections drop without any goodbye.
    void Kill();
    // One command line to the peer: "shutdown", "exit", "bad", "good" or "auto".
    void Send(const QString& command);
    // Waits for the peer to end by itself, as after "shutdown".
    bool WaitForExit(int milliseconds);
    bool Running() const;

    quint16 Port() const { return port_; }
    quint16 SecurePort() const { return securePort_; }
    QString EndpointUrl() const;
    QString SecureEndpointUrl() const;
    // Why the last start failed, with the end of the peer's log.
    QString Error() const { return error_; }

private:
    bool WaitForListening();
    bool Fail(const QString& why);
    QString LogTail() const;

    QTemporaryDir folder_;
    QProcess process_;
    quint16 port_ = 0;
    quint16 securePort_ = 0;
    QString error_;
};
