#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

TClipboard& TClipboard::Default() {
    static QtClipboard clipboard;
    return clipboard;
}

void QtClipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtClipboard::SetImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

void QtClipboard::SetData(const QString& mimeType, const QByteArray& bytes) {
    auto* data = new QMimeData; // the clipboard takes it over
    data->setData(mimeType, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtClipboard::SetContent(const TClipboardContent& content) {
    auto* data = new QMimeData; // the clipboard takes it over
    if (!content.Image.isNull()) data->setImageData(content.Image);
    for (const auto& [mimeType, bytes] : content.Data)
        data->setData(mimeType, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

void RecordingClipboard::SetText(const QString& text) {
    Reset();
    Text = text;
}

void RecordingClipboard::SetImage(const QImage& image) {
    Reset();
    Image = image;
}

void RecordingClipboard::SetData(const QString& mimeType, const QByteArray& bytes) {
    Reset();
    MimeType = mimeType;
    Data = bytes;
}

void RecordingClipboard::SetContent(const TClipboardContent& content) {
    Reset();
    Image = content.Image;
    Forms = content.Data;
}

void RecordingClipboard::Reset() {
    Text.clear();
    Image = QImage();
    MimeType.clear();
    Data.clear();
    Forms.clear();
    ++Assignments;
}
