// What the plot's log and a channel's log share: the file, the count of rows collected before
// a write, whether logging is on, and the file operations with their messages.
#pragma once

#include <QString>
#include <QStringList>

class TiPlotLogFile {
public:
    QString FileName() const { return fileName_; }
    // Raises ActiveMessage for another name while logging.
    void SetFileName(const QString& Value, const QString& ActiveMessage);
    int BufferSize() const { return bufferSize_; }
    // A negative size is 0.
    void SetBufferSize(int Value);
    bool Active() const { return active_; }

    // "Log File Name not Defined" for a blank name, "Logging Already Active" while on.
    void CheckCanActivate() const;
    // With Append the file must exist (the platform's open error otherwise); else it is made
    // anew holding Header (the platform's create error).
    void OpenFile(bool Append, const QStringList& Header) const;
    void SetActive(bool Value) { active_ = Value; }
    // "Logging not Active" while off; else logging ends.
    void Stop();
    // Appends each row and CR LF to the existing file; the platform's open error when it
    // cannot be written.
    void AppendRows(const QStringList& Rows) const;

private:
    QString fileName_;
    int bufferSize_ = 0;
    bool active_ = false;
};
