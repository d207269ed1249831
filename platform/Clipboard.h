// The clipboard, reached through Clipboard() so that tests can read what was copied. Every
// operation replaces the whole clipboard content.
#pragma once

#include "platform/Service.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class TClipboard {
public:
    virtual ~TClipboard() = default;

    virtual void SetText(const QString& text) = 0;
    virtual void SetImage(const QImage& image) = 0;
    // Encoded bytes under a MIME type.
    virtual void SetData(const QString& mimeType, const QByteArray& bytes) = 0;

    // The vector "metafile" is SVG.
    void SetSvg(const QByteArray& svg) { SetData(SvgMimeType(), svg); }
    void SetJpeg(const QByteArray& jpeg) { SetData(JpegMimeType(), jpeg); }

    static QString SvgMimeType() { return QStringLiteral("image/svg+xml"); }
    static QString JpegMimeType() { return QStringLiteral("image/jpeg"); }

    static TClipboard& Default();
};

using ScopedClipboard = ScopedService<TClipboard>;
inline TClipboard& Clipboard() {
    return ScopedClipboard::Current();
}

// The application's clipboard.
class QtClipboard : public TClipboard {
public:
    void SetText(const QString& text) override;
    void SetImage(const QImage& image) override;
    void SetData(const QString& mimeType, const QByteArray& bytes) override;
};

// Keeps the last content, for tests.
class RecordingClipboard : public TClipboard {
public:
    void SetText(const QString& text) override;
    void SetImage(const QImage& image) override;
    void SetData(const QString& mimeType, const QByteArray& bytes) override;

    QString Text;
    QImage Image;
    QString MimeType; // of Data
    QByteArray Data;
    int Assignments = 0;

private:
    void Reset();
};
