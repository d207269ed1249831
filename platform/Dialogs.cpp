#include "platform/Dialogs.h"

#include "platform/Exception.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString Caption(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Error:
        return QStringLiteral("Error");
    case TMessageKind::Information:
        return QStringLiteral("Information");
    case TMessageKind::Confirmation:
        break;
    }
    return QStringLiteral("Confirm");
}

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Confirmation:
        break;
    }
    return QMessageBox::Question;
}

std::optional<QString> Chosen(const QString& fileName) {
    if (fileName.isEmpty()) return std::nullopt;
    return fileName;
}

QString InitialPath(const TFileDialogOptions& options) {
    if (options.Directory.isEmpty()) return options.FileName;
    return options.Directory + u'/' + options.FileName;
}

} // namespace

TDialogs& TDialogs::Default() {
    static QtDialogs dialogs;
    return dialogs;
}

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        const bool named = parts[i].contains(u'(' + patterns + u')');
        filters.append(named ? parts[i] : parts[i] + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString WithFilterEnding(const QString& fileName, const QString& filter, int index) {
    if (!QFileInfo(fileName).suffix().isEmpty()) return fileName;
    const QStringList parts = filter.split(u'|');
    const qsizetype patterns = qsizetype(index) * 2 + 1;
    if (index < 0 || patterns >= parts.size()) return fileName;
    const QString pattern = parts[patterns].section(u';', 0, 0).trimmed();
    const QString ending = pattern.mid(2);
    const bool single = pattern.startsWith(QStringLiteral("*.")) && !ending.isEmpty() &&
                        !ending.contains(u'*') && !ending.contains(u'?');
    return single ? fileName + u'.' + ending : fileName;
}

void QtDialogs::ShowMessage(TMessageKind kind, const QString& text) {
    QMessageBox box(IconOf(kind), Caption(kind), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::AskYesNo(const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(), Caption(TMessageKind::Confirmation),
                                 text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::SaveFileName(const TFileDialogOptions& options) {
    QFileDialog dialog(QApplication::activeWindow(), options.Title, InitialPath(options),
                       QtFileFilter(options.Filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(options.DefaultExtension);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const int chosenFilter = int(QtFileFilter(options.Filter)
                                     .split(QStringLiteral(";;"))
                                     .indexOf(dialog.selectedNameFilter()));
    const std::optional<QString> fileName = Chosen(dialog.selectedFiles().value(0));
    if (!fileName) return std::nullopt;
    return WithFilterEnding(*fileName, options.Filter, chosenFilter);
}

std::optional<QString> QtDialogs::OpenFileName(const TFileDialogOptions& options) {
    return Chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), options.Title,
                                               InitialPath(options), QtFileFilter(options.Filter)));
}

void RecordingDialogs::ShowMessage(TMessageKind kind, const QString& text) {
    Messages.push_back({kind, text});
}

bool RecordingDialogs::AskYesNo(const QString& text) {
    Questions.append(text);
    if (Answers.empty()) return DefaultAnswer;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

std::optional<QString> RecordingDialogs::SaveFileName(const TFileDialogOptions& options) {
    const std::optional<QString> fileName = NextFileName(options);
    if (!fileName) return std::nullopt;
    return WithFilterEnding(*fileName, options.Filter, ChosenFilter);
}

std::optional<QString> RecordingDialogs::OpenFileName(const TFileDialogOptions& options) {
    return NextFileName(options);
}

std::optional<QString> RecordingDialogs::NextFileName(const TFileDialogOptions& options) {
    FileDialogs.push_back(options);
    if (FileNames.empty()) return std::nullopt;
    // Unpacked by hand: copying the optional trips a false maybe-uninitialized warning at -O3.
    const bool chosen = FileNames.front().has_value();
    const QString fileName = FileNames.front().value_or(QString());
    FileNames.pop_front();
    if (!chosen) return std::nullopt;
    return fileName;
}

bool RunShowingExceptions(const std::function<bool()>& body) {
    try {
        return body();
    } catch (...) {
        Dialogs().ShowMessage(TMessageKind::Error, ExceptionMessage(std::current_exception()));
        return false;
    }
}

QString ExceptionMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& exception) {
        return exception.Message();
    } catch (...) {
        return QString();
    }
}
