#include "plot/iPlotAxisTicks.h"

#include "instruments/framework/Idateutils.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

enum class StepUnit { Value, Month, Year };

struct TickStep {
    double Size = 0;
    int64_t Count = 1;
    StepUnit Unit = StepUnit::Value;
};

// Month steps start within 1899-12-30 to 9000-01-01, year steps from about 1400, and both
// walk at most 100 years beyond, so that the calendar arithmetic stays in range.
constexpr double MonthStepMinFirst = 0;
constexpr double YearStepMinFirst = -182625;
constexpr double CalendarStepMinLast = 2593224;
constexpr double CalendarStepSpanMax = 36525;
constexpr double MaxYearStep = 100;

constexpr double MsPerDay = 86400000;

class TickBuilder {
public:
    TickBuilder(const TiPlotAxisMap& map, bool log, const std::function<QString(double)>& label)
        : map_(map), log_(log), label_(label) {}

    bool Full() const { return steps_ >= MaxPlotAxisTicks; }

    void Add(double value, int style) {
        ++steps_;
        if (!map_.PointOnScale(value) || (log_ && !(value > 0))) return;
        TiPlotTick tick{style, value, QString(), 0, true};
        if (style == PlotTickMajor && label_) tick.Label = label_(value);
        ticks_.push_back(std::move(tick));
    }

    std::vector<TiPlotTick> Take() { return std::move(ticks_); }

private:
    const TiPlotAxisMap& map_;
    bool log_;
    const std::function<QString(double)>& label_;
    std::vector<TiPlotTick> ticks_;
    int steps_ = 0;
};

int LabelRoom(int spanLength, int maxLabelLengthPixels) {
    // A label of no length would divide by zero.
    const int room = Trunc(double(spanLength) / std::max(1, maxLabelLengthPixels)) + 1;
    return std::clamp(room, 1, MaxPlotAxisMajorSteps);
}

// Steps of 1, 2 and 5 times a power of ten: the smallest whose count fits n.
TickStep LinearStep(double span, int n) {
    int exponent = Trunc(std::log10(span) - 1 - std::log10(double(n)));
    for (int tries = 0; tries < 700; ++tries, ++exponent)
        for (double mantissa : {1.0, 2.0, 5.0}) {
            const double step = mantissa * std::pow(10.0, exponent);
            if (n >= span / step) return {step, Round64(span / step)};
        }
    return {span, 1};
}

// The first of 1, 2, 5, 10, 20, 50, ... that fits; the count of decades is bounded because
// the steps reach infinity, which fits every span.
template <typename Fits> double FirstDecadeStep(Fits fits) {
    double decade = 1;
    while (true) {
        for (double mantissa : {1.0, 2.0, 5.0})
            if (fits(mantissa * decade)) return mantissa * decade;
        decade *= 10;
    }
}

struct Candidates {
    int64_t Units;
    double UnitsPerDay;
    std::vector<int> Steps;
};

// The span in whole units of each size, from milliseconds to days, is counted from one
// rounding to milliseconds, so no unit saturates before the next is tried.
TickStep DateTimeStep(double span, int n) {
    const int64_t ms = Round64(span * MsPerDay);
    const int64_t days = Trunc64(span);
    const std::array<Candidates, 5> units{{
        {ms, MsPerDay, {1, 2, 5, 10, 20, 50, 100, 200, 500}},
        {ms / 1000, 86400, {1, 2, 5, 10, 15, 20, 30}},
        {ms / 60000, 1440, {1, 2, 5, 10, 15, 20, 30}},
        {ms / 3600000, 24, {1, 2, 4, 6, 12}},
        {days, 1, {1, 7, 14}},
    }};
    for (const Candidates& unit : units)
        for (int candidate : unit.Steps)
            if (n >= unit.Units / candidate)
                return {candidate / unit.UnitsPerDay, std::max<int64_t>(1, unit.Units / candidate)};
    constexpr std::array<std::pair<int, int64_t>, 4> months{{{1, 31}, {2, 61}, {3, 92}, {6, 183}}};
    for (const auto& [months_, divisor] : months)
        if (n >= days / divisor)
            return {double(months_), std::max<int64_t>(1, days / divisor), StepUnit::Month};
    const auto yearsFit = [&](double years) {
        return n >= std::floor(double(days) / (365 * years));
    };
    // Calendar steps walk at most CalendarStepSpanMax, so a longer step would leave one tick.
    const double years = std::min(FirstDecadeStep(yearsFit), MaxYearStep);
    return {years, std::max<int64_t>(1, Trunc64(double(days) / (365 * years))), StepUnit::Year};
}

