// The plot's data operations over the channels that hold points: data files, the log of the
// samples data arrays add, clearing every channel, and copying points between channels.
#pragma once

#include "plot/iPlotDataLog.h"

#include <QString>
#include <vector>

class TiPlotChannelCustom;
class TiPlotComponent;
class TiPlotDataArray;

// See the operations of the same names on TiPlotComponent.
class TiPlotData {
public:
    explicit TiPlotData(TiPlotComponent& Plot);

    QString LogFileName() const;
    void SetLogFileName(const QString& Value);
    int LogBufferSize() const;
    void SetLogBufferSize(int Value);
    bool LoggingActive() const;
    void SaveToFile(const QString& FileName);
    void LoadFromFile(const QString& FileName);
    void LogActivate(bool Append);
    void LogDeactivate();
    void WriteLog();
    void AddDataArray(double X, const TiPlotDataArray& Data);
    void ClearAll();
    void TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex, int StartIndex,
                             int StopIndex);

private:
    // The channels that hold points, in channel order.
    std::vector<TiPlotChannelCustom*> Channels() const;

    TiPlotComponent& plot_;
    TiPlotDataLog log_;
};
