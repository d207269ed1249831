// The plot's three image lists (0, 1, 2) from which picture annotations take their pictures:
// appending bitmaps from the program or from the application's resources, and their stream
// names in the plot's description.
#pragma once

#include "plot/iPlotImageList.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class TBitmap;

class TiPlotImageLists {
public:
    static constexpr int ListCount = 3;

    // Raises "ImageList Index must be 0-2" for another index.
    TiPlotImageList& List(int Index);
    const TiPlotImageList& List(int Index) const;
    // Null for another index.
    const TiPlotImageList* Find(int Index) const;

    // Empties the list, keeping its image size.
    void Clear(int Index);
    // Appends a copy of the bitmap masked by its transparent colour (TransparentColor), fitted
    // to the list's size as TiPlotImageList::AddMasked says; the bitmap is left as it was.
    void Add(int Index, const TBitmap& Bitmap);
    // Appends the picture of an application resource. The module is the resource folder
    // (":/images" or "images"; empty for the root ":/"), the name the file in it (or a whole
    // resource path ":/..."), tried as given and then with ".bmp" and ".png" when it has no
    // ending; a number stands for its decimal text. Only resources are read, never files. A
    // missing or unreadable picture raises "Resource <name> not found".
    void AddResource(int Index, const QString& Module, const QString& ResourceName);

    // "ImageList0", "ImageList1", "ImageList2".
    static QString StreamName(int Index);
    static QStringList StreamNames();

    // A list's pictures changed.
    std::function<void()> OnChange;

private:
    static void CheckIndex(int Index);
    void Append(TiPlotImageList& List, const QImage& Picture);
    void Changed();

    std::array<TiPlotImageList, ListCount> lists_;
};

// The colour a bitmap's mask is made from: that of its bottom-left pixel, as the toolkit
// picks a bitmap's transparent colour by itself; clWhite for an empty bitmap.
TColor TransparentColor(const QImage& Picture);
