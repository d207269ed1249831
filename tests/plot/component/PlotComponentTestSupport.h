// Plots whose paint the tests call directly, and a plot object that logs its drawing, for the
// tests of the plot control.
#pragma once

#include "ExceptionText.h"

#include "platform/RecordingCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotLimit.h"
#include "plot/iXYPlot.h"

#include <QString>
#include <functional>
#include <vector>

// What the logging objects drew, in order, and the clip each saw.
struct PaintLog {
    std::vector<QString> Drawn;
    std::vector<TRect> Clips;
};

// Drawn in every paint it is given; throws from Draw while Throw is set.
class LoggingObject : public TiPlotManagerObject {
    Q_OBJECT

public:
    LoggingObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
        : TiPlotManagerObject(Owner, Hooks) {}

    void DrawSetup(TCanvas&) override { SetDrawSetupDone(true); }
    void Draw(TCanvas& Canvas, TColor) override;

    // Notes a drawn object's name and the clip it saw.
    static void Record(const QString& Name, const TCanvas& Canvas);

    bool Throw = false;
    static PaintLog* Log;
};

// The master tells kinds apart by class.
class LoggingChannel : public LoggingObject {
    Q_OBJECT

public:
    using LoggingObject::LoggingObject;
};

class LoggingLimit : public TiPlotLimit {
    Q_OBJECT

public:
    using TiPlotLimit::TiPlotLimit;
    void Draw(TCanvas& Canvas, TColor) override { LoggingObject::Record(Name(), Canvas); }
};

class LoggingAnnotation : public TiPlotAnnotation {
    Q_OBJECT

public:
    using TiPlotAnnotation::TiPlotAnnotation;
    void Draw(TCanvas& Canvas, TColor) override { LoggingObject::Record(Name(), Canvas); }
};

// The control's paint, callable by the tests, and its repaint requests counted.
template <class Plot> class TestablePlot : public Plot {
public:
    using Plot::AddDefaultObjects;
    using Plot::iDoubleClick;
    using Plot::iKeyDown;
    using Plot::iMouseDown;
    using Plot::iMouseMove;
    using Plot::iMouseUp;
    using Plot::iMouseWheel;
    using Plot::iPaintTo;
    using Plot::iWantSpecialKey;

    int Repaints = 0;

protected:
    void DoRepaint() override {
        ++Repaints;
        Plot::DoRepaint();
    }
};

using TestStripPlot = TestablePlot<TiPlot>;
using TestXYPlot = TestablePlot<TiXYPlot>;

// A plot control without default objects.
class TestBarePlot : public TestablePlot<TiPlotComponent> {};
