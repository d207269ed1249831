#include "platform/Settings.h"

namespace {

const QString Organization = QStringLiteral("Varlex");
const QString Application = QStringLiteral("Settings");

QString SettingsKey(const QString& key, const QString& name) {
    return QString(key).replace(u'\\', u'/') + u'/' + name;
}

} // namespace

TSettings& TSettings::Default() {
    static QtSettings settings;
    return settings;
}

QtSettings::QtSettings()
    : machine_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::SystemScope,
                                           Organization, Application)),
      user_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Organization,
                                        Application)) {}

QtSettings::QtSettings(const QString& machineFile, const QString& userFile)
    : machine_(std::make_unique<QSettings>(machineFile, QSettings::IniFormat)),
      user_(std::make_unique<QSettings>(userFile, QSettings::IniFormat)) {}

QString QtSettings::ReadString(TSettingsRoot root, const QString& key, const QString& name) {
    return Store(root).value(SettingsKey(key, name)).toString();
}

void QtSettings::WriteString(TSettingsRoot root, const QString& key, const QString& name,
                             const QString& value) {
    QSettings& store = Store(root);
    store.setValue(SettingsKey(key, name), value);
    store.sync();
}

QSettings& QtSettings::Store(TSettingsRoot root) {
    return root == TSettingsRoot::LocalMachine ? *machine_ : *user_;
}

QString MemorySettings::ReadString(TSettingsRoot root, const QString& key, const QString& name) {
    return values_.value(QString::number(int(root)) + SettingsKey(key, name));
}

void MemorySettings::WriteString(TSettingsRoot root, const QString& key, const QString& name,
                                 const QString& value) {
    values_.insert(QString::number(int(root)) + SettingsKey(key, name), value);
}
