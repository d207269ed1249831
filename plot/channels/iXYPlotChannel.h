// The channel of the XY plot: points in the order they were added, X in no particular order,
// joined and marked over the whole data set; its data cursor is a cross-hair over the plot area.
#pragma once

#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotAxis.h"

class TiPlotMasterManager;

// What an XY channel's data cursor shows for the pixels of its two pointers: the values of
// those pixels on the axes, as the style combines them; 0 and 0 when an axis is missing.
// ipcsInverseDeltaX is positive infinity where the two X values coincide or CursorScaler is 0.
TiPlotValuePoint XYDataCursorValues(TiPlotDataCursorStyle Style, double Pointer1Pixels,
                                    double Pointer2Pixels, const TiPlotChannelAxis* XAxis,
                                    const TiPlotChannelAxis* YAxis);

class TiXYPlotChannel : public TiPlotChannelCustom, public TiPlotAxisExtentSource {
    Q_OBJECT

public:
    TiXYPlotChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    // Makes this the class of the plot's new channels.
    static void RegisterWith(TiPlotMasterManager& Master);

    // A point (0, 0) marked Null (a break) or Empty (skipped); neither is tracked, counted
    // in the statistics or logged.
    int AddNull();
    int AddEmpty();

    QString GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                     TiPlotDataPointStatus Status);
    // The cursor's values for its pointers' pixels; Text receives what it shows.
    TiPlotValuePoint DataCursorValues(TiPlotDataCursorStyle Style, double Pointer1Pixels,
                                      double Pointer2Pixels, QString& Text);
    // Gives the cursor its values and hint text, whatever the channel's data.
    void DataCursorUpate(TiPlotDataCursor* Cursor) override;

    // Every point is in view.
    int CalcStartXIndex() override;
    int CalcStopXIndex() override;
    double GetVisibleMaxX() const override;
    double GetVisibleMinX() const override;
    double GetVisibleMaxY() override;
    double GetVisibleMinY() override;
    QString BoundAxisName(TiPlotObjectKind AxisKind) const override;
    TiPlotAxisExtents VisibleExtents(TiPlotObjectKind AxisKind) const override;

    void DrawSetup(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;

private:
    int AddWithoutValue(bool Null);
    // The drawn extents of the points holding a value (neither Null nor Empty, finite).
    TiPlotAxisExtents Extents(TiPlotObjectKind AxisKind) const;
};
