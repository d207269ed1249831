// The clipboard, reached through Clipboard() so that tests can read what was copied. Every
// operation replaces the whole clipboard content.
#pragma once

#include "platform/Service.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

// One picture in several forms at once, so that every program pastes the form it reads best.
struct TClipboardContent {
    QImage Image; // none when null
    // Encoded bytes by MIME type.
    QList<QPair<QString, QByteArray>> Data;
};

class TClipboard {
public:
    virtual ~TClipboard() = default;

    virtual void SetText(const QString& text) = 0;
    virtual void SetImage(const QImage& image) = 0;
    // Encoded bytes under a MIME type.
    virtual void SetData(const QString& mimeType, const QByteArray& bytes) = 0;
    virtual void SetContent(const TClipboardContent& content) = 0;

    // The vector "metafile" is SVG.
    void SetSvg(const QByteArray& svg) { SetData(SvgMimeType(), svg); }
    void SetJpeg(const QByteArray& jpeg) { SetData(JpegMimeType(), jpeg); }

    static QString SvgMimeType() { return QStringLiteral("image/svg+xml"); }
    static QString JpegMimeType() { return QStringLiteral("image/jpeg"); }
    static QString PngMimeType() { return QStringLiteral("image/png"); }

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
    void SetContent(const TClipboardContent& content) override;
};

// Keeps the last content, for tests.
class RecordingClipboard : public TClipboard {
public:
    void SetText(const QString& text) override;
    void SetImage(const QImage& image) override;
    void SetData(const QString& mimeType, const QByteArray& bytes) override;
    void SetContent(const TClipboardContent& content) override;

    QString Text;
    QImage Image;
    QString MimeType; // of Data
    QByteArray Data;
    // The encoded forms of the last SetContent.
    QList<QPair<QString, QByteArray>> Forms;
    int Assignments = 0;

private:
    void Reset();
};
