#include "plot/iPlotImageLists.h"

#include "platform/Bitmap.h"
#include "platform/Exception.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

// Always inside the application's resources, so that no file of the same name is read.
QString ResourcePath(const QString& Module, const QString& ResourceName) {
    if (ResourceName.startsWith(u':')) return ResourceName;
    QString folder = Module;
    while (folder.startsWith(u':') || folder.startsWith(u'/'))
        folder.remove(0, 1);
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return QStringLiteral(":/") + folder + ResourceName;
}

QImage ReadResource(const QString& Module, const QString& ResourceName) {
    const QString path = ResourcePath(Module, ResourceName);
    QStringList candidates{path};
    if (QFileInfo(path).suffix().isEmpty())
        candidates << path + QStringLiteral(".bmp") << path + QStringLiteral(".png");
    for (const QString& candidate : candidates) {
        const QImage picture = QImageReader(candidate).read();
        if (!picture.isNull()) return picture;
    }
    throw Exception(QStringLiteral("Resource %1 not found").arg(ResourceName));
}

// The bitmap's pixels at its logical size.
QImage LogicalPicture(const TBitmap& Bitmap) {
    QImage picture = Bitmap.Image();
    picture.setDevicePixelRatio(1);
    const QSize logical(Bitmap.Width(), Bitmap.Height());
    if (picture.size() == logical) return picture;
    return picture.scaled(logical, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

TColor TransparentColor(const QImage& Picture) {
    if (Picture.isNull()) return clWhite;
    return FromQColor(Picture.pixelColor(0, Picture.height() - 1));
}

void TiPlotImageLists::CheckIndex(int Index) {
    if (Index < 0 || Index >= ListCount)
        throw Exception(QStringLiteral("ImageList Index must be 0-2"));
}

TiPlotImageList& TiPlotImageLists::List(int Index) {
    CheckIndex(Index);
    return lists_[size_t(Index)];
}

const TiPlotImageList& TiPlotImageLists::List(int Index) const {
    CheckIndex(Index);
    return lists_[size_t(Index)];
}

const TiPlotImageList* TiPlotImageLists::Find(int Index) const {
    return Index >= 0 && Index < ListCount ? &lists_[size_t(Index)] : nullptr;
}

void TiPlotImageLists::Clear(int Index) {
    List(Index).Clear();
    Changed();
}

void TiPlotImageLists::Add(int Index, const TBitmap& Bitmap) {
    TiPlotImageList& list = List(Index);
    Append(list, LogicalPicture(Bitmap));
}

void TiPlotImageLists::AddResource(int Index, const QString& Module, const QString& ResourceName) {
    TiPlotImageList& list = List(Index);
    Append(list, ReadResource(Module, ResourceName));
}

void TiPlotImageLists::Append(TiPlotImageList& List, const QImage& Picture) {
    List.AddMasked(Picture, TransparentColor(Picture));
    Changed();
}

QString TiPlotImageLists::StreamName(int Index) {
    return QStringLiteral("ImageList%1").arg(Index);
}

QStringList TiPlotImageLists::StreamNames() {
    QStringList names;
    for (int i = 0; i < ListCount; ++i)
        names.append(StreamName(i));
    return names;
}

void TiPlotImageLists::Changed() {
    if (OnChange) OnChange();
}
