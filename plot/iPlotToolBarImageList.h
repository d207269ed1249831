// The pictures a toolbar has drawn so far, in the order its buttons first asked for them, each
// kept with its grayed form for disabled buttons.
#pragma once

#include "platform/Canvas.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

class TBitmap;

// The usual look of a disabled picture: its dark parts etched into the face, in the shadow
// colour with a highlight one pixel below and to the right; light parts and the mask colour
// become the mask colour.
std::unique_ptr<TBitmap> GrayedPicture(const TBitmap& Image, TColor MaskColor);

class TiPlotToolBarImageList {
public:
    TiPlotToolBarImageList();
    ~TiPlotToolBarImageList();

    // Appends the picture of the name and answers its index; -1, appending nothing, for a
    // name no picture has.
    int Add(const QString& ResourceName);
    void Clear();
    int Count() const { return int(images_.size()); }
    // Null outside the list.
    const TBitmap* Image(int Index) const;
    const TBitmap* GrayedImage(int Index) const;
    // The picture's top-left at (X, Y), its mask colour left out; an index outside the list
    // draws nothing.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) const;

private:
    // A picture never changes once added, so its mask is applied once, not at every paint.
    struct TEntry {
        std::unique_ptr<TBitmap> Image;
        std::unique_ptr<TBitmap> Grayed;
        QImage Shown;
        QImage GrayedShown;
    };

    std::vector<TEntry> images_;
};
