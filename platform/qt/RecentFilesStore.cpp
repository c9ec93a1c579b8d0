#include "platform/qt/RecentFilesStore.h"

#include <QSettings>

namespace quorvel {

namespace {

// "\Software\Quorvel" and "MRU Items" -> "Software/Quorvel/MRU Items".
QString GroupPath(const QString& key, const QString& subkey)
{
    QStringList parts;
    for (const QString& part : QString(key + '\\' + subkey).split('\\', Qt::SkipEmptyParts))
        parts << part;
    return parts.join('/');
}

}  // namespace

SettingsRecentFilesStore::SettingsRecentFilesStore(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::NativeFormat))
{
}

SettingsRecentFilesStore::~SettingsRecentFilesStore() = default;

RecentFilesStore::Values SettingsRecentFilesStore::Read(const QString& key, const QString& subkey)
{
    settings_->sync();
    Values values;
    settings_->beginGroup(GroupPath(key, subkey));
    for (const QString& name : settings_->childKeys())
        values.emplace_back(name, settings_->value(name).toString());
    settings_->endGroup();
    return values;
}

bool SettingsRecentFilesStore::Replace(const QString& key, const QString& subkey, const Values& values)
{
    const QString group = GroupPath(key, subkey);
    settings_->remove(group);
    settings_->beginGroup(group);
    for (const auto& [name, value] : values)
        settings_->setValue(name, value);
    settings_->endGroup();
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

}  // namespace quorvel
