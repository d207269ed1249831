#include "PlotTestHost.h"

#include "platform/Exception.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>
#include <utility>

namespace {
int* currentTime = nullptr;
}

TestPlotTimer::TestPlotTimer(std::vector<TestPlotTimer*>& registry) : registry_(registry) {
    registry_.push_back(this);
}

TestPlotTimer::~TestPlotTimer() {
    std::erase(registry_, this);
}

int TestPlotTimer::Now() const {
    return currentTime ? *currentTime : 0;
}

void TestPlotTimer::SetInterval(int Milliseconds) {
    interval_ = Milliseconds;
    if (enabled_) dueAt_ = Now() + interval_;
}

void TestPlotTimer::SetEnabled(bool Value) {
    enabled_ = Value;
    if (Value) dueAt_ = Now() + interval_;
}

void TestPlotTimer::Fire() {
    dueAt_ = Now() + interval_;
    if (const auto tick = OnTimer) tick();
}

TestPlotHost::TestPlotHost() {
    currentTime = &now_;
}

TestPlotHost::~TestPlotHost() {
    if (currentTime == &now_) currentTime = nullptr;
}

void TestPlotHost::MasterChange(QObject*) {
    ++Changes;
}

void TestPlotHost::MasterRemove(QObject* Object) {
    Removed.push_back(Object);
}

void TestPlotHost::InvalidateNow() {
    ++ImmediateRepaints;
    if (auto action = std::exchange(OnInvalidateNowAction, nullptr)) action();
}

void TestPlotHost::Run(std::function<void(TiPlotObject*)>& action, TiPlotObject* object) {
    if (auto run = std::exchange(action, nullptr)) run(object);
}

void TestPlotHost::DoObjectClick(TiPlotObject* Object) {
    Events.push_back(QStringLiteral("Click ") + Object->Name());
    Run(OnClickAction, Object);
}

void TestPlotHost::DoObjectGotFocus(TiPlotObject* Object) {
    Events.push_back(QStringLiteral("GotFocus ") + Object->Name());
    Run(OnGotFocusAction, Object);
}

void TestPlotHost::DoObjectLostFocus(TiPlotObject* Object) {
    Events.push_back(QStringLiteral("LostFocus ") + Object->Name());
}

void TestPlotHost::DoPopUpMenuEvent(TiPlotObject* Object, bool& Cancel, int, int) {
    Events.push_back(QStringLiteral("Popup ") + Object->Name());
    Cancel = CancelPopup;
    Run(OnPopupAction, Object);
}

void TestPlotHost::ShowPopupMenu(int, int) {
    ++PopupsShown;
}

void TestPlotHost::FailOutput() const {
    if (!OutputFailure.isEmpty()) throw Exception(OutputFailure);
}

void TestPlotHost::CopyToClipBoard() {
    Events.push_back(QStringLiteral("CopyToClipBoard"));
    FailOutput();
}

void TestPlotHost::Save() {
    Events.push_back(QStringLiteral("Save"));
    FailOutput();
}

void TestPlotHost::PrintChart() {
    Events.push_back(QStringLiteral("PrintChart"));
    FailOutput();
}

void TestPlotHost::DisableAllTracking() {
    ++DisableAllTrackingCalls;
    master_->SetAllTracking(false);
}

void TestPlotHost::EnableAllTracking() {
    master_->SetAllTracking(true);
}

void TestPlotHost::DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel) {
    ZoomBoxes.push_back(ZoomRect);
    if (OnBeforeZoomBox) OnBeforeZoomBox(ZoomRect, Cancel);
}

void TestPlotHost::DataCursorChange(TiPlotObject* Cursor) {
    ++DataCursorChanges;
    Run(OnDataCursorChangeAction, Cursor);
}

void TestPlotHost::DoDataCursorCustomizeHint(TiPlotObject* Cursor, QString& Text) {
    if (OnDataCursorCustomizeHint) OnDataCursorCustomizeHint(Cursor, Text);
}

void TestPlotHost::ReportPosition(const QString& Event, TiPlotObject* Object) {
    Events.push_back(Event);
    // Kept: every move of a drag reports, and the action runs in each.
    if (auto action = OnPositionChangeAction) action(Object);
}

void TestPlotHost::DoLimitLine1PositionChange(TiPlotObject* Limit, double OldValue,
                                              double NewValue) {
    ReportPosition(QStringLiteral("Line1 %1 %2 %3").arg(Limit->Name()).arg(OldValue).arg(NewValue),
                   Limit);
}

void TestPlotHost::DoLimitLine2PositionChange(TiPlotObject* Limit, double OldValue,
                                              double NewValue) {
    ReportPosition(QStringLiteral("Line2 %1 %2 %3").arg(Limit->Name()).arg(OldValue).arg(NewValue),
                   Limit);
}

void TestPlotHost::DoAnnotationCoordinatesChange(TiPlotObject* Annotation) {
    ReportPosition(QStringLiteral("Coordinates ") + Annotation->Name(), Annotation);
}

void TestPlotHost::DoAnnotationCoordinatesChangeFinished(TiPlotObject* Annotation) {
    ReportPosition(QStringLiteral("CoordinatesFinished ") + Annotation->Name(), Annotation);
}

TiPlotAnnotationDefaults TestPlotHost::AnnotationDefaults() const {
    TiPlotAnnotationDefaults defaults = Defaults;
    defaults.Font = &AnnotationDefaultFont;
    return defaults;
}

TSize TestPlotHost::ImageListImageSize(int ListIndex) const {
    return ListIndex >= 0 && ListIndex < 3 ? ImageSizes[size_t(ListIndex)] : TSize{};
}

void TestPlotHost::DrawImageListImage(TCanvas&, int ListIndex, int ImageIndex, int X, int Y,
                                      bool Enabled) {
    ImagesDrawn.push_back({ListIndex, ImageIndex, X, Y, Enabled});
}

std::unique_ptr<TiPlotTimer> TestPlotHost::CreateTimer() {
    return std::make_unique<TestPlotTimer>(timers_);
}

void TestPlotHost::AdvanceMilliseconds(int ms) {
    const int end = now_ + ms;
    for (;;) {
        TestPlotTimer* next = nullptr;
        for (TestPlotTimer* timer : timers_)
            if (timer->Enabled() && timer->DueAt() <= end &&
                (!next || timer->DueAt() < next->DueAt()))
                next = timer;
        if (!next) break;
        now_ = next->DueAt();
        next->Fire();
    }
    now_ = end;
}

TiPlotObjectHooks CountingHooks::Hooks() {
    return {[this](QObject*) { ++Changes; }, [this](QObject*) { ++Inserts; },
            [this](QObject*) { ++Removes; }, [this](QObject*) { ++Renames; }};
}

QString TestPlotHost::TranslateText(const QString& Text) const {
    return master_ ? master_->FindTranslation(Text) : Text;
}