TickStep Price32ndsStep(double span, int n) {
    const auto fits = [&](double step) { return n >= span / step; };
    for (double step = 1.0 / 256; step < 1; step *= 2)
        if (fits(step)) return {step, Trunc64(span / step)};
    const double step = FirstDecadeStep(fits);
    return {step, Trunc64(span / step)};
}

double DesiredIncrementOf(const TiPlotAxisTickRequest& request) {
    // A negative increment would step away from the range for ever.
    const double increment = request.DesiredIncrement;
    return increment > 0 && std::isfinite(increment) ? increment : 0;
}

TickStep ChooseStep(double span, int& n, int spanLength, int minorCount,
                    const TiPlotAxisTickRequest& request) {
    if (span <= 1e-299) return {span, 1};
    TickStep step;
    const double increment = DesiredIncrementOf(request);
    const double steps = increment != 0 ? span / increment : 0;
    if (increment != 0 && !request.LabelsVisible && steps < spanLength / (minorCount + 1.0)) {
        n = int(std::clamp<int64_t>(Round64(steps), 1, MaxPlotAxisMajorSteps));
        step = {increment, n};
    } else if (increment != 0 && n > steps) {
        step = {increment, Round64(steps)};
    } else if (request.FormatStyle == iptfDateTime) {
        step = DateTimeStep(span, n);
    } else if (request.FormatStyle == iptfPrice32nds) {
        step = Price32ndsStep(span, n);
    } else {
        step = LinearStep(span, n);
    }
    if (step.Count > n) step = {span / n, n};
    return step;
}

double Advance(double value, const TickStep& step) {
    switch (step.Unit) {
    case StepUnit::Month:
        return IncMonth(value, Trunc64(step.Size));
    case StepUnit::Year:
        return IncYear(value, Trunc(step.Size));
    case StepUnit::Value:
        break;
    }
    return value + step.Size;
}

double Retreat(double value, const TickStep& step) {
    switch (step.Unit) {
    case StepUnit::Month:
        return IncMonth(value, -Trunc64(step.Size));
    case StepUnit::Year:
        return IncYear(value, -Trunc(step.Size));
    case StepUnit::Value:
        break;
    }
    return value - step.Size;
}

// The first of the month or year that holds min, rounded down to a multiple of the step and
// taken one step further back; min when no such date exists.
double CalendarStart(double min, const TickStep& step) {
    uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    DecodeDateTime(min, year, month, day, hour, minute, second, ms);
    const int size = Trunc(step.Size);
    const bool months = step.Unit == StepUnit::Month;
    const int startMonth = months ? std::max(1, month / size * size) : 1;
    const int startYear = months ? year : std::max(1, year / size * size);
    TDateTime start = min;
    if (!TryEncodeDateTime(uint16_t(startYear), uint16_t(startMonth), 1, 0, 0, 0, 0, start))
        return min;
    return Retreat(start, step);
}

struct Bounds {
    double Min;
    double Max;
};

// Calendar steps work on a copy of the range limited to where the calendar holds; the axis's
// own range is never written.
Bounds StepBounds(double min, double span, StepUnit unit) {
    if (unit == StepUnit::Value) return {min, min + span};
    const double first = unit == StepUnit::Month ? MonthStepMinFirst : YearStepMinFirst;
    const double local = std::clamp(min, first, CalendarStepMinLast);
    return {local, std::clamp(min + span, local, CalendarStepMinLast + CalendarStepSpanMax)};
}

