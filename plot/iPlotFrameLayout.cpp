#include "plot/iPlotFrameLayout.h"

#include "platform/Canvas.h"

bool TiPlotFrameLayout::CurrentFor(const TiPlotLayoutFrame& Measures, uint64_t Changes) const {
    return Serial > 0 && Frame == Measures && ChangeCount == Changes;
}

bool TiPlotFrameLayout::MeasuredOn(const TCanvas& Canvas) const {
    return CanvasKind && *CanvasKind == typeid(Canvas);
}
