#include "PlotComponentTestSupport.h"

#include "platform/Exception.h"

PaintLog* LoggingObject::Log = nullptr;

void LoggingObject::Record(const QString& Name, const TCanvas& Canvas) {
    if (!Log) return;
    Log->Drawn.push_back(Name);
    Log->Clips.push_back(Canvas.ClipRect());
}

void LoggingObject::Draw(TCanvas& Canvas, TColor) {
    Record(Name(), Canvas);
    if (Throw) throw Exception(QStringLiteral("Draw failed"));
}
