// The plot's hint box: the text an object offers where the pointer rests, shown HintsPause ms
// after it came to rest and hidden HintsHidePause ms later or at the next move, press or release.
#pragma once

#include <QString>

class TCanvas;
class TiPlotComponent;
struct TiHintData;

class TiPlotHintBox {
public:
    explicit TiPlotHintBox(TiPlotComponent& Plot) : plot_(Plot) {}

    bool Showing() const { return showing_; }
    bool Painted() const { return painted_; }
    QString Text() const { return text_; }
    // A hint offered at rest waits HintsPause ms, unless Held: a press is under way or the
    // pointer was just taken from the plot.
    void Offer(const TiHintData& Hint, bool Held);
    // The component timer's tick: a waiting hint shows, a shown one goes. While it shows, the
    // plot holds the pointer so that it sees the pointer leave.
    void Tick();
    void Kill();
    void Draw(TCanvas& Canvas);

private:
    TiPlotComponent& plot_;
    bool showing_ = false;
    bool painted_ = false;
    QString text_;
    int left_ = 0;
    int top_ = 0;
};
