#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The program in a private X server; both end with the test.
class ModulationExecutableTest : public testing::Test {
protected:
    QProcess server;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            GTEST_SKIP() << "Xvfb is not installed";
        // The first display without a socket or a lock, so that parallel runs do not meet.
        int number = 160;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
               QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            ++number;
        const QString display = QStringLiteral(":%1").arg(number);
        server.start(QStringLiteral("Xvfb"),
                     {display, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"});
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        ASSERT_TRUE(WaitFor(
            [&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)); }));
    }

    void TearDown() override {
        for (QProcess* process : {&program, &server}) {
            process->kill();
            process->waitForFinished();
        }
    }

    static bool WaitFor(const std::function<bool()>& condition) {
        const QDeadlineTimer deadline(60000);
        while (!condition() && !deadline.hasExpired())
            QThread::msleep(200);
        return condition();
    }

    QByteArray Run(const QString& tool, const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(tool, arguments);
        process.waitForFinished(20000);
        return process.readAllStandardOutput().trimmed();
    }
};

TEST_F(ModulationExecutableTest, WindowAppearsWithItsTitleAndThePhasorDiscTurns) {
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(MODULATION_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted());
    QString window;
    ASSERT_TRUE(WaitFor([&] {
        const QByteArray found =
            Run("xdotool", {"search", "--onlyvisible", "--name", "modulation numérique"});
        window = QString::fromLatin1(found.split('\n').last());
        return !window.isEmpty();
    })) << "no window titled \"modulation numérique\"";

    const QRect disc(25, 25, 240, 240);
    const auto screenshot = [&] {
        return QImage::fromData(Run("import", {"-window", window, "png:-"})).copy(disc);
    };
    const QImage first = screenshot();
    ASSERT_EQ(first.size(), disc.size());
    EXPECT_TRUE(WaitFor([&] { return screenshot() != first; }));
    EXPECT_EQ(program.state(), QProcess::Running);
}

} // namespace
