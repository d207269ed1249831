// The base of instruments that show or set one value within a range: the position, its
// running extremes, limit bands and the position events, telling user changes from program ones.
#pragma once

#include "instruments/framework/iCustomComponent.h"
#include "platform/Colors.h"

#include <functional>
#include <vector>

using TOnPositionLimit = std::function<void(QObject* Sender, int LimitIndex)>;

// A limit band; its pointer fields are stored for the instruments and drawn by none.
struct TiLimitObject {
    double UpperValue = 0;
    double LowerValue = 0;
    int PointerSize = 0;
    int PointerMargin = 0;
    bool DrawScaleSide = false;
    TColor UpperPointerColor = clBlack;
    TColor LowerPointerColor = clBlack;
    bool ShowUpperPointer = false;
    bool ShowLowerPointer = false;
};

class TiPositionComponent : public TiCustomComponent {
    Q_OBJECT
    Q_PROPERTY(double Position READ Position WRITE SetPosition)
    Q_PROPERTY(double PositionMax READ PositionMax WRITE SetPositionMax)
    Q_PROPERTY(double PositionMin READ PositionMin WRITE SetPositionMin)
    Q_PROPERTY(double CurrentMax READ CurrentMax WRITE SetCurrentMax)
    Q_PROPERTY(double CurrentMin READ CurrentMin WRITE SetCurrentMin)
    Q_PROPERTY(bool MinMaxFixed READ MinMaxFixed WRITE SetMinMaxFixed)
    // The maximum once more, always stored, read back without clamping, checks or events.
    Q_PROPERTY(double PositionMax_2 READ PositionMax_2 WRITE SetPositionMax_2 DESIGNABLE false)

public:
    explicit TiPositionComponent(QWidget* parent = nullptr);
    ~TiPositionComponent() override;

    double Position() const { return position_; }
    virtual void SetPosition(double Value);
    double PositionMax() const { return positionMax_; }
    virtual void SetPositionMax(double Value);
    double PositionMin() const { return positionMin_; }
    virtual void SetPositionMin(double Value);
    double CurrentMax() const { return currentMax_; }
    void SetCurrentMax(double Value);
    double CurrentMin() const { return currentMin_; }
    void SetCurrentMin(double Value);
    bool MinMaxFixed() const { return minMaxFixed_; }
    void SetMinMaxFixed(bool Value);
    double PositionMax_2() const { return positionMax_; }
    void SetPositionMax_2(double Value) { positionMax_ = Value; }

    // As SetPosition with OnPositionChange detached; the other events still fire.
    void SetPositionNoEvent(double Value);
    // The fraction 0..1 of the range at Position.
    double PositionPercent() const { return ValuePercent(position_); }
    void SetPositionPercent(double Value);
    // 1 above PositionMax, 0 below PositionMin and whenever the range is empty.
    double ValuePercent(double Value) const;
    void SetPositionMinMax(double Min, double Max);
    void ResetMinMax();

    bool ShowMaxPointer() const { return showMaxPointer_; }
    void SetShowMaxPointer(bool Value);
    bool ShowMinPointer() const { return showMinPointer_; }
    void SetShowMinPointer(bool Value);
    int MinMaxPointerMargin() const { return minMaxPointerMargin_; }
    void SetMinMaxPointerMargin(int Value);
    int MinMaxPointerSize() const { return minMaxPointerSize_; }
    void SetMinMaxPointerSize(int Value);
    TColor MinPointerColor() const { return minPointerColor_; }
    void SetMinPointerColor(TColor Value);
    TColor MaxPointerColor() const { return maxPointerColor_; }
    void SetMaxPointerColor(TColor Value);
    bool MinMaxUserCanMove() const { return minMaxUserCanMove_; }
    void SetMinMaxUserCanMove(bool Value);

