#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int StartTimeout = 60000;

// A private X server and the program running in it; both end with the test.
class ModulationExecutableTest : public testing::Test {
protected:
    QProcess server;
    QProcess program;
    QString display;

    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(StartServer());
    }

    void TearDown() override {
        for (QProcess* process : {&program, &server}) {
            if (process->state() == QProcess::NotRunning) continue;
            process->kill();
            process->waitForFinished();
        }
    }

    // The first display number without a socket or a lock, so parallel runs do not meet.
    bool StartServer() {
        for (int number = 160; number < 200; ++number) {
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            if (QFile::exists(socket) ||
                QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
                continue;
            display = QStringLiteral(":%1").arg(number);
            server.start(QStringLiteral("Xvfb"),
                         {display, QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("1600x1000x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
            QDeadlineTimer deadline(10000);
            while (!QFile::exists(socket) && server.state() != QProcess::NotRunning &&
                   !deadline.hasExpired())
                QThread::msleep(50);
            if (QFile::exists(socket)) return true;
            server.kill();
            server.waitForFinished();
        }
        return false;
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return environment;
    }

    QByteArray Run(const QString& tool, const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(Environment());
        process.start(tool, arguments);
        process.waitForFinished(20000);
        return process.readAllStandardOutput();
    }

    QString FindWindow(const QString& title) const {
        QDeadlineTimer deadline(StartTimeout);
        while (!deadline.hasExpired() && program.state() == QProcess::Running) {
            const QByteArray found = Run(QStringLiteral("xdotool"),
                                         {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                          QStringLiteral("--name"), title});
            const QList<QByteArray> ids = found.trimmed().split('\n');
            if (!ids.last().isEmpty()) return QString::fromLatin1(ids.last());
            QThread::msleep(200);
        }
        return {};
    }

    QImage Screenshot(const QString& window) const {
        return QImage::fromData(Run(QStringLiteral("import"),
                                    {QStringLiteral("-window"), window, QStringLiteral("png:-")}));
    }
};

TEST_F(ModulationExecutableTest, WindowAppearsWithItsTitleAndThePhasorDiscTurns) {
    program.setProcessEnvironment(Environment());
    program.start(QStringLiteral(MODULATION_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted());
    const QString window = FindWindow(QStringLiteral("modulation numérique"));
    ASSERT_FALSE(window.isEmpty()) << "no window titled \"modulation numérique\"";

    const QRect disc(25, 25, 240, 240);
    const QImage first = Screenshot(window);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(963, 597));
    QImage second;
    QDeadlineTimer deadline(10000);
    do {
        QThread::msleep(300);
        second = Screenshot(window);
    } while (second.copy(disc) == first.copy(disc) && !deadline.hasExpired());
    EXPECT_NE(second.copy(disc), first.copy(disc));
    EXPECT_EQ(program.state(), QProcess::Running);
}

} // namespace
