#include "PlotComponentTestSupport.h"

#include "platform/Exception.h"

PaintLog* LoggingObject::Log = nullptr;

void LoggingObject::Draw(TCanvas& Canvas, TColor) {
    if (Log) {
        Log->Drawn.push_back(Name());
        Log->Clips.push_back(Canvas.ClipRect());
    }
    if (Throw) throw Exception(QStringLiteral("Draw failed"));
}
