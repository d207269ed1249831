// The vector picture ("metafile", kept as SVG) of Width x Height logical pixels: drawn through
// a TMetafileCanvas, played back onto any canvas, saved, and handed to the clipboard as bytes.
#pragma once

#include "platform/GraphicsObject.h"
#include "platform/PainterCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QSvgGenerator>

class TMetafile : public TGraphicsObject {
    Q_OBJECT

public:
    explicit TMetafile(QObject* parent = nullptr);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The size the next canvas records; the picture recorded so far stays until then.
    void SetSize(int width, int height);
    bool Empty() const { return data_.isEmpty(); }

    const QByteArray& Data() const { return data_; }
    // Raises Exception "Metafile is not valid" when the bytes are no SVG picture.
    void SetData(const QByteArray& svg);
    void Clear();
    void Assign(const TMetafile& source);

    void SaveToFile(const QString& fileName) const;
    void LoadFromFile(const QString& fileName);

private:
    friend class TMetafileCanvas;
    void Recorded(const QByteArray& svg);

    int width_ = 0;
    int height_ = 0;
    QByteArray data_;
};

// The SVG target of a metafile canvas, built before the canvas that paints on it.
struct TSvgTarget {
    TSvgTarget(const TMetafile& metafile, const QString& creator, const QString& description);

    QBuffer Buffer;
    QSvgGenerator Generator;
};

// Records everything drawn on it into the metafile when it goes; the creator becomes the
// picture's title.
class TMetafileCanvas : private TSvgTarget, public TPainterCanvas {
public:
    TMetafileCanvas(TMetafile& metafile, const QString& creator, const QString& description);
    ~TMetafileCanvas() override;

private:
    TMetafile& metafile_;
};
