// The plot's pictures for other programs: the clipboard in the plot's clipboard format, the
// snapshot picture the plot keeps for the application, and the image file the toolbar's Save
// button writes. Copies and prints leave the toolbars and the selection marks out.
#pragma once

#include <QPointer>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

class TiPlotComponent;
class TiPlotMasterManager;
class TiPlotObject;
class TMetafile;

// Hides every toolbar while it lives, then gives each toolbar its own Visible back; a plot
// without toolbars has nothing to hide.
class TiPlotToolBarsHidden {
public:
    explicit TiPlotToolBarsHidden(TiPlotMasterManager& Master);
    ~TiPlotToolBarsHidden();
    TiPlotToolBarsHidden(const TiPlotToolBarsHidden&) = delete;
    TiPlotToolBarsHidden& operator=(const TiPlotToolBarsHidden&) = delete;

private:
    // A toolbar removed meanwhile is skipped.
    std::vector<std::pair<QPointer<TiPlotObject>, bool>> visible_;
};

// The plot painted as it is into the metafile, sized to the plot, whose creator is "Varlex".
void PaintPlotMetafile(TiPlotComponent& Plot, TMetafile& Metafile, const QString& Description);

class TiPlotOutput {
public:
    // The file-save dialog's choices.
    static const QString SaveFilter;

    explicit TiPlotOutput(TiPlotComponent& Plot);
    ~TiPlotOutput();

    // The vector form as SVG with a PNG of it beside it, the bitmap form as an image, JPEG
    // (quality 100, baseline) under its MIME type; inside an update batch, with the toolbars
    // hidden and every object deselected. The selection is not restored.
    void CopyToClipBoard();
    // A vector picture of the plot as it shows; the plot owns it and the next call replaces its
    // contents.
    TMetafile* GetSnapShotPicture();
    // Asks for a file with the file-save dialog (proposed "Untitled"); when one was chosen,
    // deselects every object and saves the image by the file's ending (SaveImage).
    void Save();
    // By the ending, in any case: bmp a bitmap, emf and svg the vector picture (SVG), jpg and
    // jpeg a progressive JPEG of quality 100, png, and pdf a page of the plot's size. Another
    // ending raises "Unknown picture file extension (.<ending>)" before anything is painted.
    void SaveImage(const QString& FileName);

private:
    enum class TImageFormat { Bitmap, MetaFile, JPEG, PNG, PDF };
    static TImageFormat FormatOf(const QString& FileName);
    void PutOnClipboard();
    void SavePDF(const QString& FileName);

    TiPlotComponent& plot_;
    std::unique_ptr<TMetafile> metafile_;
    std::unique_ptr<TMetafile> picture_;
};
