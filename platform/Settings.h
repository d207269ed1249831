// Settings kept under the key names of the registry they replace ("SOFTWARE\Varlex\Themes"),
// one store for the machine and one for the user, reached through Settings().
#pragma once

#include "platform/Service.h"

#include <QHash>
#include <QSettings>
#include <QString>
#include <memory>

enum class TSettingsRoot { LocalMachine, CurrentUser };

class TSettings {
public:
    virtual ~TSettings() = default;

    // The value named name under key; empty when there is none.
    virtual QString ReadString(TSettingsRoot root, const QString& key, const QString& name) = 0;
    virtual void WriteString(TSettingsRoot root, const QString& key, const QString& name,
                             const QString& value) = 0;

    static TSettings& Default();
};

using ScopedSettings = ScopedService<TSettings>;
inline TSettings& Settings() {
    return ScopedSettings::Current();
}

// QSettings in INI format: by default the system-wide and the user's "Varlex" files, or two
// given files. Registry keys become INI groups, their "\" turned into "/".
class QtSettings : public TSettings {
public:
    QtSettings();
    QtSettings(const QString& machineFile, const QString& userFile);

    QString ReadString(TSettingsRoot root, const QString& key, const QString& name) override;
    void WriteString(TSettingsRoot root, const QString& key, const QString& name,
                     const QString& value) override;

private:
    QSettings& Store(TSettingsRoot root);

    std::unique_ptr<QSettings> machine_;
    std::unique_ptr<QSettings> user_;
};

// Keeps the values in memory, for tests.
class MemorySettings : public TSettings {
public:
    QString ReadString(TSettingsRoot root, const QString& key, const QString& name) override;
    void WriteString(TSettingsRoot root, const QString& key, const QString& name,
                     const QString& value) override;

private:
    QHash<QString, QString> values_;
};
