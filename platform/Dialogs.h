// Message boxes and file dialogs, reached through Dialogs() so that tests can answer them.
#pragma once

#include "platform/Service.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

struct TFileDialogOptions {
    QString Title;
    // As "Bitmap (*.bmp)|*.bmp|JPEG File Interchange Format (*.jpg)|*.jpg": pairs of a
    // description and patterns separated by ";".
    QString Filter;
    QString FileName; // proposed name
    QString DefaultExtension;
    QString Directory;
};

enum class TMessageKind { Error, Information, Confirmation };

class TDialogs {
public:
    virtual ~TDialogs() = default;

    virtual void ShowMessage(TMessageKind kind, const QString& text) = 0;
    // True for Yes, false for No.
    virtual bool AskYesNo(const QString& text) = 0;
    // The chosen file, nothing when cancelled. A save dialog gives a name typed without an
    // ending the ending of the filter chosen (WithFilterEnding).
    virtual std::optional<QString> SaveFileName(const TFileDialogOptions& options) = 0;
    virtual std::optional<QString> OpenFileName(const TFileDialogOptions& options) = 0;

    static TDialogs& Default();
};

using ScopedDialogs = ScopedService<TDialogs>;
inline TDialogs& Dialogs() {
    return ScopedDialogs::Current();
}

// The filter in Qt's form: "Bitmap (*.bmp);;JPEG File Interchange Format (*.jpg)"; a
// description without its patterns in parentheses gets them appended.
QString QtFileFilter(const QString& filter);

// The file name with the ending of the filter at Index (0-based pairs) appended when the name
// has none: "Untitled" under "Bitmap (*.bmp)|*.bmp" becomes "Untitled.bmp". A filter whose
// first pattern names no single ending ("*.*") appends nothing.
QString WithFilterEnding(const QString& fileName, const QString& filter, int index);

// Runs `body` and answers its result; what escapes it is shown as an error and answers false.
// For what a user's action started and nobody else can be told of.
bool RunShowingExceptions(const std::function<bool()>& body);
// The toolkit's exception keeps its message; any other exception is shown with an empty one.
QString ExceptionMessage(const std::exception_ptr& error);

// Message boxes and file dialogs of Qt, modal on the active window.
class QtDialogs : public TDialogs {
public:
    void ShowMessage(TMessageKind kind, const QString& text) override;
    bool AskYesNo(const QString& text) override;
    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override;
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override;
};

// Records what was shown and answers from queues, for tests: questions take the next
// answer queued, or DefaultAnswer; file dialogs the next name queued, or cancel.
class RecordingDialogs : public TDialogs {
public:
    struct Message {
        TMessageKind Kind;
        QString Text;
    };

    void ShowMessage(TMessageKind kind, const QString& text) override;
    bool AskYesNo(const QString& text) override;
    std::optional<QString> SaveFileName(const TFileDialogOptions& options) override;
    std::optional<QString> OpenFileName(const TFileDialogOptions& options) override;

    std::vector<Message> Messages;
    QStringList Questions;
    std::vector<TFileDialogOptions> FileDialogs;
    std::deque<bool> Answers;
    bool DefaultAnswer = false;
    std::deque<std::optional<QString>> FileNames;
    // The filter the user is taken to choose in a save dialog (0-based).
    int ChosenFilter = 0;

private:
    std::optional<QString> NextFileName(const TFileDialogOptions& options);
};
