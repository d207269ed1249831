#include "platform/Metafile.h"

#include "platform/Exception.h"
#include "platform/FileBytes.h"

#include <QSvgRenderer>
#include <algorithm>

namespace {

const QString InvalidMetafile = QStringLiteral("Metafile is not valid");

} // namespace

TMetafile::TMetafile(QObject* parent) : TGraphicsObject(parent) {}

void TMetafile::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Changed();
}

void TMetafile::SetData(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) throw Exception(InvalidMetafile);
    // The view box holds the size in pixels; the stated width and height are in millimetres,
    // which the renderer reads back at another resolution.
    const QSize size = renderer.viewBoxF().size().toSize();
    width_ = size.width();
    height_ = size.height();
    Recorded(svg);
}

void TMetafile::Clear() {
    if (data_.isEmpty()) return;
    data_.clear();
    Changed();
}

void TMetafile::Assign(const TMetafile& source) {
    if (&source == this) return;
    width_ = source.width_;
    height_ = source.height_;
    Recorded(source.data_);
}

void TMetafile::SaveToFile(const QString& fileName) const {
    SaveBytesToFile(fileName, data_);
}

void TMetafile::LoadFromFile(const QString& fileName) {
    SetData(LoadBytesFromFile(fileName));
}

void TMetafile::Recorded(const QByteArray& svg) {
    data_ = svg;
    Changed();
}

TSvgTarget::TSvgTarget(const TMetafile& metafile, const QString& creator,
                       const QString& description) {
    Generator.setOutputDevice(&Buffer);
    Generator.setSize(QSize(metafile.Width(), metafile.Height()));
    Generator.setViewBox(QRect(0, 0, metafile.Width(), metafile.Height()));
    Generator.setTitle(creator);
    Generator.setDescription(description);
}

// The painter begins at once, so that a canvas nothing is drawn on still records a picture
// of the metafile's size.
TMetafileCanvas::TMetafileCanvas(TMetafile& metafile, const QString& creator,
                                 const QString& description)
    : TSvgTarget(metafile, creator, description), TPainterCanvas(Generator), metafile_(metafile) {
    Painter();
}

TMetafileCanvas::~TMetafileCanvas() {
    EndPaint();
    metafile_.Recorded(Buffer.data());
}
