// Runs the event loop until a condition holds or time is up, measuring the longest stretch
// the loop went without running a 5 ms timer: what a user would feel as a frozen window. On a
// machine shared with other work that stretch includes the time the thread waited for a
// processor, so the thread's own processor time between two ticks is measured beside it.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <ctime>

class EventLoopWatch {
public:
    template <class Done> bool RunUntil(Done done, int timeoutMs) {
        if (done()) return true;
        QElapsedTimer total;
        total.start();
        QElapsedTimer sinceTick;
        sinceTick.start();
        double busySince = ThreadMilliseconds();
        // The loop sleeps between events, as a program's does; the tick both measures and
        // looks at the condition.
        QEventLoop loop;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            longestGapMs = std::max<qint64>(longestGapMs, sinceTick.restart());
            const double busy = ThreadMilliseconds();
            longestBusyMs = std::max(longestBusyMs, busy - busySince);
            busySince = busy;
            if (done() || total.elapsed() >= timeoutMs) loop.quit();
        });
        tick.start();
        loop.exec();
        return done();
    }
    // Runs the loop for the whole time.
    void Run(int ms) {
        RunUntil([] { return false; }, ms);
    }

    qint64 longestGapMs = 0;
    double longestBusyMs = 0;

private:
    static double ThreadMilliseconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }
};
