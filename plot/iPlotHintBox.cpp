#include "plot/iPlotHintBox.h"

#include "plot/iPlotComponent.h"

void TiPlotHintBox::Offer(const TiHintData& Hint, bool Held) {
    text_ = Hint.Text;
    left_ = Hint.Left;
    top_ = Hint.Top;
    plot_.TimerStop();
    if (!Held) plot_.TimerStart(0, uint32_t(plot_.HintsPause()));
}

void TiPlotHintBox::Tick() {
    plot_.TimerStop();
    if (showing_) {
        Kill();
        if (QWidget::mouseGrabber() == &plot_) plot_.releaseMouse();
    } else {
        showing_ = true;
        plot_.TimerStart(0, uint32_t(plot_.HintsHidePause()));
        if (QWidget::mouseGrabber() != &plot_) plot_.grabMouse();
    }
    plot_.InvalidateNow();
}

void TiPlotHintBox::Kill() {
    plot_.TimerStop();
    if (painted_) plot_.InvalidateNow();
    showing_ = false;
}

void TiPlotHintBox::Draw(TCanvas& Canvas) {
    painted_ = showing_;
    if (!showing_) return;
    Canvas.SetFont(plot_.HintsFont());
    Canvas.Brush()->SetColor(clInfoBk);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Font()->SetColor(clInfoText);
    const TSize size = Canvas.TextExtent(text_);
    Canvas.FillRect({left_, top_, left_ + size.cx + 4, top_ + size.cy + 4});
    Canvas.TextOut(left_ + 2, top_ + 2, text_);
}