double FirstTick(const Bounds& bounds, const TickStep& step, double desiredStart) {
    if (desiredStart != 0 && desiredStart >= bounds.Min && desiredStart <= bounds.Max) {
        double value = desiredStart;
        for (int tries = 0; value > bounds.Min && tries < MaxPlotAxisTicks; ++tries) {
            const double back = Retreat(value, step);
            if (back == value) break;
            value = back;
        }
        return value;
    }
    if (step.Unit != StepUnit::Value) return CalendarStart(bounds.Min, step);
    return std::trunc(bounds.Min / step.Size) * step.Size - step.Size;
}

void AddSteppedTicks(TickBuilder& builder, const Bounds& bounds, const TickStep& step,
                     int minorCount, double desiredStart) {
    double value = FirstTick(bounds, step, desiredStart);
    const double last = Advance(bounds.Max, step);
    const double minorStep = step.Size / (minorCount + 1);
    const bool minors = minorCount >= 1 && step.Unit == StepUnit::Value && minorStep != 0;
    // Every advance must move the value: a step lost in its precision would repeat it.
    const auto advance = [&value](double next) {
        if (next == value) return false;
        value = next;
        return true;
    };
    while (value <= last && !builder.Full()) {
        builder.Add(value, PlotTickMajor);
        if (!minors) {
            if (!advance(Advance(value, step))) return;
            continue;
        }
        for (int k = 0; k < minorCount && !builder.Full(); ++k) {
            if (!advance(value + minorStep)) return;
            builder.Add(value, PlotTickMinor);
        }
        if (!advance(value + minorStep)) return;
    }
}

void AddLogTicks(TickBuilder& builder, double min, double span, int n) {
    const double low = min > 0 ? min : 1;
    const double decades = std::log10(low + span) - std::log10(low);
    const double top = span + low;
    if (n >= decades) {
        for (int e = Trunc(std::log10(low)) - 1; std::pow(10.0, e) <= top && !builder.Full(); ++e) {
            const double decade = std::pow(10.0, e);
            builder.Add(decade, PlotTickMajor);
            for (int k = 2; k <= 9; ++k)
                builder.Add(k * decade, PlotTickMinor);
        }
        return;
    }
    int stride = 200;
    for (int d : {2, 5, 10, 20, 50, 100})
        if (n >= decades / d) {
            stride = d;
            break;
        }
    for (int e = Trunc(std::log10(low)); std::pow(10.0, e) <= top && !builder.Full(); e += stride)
        builder.Add(std::pow(10.0, e), PlotTickMajor);
}

} // namespace

TiPlotAxisTicks TiPlotAxisTicks::Compute(const TiPlotAxisRange& Range, const TiPlotAxisMap& Map,
                                         const TiPlotAxisTickRequest& Request) {
    TiPlotAxisTicks result;
    const double min = Range.Min();
    const double span = Range.Span();
    if (!std::isfinite(min) || !std::isfinite(span) || !(span > 0)) return result;
    const int spanLength = Map.GetSpanLength();
    int n = LabelRoom(spanLength, Request.MaxLabelLengthPixels);
    const int minorCount = std::clamp(Request.MinorCount, 0, MaxPlotAxisMinorCount);
    TickBuilder builder(Map, Range.IsLog(), Request.LabelText);
    const double low = min > 0 ? min : 1;
    if (Range.IsLog() && std::log10(low + span) - std::log10(low) > 1) {
        AddLogTicks(builder, min, span, n);
    } else {
        const TickStep step = ChooseStep(span, n, spanLength, minorCount, Request);
        if (!(step.Size > 0) || !std::isfinite(step.Size)) return result;
        result.MonthSteps = step.Unit == StepUnit::Month;
        result.YearSteps = step.Unit == StepUnit::Year;
        AddSteppedTicks(builder, StepBounds(min, span, step.Unit), step, minorCount,
                        Request.DesiredStart);
    }
    result.Ticks = builder.Take();
    result.UpdatePixels(Map);
    return result;
}

void TiPlotAxisTicks::UpdatePixels(const TiPlotAxisMap& Map) {
    for (TiPlotTick& tick : Ticks) {
        tick.Visible = Map.PointOnScale(tick.Position);
        tick.Pixel = Map.PositionToPixels(tick.Position);
    }
}
