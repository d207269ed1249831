// A clickable rectangle owned by a toolbar, legend or table, which places it, draws it and
// sets its hooks. Held down with AutoRepeat it clicks after 500 ms, then every 50 ms.
#pragma once

#include "plot/iPlotObjects.h"

#include <memory>

class TiPlotButton : public TiPlotObject {
    Q_OBJECT

public:
    static constexpr int FirstRepeatDelay = 500;
    static constexpr int RepeatInterval = 50;

    // Buttons are created without hooks; their owner sets the ones it needs.
    explicit TiPlotButton(TiPlotHost* Owner);
    ~TiPlotButton() override;

    TRect DrawRect() const { return drawRect_; }
    void SetDrawRect(const TRect& Value) { drawRect_ = Value; }
    int GetWidth() const { return drawRect_.Width(); }
    int GetHeight() const { return drawRect_.Height(); }
    bool Down() const { return down_; }
    void SetDown(bool Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value) { groupIndex_ = Value; }
    bool AutoRepeat() const { return autoRepeat_; }
    void SetAutoRepeat(bool Value) { autoRepeat_ = Value; }
    bool Repeating() const { return repeatTimer_ != nullptr; }

    // Disabling also stops the auto-repeat.
    void SetEnabled(bool Value) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnGroupClick;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDownChange;

protected:
    // A destroyed button calls none of its owner's hooks any more.
    void BeforeDestruction() override;
    void DoMouseLeft(const TiPlotMouseData& MouseData) override;
    void DoMouseMove(const TiPlotMouseData& MouseData) override;
    void DoMouseUp(const TiPlotMouseData& MouseData) override;

private:
    void RepeatTimerTick();
    void DestroyRepeatTimer();

    TRect drawRect_;
    bool down_ = false;
    int groupIndex_ = 0;
    bool autoRepeat_ = false;
    bool firstRepeat_ = false;
    std::unique_ptr<TiPlotTimer> repeatTimer_;
};

// A scroll button of a legend or a table: a raised face (sunken while held) with a small
// triangle pointing up or down, black when enabled and gray when not; it auto-repeats.
class TiPlotScrollButton : public TiPlotButton {
    Q_OBJECT

public:
    TiPlotScrollButton(TiPlotHost* Owner, bool PointsUp);

    bool PointsUp() const { return pointsUp_; }

    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;

private:
    bool pointsUp_;
};