    // Limits are addressed by their index in the order added; a bad index raises
    // "Limit Index out of bounds".
    void AddLimit(int PointerSize, int PointerMargin, bool DrawScaleSide, double UpperValue,
                  double LowerValue, TColor UpperPointerColor, TColor LowerPointerColor);
    void RemoveLimit(int Index);
    void RemoveAllLimits();
    int GetLimitCount() const { return int(limits_.size()); }
    double GetLimitUpperValue(int Index) const;
    double GetLimitLowerValue(int Index) const;
    TColor GetLimitUpperPointerColor(int Index) const;
    TColor GetLimitLowerPointerColor(int Index) const;
    int GetLimitPointerMargin(int Index) const;
    int GetLimitPointerSize(int Index) const;
    bool GetLimitShowUpperPointer(int Index) const;
    bool GetLimitShowLowerPointer(int Index) const;
    bool GetLimitDrawScaleSide(int Index) const;
    void SetLimitUpperValue(int Index, double Value);
    void SetLimitLowerValue(int Index, double Value);
    void SetLimitUpperPointerColor(int Index, TColor Value);
    void SetLimitLowerPointerColor(int Index, TColor Value);
    void SetLimitPointerMargin(int Index, int Value);
    void SetLimitPointerSize(int Index, int Value);
    void SetLimitShowUpperPointer(int Index, bool Value);
    void SetLimitShowLowerPointer(int Index, bool Value);
    void SetLimitDrawScaleSide(int Index, bool Value);

    void DoPositionChange();
    // Instruments call it when a user interaction ends (button or key released, wheel
    // turned); it tells only of a position that changed since the last time.
    void DoPositionChangeFinished();

    TNotifyEvent OnPositionChange;
    TNotifyEvent OnCurrentMaxChange;
    TNotifyEvent OnCurrentMinChange;
    TNotifyEvent OnPositionChangeFinished;
    TNotifyEvent OnPositionOverMax;
    TNotifyEvent OnPositionUnderMin;
    TOnPositionLimit OnPositionOverLimit;
    TOnPositionLimit OnPositionUnderLimit;
    TNotifyEvent OnPositionChangeUser;

protected:
    // Sends the position to the live-data binding; nothing in the base.
    virtual void DoOPCPositionChangeFinished() {}
    // Brings the position back into a range that has moved.
    virtual void DoPointerBounds();

    bool PositionChangedSinceFinished() const { return changedSinceFinished_; }
    void ClearPositionChangedSinceFinished() { changedSinceFinished_ = false; }
    // A step the user made in one go (a wheel turn): moved, marked as the user's, finished.
    void StepPositionByUser(double Step);

    // Marks the position changes made while it lives as made by the user, and clears the
    // mark however the scope is left.
    class TiUserPositionChange {
    public:
        explicit TiUserPositionChange(TiPositionComponent& component);
        ~TiUserPositionChange();
        TiUserPositionChange(const TiUserPositionChange&) = delete;
        TiUserPositionChange& operator=(const TiUserPositionChange&) = delete;

    private:
        TiPositionComponent& component_;
    };

private:
    void DoLimitBounds();
    // Into the range, lower end first; raw while loading.
    double ClampExtreme(double Value) const;
    void RaiseLimitEvents();
    void Raise(const TNotifyEvent& event);
    void RaiseOverMaxOrUnderMin();
    TiLimitObject& GetLimitObject(int Index);
    const TiLimitObject& GetLimitObject(int Index) const;
    template <typename T> void SetLimitField(int Index, T TiLimitObject::*Field, T Value);

    std::vector<TiLimitObject> limits_;
    double position_ = 0;
    double positionMax_ = 100;
    double positionMin_ = 0;
    bool showMaxPointer_ = false;
    bool showMinPointer_ = false;
    double currentMin_ = 0;
    double currentMax_ = 0;
    int minMaxPointerMargin_ = 0;
    int minMaxPointerSize_ = 8;
    TColor minPointerColor_ = clYellow;
    TColor maxPointerColor_ = clAqua;
    bool changedSinceFinished_ = false;
    bool minMaxFixed_ = false;
    bool minMaxUserCanMove_ = false;
    bool userGenerated_ = false;
};
