// What the data-file targets share: a strip-chart plot of three channels that hold the same
// valid, Null and Empty points before every input, their points, and the files the
// inputs are written to. The checks: a failed load changes nothing; a file that loaded saves
// and loads again to the same points.
#pragma once

#include "platform/Exception.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

[[noreturn]] inline void FuzzFail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// In memory where the system offers it: a file system on disk would be most of the time.
inline QString FuzzFilePath(const QString& Name) {
    static QTemporaryDir directory(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    return directory.filePath(Name);
}

inline QString FuzzWriteInput(const QByteArray& Bytes) {
    const QString name = FuzzFilePath(QStringLiteral("input.txt"));
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(Bytes);
    return name;
}

// Never destroyed, as the application it needs is not.
inline TiPlot& FuzzPlot() {
    static TiPlot& plot = []() -> TiPlot& {
        auto* made = new TiPlot;
        made->AddChannel();
        made->AddChannel();
        return *made;
    }();
    return plot;
}

inline TiPlotChannel& FuzzChannel(int Index) {
    return *qobject_cast<TiPlotChannel*>(FuzzPlot().GetChannelCustom(Index));
}

// Every channel back to its valid, Null and Empty point.
inline void FuzzResetPlot() {
    FuzzPlot().ClearAllData();
    for (int k = 0; k < FuzzPlot().ChannelCount(); ++k) {
        FuzzChannel(k).AddXY(k, 0.5);
        FuzzChannel(k).AddXNull(k + 1);
        FuzzChannel(k).AddXEmpty(k + 2);
    }
}

// A point as the files see it: -0 is 0, every NaN is NaN, a Null or Empty point has no Y.
struct FuzzPoint {
    int Channel;
    double X, Y;
    bool Null, Empty;
    bool operator==(const FuzzPoint& other) const {
        const auto same = [](double a, double b) { return a == b || (a != a && b != b); };
        return Channel == other.Channel && same(X, other.X) && same(Y, other.Y) &&
               Null == other.Null && Empty == other.Empty;
    }
};

inline std::vector<FuzzPoint> FuzzPoints() {
    std::vector<FuzzPoint> points;
    for (int k = 0; k < FuzzPlot().ChannelCount(); ++k) {
        const TiPlotChannel& channel = FuzzChannel(k);
        for (int i = 0; i < channel.GetCount(); ++i) {
            FuzzPoint point{k, 0, 0, false, false};
            channel.GetXYEmptyNull(i, point.X, point.Y, point.Empty, point.Null);
            if (point.Null || point.Empty) point.Y = 0;
            points.push_back(point);
        }
    }
    return points;
}

// Loads the input with Load; a failure must leave the points as they were, a success must
// save with Save and, the plot reset to nothing, load back with Reload to the same points.
template <class L, class S, class R>
void FuzzLoadSaveReload(const QByteArray& Input, L&& Load, S&& Save, R&& Reload) {
    FuzzResetPlot();
    const std::vector<FuzzPoint> before = FuzzPoints();
    try {
        Load(FuzzWriteInput(Input));
    } catch (const Exception&) {
        if (FuzzPoints() != before) FuzzFail("a failed load changed the points");
        return;
    }
    const std::vector<FuzzPoint> loaded = FuzzPoints();
    const QString saved = FuzzFilePath(QStringLiteral("saved.txt"));
    try {
        Save(saved);
        FuzzPlot().ClearAllData();
        Reload(saved);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        FuzzFail("a saved file does not load");
    }
    if (FuzzPoints() != loaded) FuzzFail("a saved file loads other points");
}
