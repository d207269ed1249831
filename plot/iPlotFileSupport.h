// What the plot's configuration and annotation files share: reading a file's lines, its type
// and object counts, the lines of each object apart, a scratch plot that a load runs on before
// it touches the plot, and the plot held still while a load runs.
#pragma once

#include "platform/Exception.h"
#include "platform/StringList.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;
class TiPlotComponent;

// More objects of one kind than a plot can sensibly show: a count above it is a damaged file,
// whose objects would hold the program up for many seconds to create.
inline constexpr int MaxPlotFileObjects = 100;

// The lines of a text file; raises "File "<name>" is too large" for a file far beyond any
// plot file, and the platform's open error.
TStringList LoadPlotFileLines(const QString& FileName);

// Runs a file operation; the toolkit's error it raises is raised again as Prefix followed by
// its message ("Error Loading Properties - ...").
template <class Operation> void RunFileOperation(const QString& Prefix, Operation&& Call) {
    try {
        Call();
    } catch (const Exception& e) {
        throw Exception(Prefix + e.Message());
    }
}

// "<Key> = <Value>".
QString PlotFileLine(const QString& Key, const QString& Value);
// "File Type = <Type>", the first line of a typed file.
QString PlotFileTypeLine(const QString& Type);
// Reads and removes the "File Type" line; raises Refusal unless it names Type (ignoring case).
void CheckPlotFileType(TStringList& Lines, const QString& Type, const QString& Refusal);

// The integer of the line Key, which is removed; nothing without such a line. A value that is
// no integer raises the conversion error.
std::optional<int> ReadPlotFileInteger(TStringList& Lines, const QString& Key);
// Raises "<Key> = <Count> is out of range (0 to MaxPlotFileObjects)" for a count no load
// takes; a save checks it too, rather than write a file that cannot be read back.
void CheckPlotFileObjectCount(const QString& Key, int Count);
// An object count: as ReadPlotFileInteger, checked by CheckPlotFileObjectCount.
std::optional<int> ReadPlotFileObjectCount(TStringList& Lines, const QString& Key);

// A file's lines with those of each object (keys beginning with a name of ObjectNames, an
// index and ".", such as "Channel3.Color") kept apart from the rest: an object's load then
// looks through its own lines only, however many objects the file holds, and finds the same
// line it would have found among all of them.
class TiPlotFileLines {
public:
    TiPlotFileLines(const TStringList& Lines, const QStringList& ObjectNames);

    // The lines of no object: the file's own keys.
    TStringList& Rest() { return rest_; }
    // The lines of the object Name + Index; an empty list when the file holds none.
    TStringList& Object(const QString& Name, int Index);

private:
    QStringList foldedNames_;
    QHash<QString, TStringList> objects_; // by the case-folded prefix
    TStringList rest_;
};

// A plot without objects but the title label when Plot has one, making its objects from the
// same classes as Plot and never painting: a load that fails on it leaves Plot as it was.
// It lies inside a widget that is never shown, so a file that makes the plot visible puts no
// window on the screen and sizes no picture for it.
class TiScratchPlot {
public:
    explicit TiScratchPlot(const TiPlotComponent& Plot);
    TiPlotComponent& operator*() const { return *plot_; }

private:
    std::unique_ptr<QWidget> hiddenParent_;
    TiPlotComponent* plot_; // owned by hiddenParent_
};

// Holds back the plot's repaints, and its layout when asked, until the load ends however it
// ends.
class TiPlotLoadSuspension {
public:
    TiPlotLoadSuspension(TiPlotComponent& Plot, bool SuspendLayout);
    ~TiPlotLoadSuspension();
    TiPlotLoadSuspension(const TiPlotLoadSuspension&) = delete;
    TiPlotLoadSuspension& operator=(const TiPlotLoadSuspension&) = delete;

private:
    TiPlotComponent& plot_;
    bool suspendLayout_;
    bool layoutWasEnabled_ = false;
};
