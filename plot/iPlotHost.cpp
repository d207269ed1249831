#include "plot/iPlotHost.h"

#include "platform/Exception.h"

#include <QTimer>
#include <algorithm>

TiPlotQtTimer::TiPlotQtTimer() : timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        // A copy, since the tick may destroy this timer and its OnTimer with it. The toolkit's
        // event loop calls the tick and cannot pass an exception on.
        if (const auto tick = OnTimer) RunGuarded(tick);
    });
}

TiPlotQtTimer::~TiPlotQtTimer() {
    // Destroyed from inside its own tick, the timer object must outlive the signal emission.
    timer_->stop();
    timer_->disconnect();
    timer_.release()->deleteLater();
}

int TiPlotQtTimer::Interval() const {
    return timer_->interval();
}

void TiPlotQtTimer::SetInterval(int Milliseconds) {
    timer_->setInterval(std::max(0, Milliseconds));
}

bool TiPlotQtTimer::Enabled() const {
    return timer_->isActive();
}

void TiPlotQtTimer::SetEnabled(bool Value) {
    if (Value)
        timer_->start();
    else
        timer_->stop();
}
