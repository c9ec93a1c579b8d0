#include "platform/qt/RecentFilesStore.h"

#include <QDir>
#include <QFileInfo>
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

const char* RootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return "ClassesRoot";
    case RegistryRoot::LocalMachine:
        return "LocalMachine";
    case RegistryRoot::Users:
        return "Users";
    case RegistryRoot::CurrentConfig:
        return "CurrentConfig";
    case RegistryRoot::DynData:
        return "DynData";
    case RegistryRoot::CurrentUser:
        break;
    }
    return nullptr;
}

}  // namespace

SettingsRecentFilesStore::SettingsRecentFilesStore(const QString& fileName) : fileName_(fileName) { }

SettingsRecentFilesStore::~SettingsRecentFilesStore() = default;

QString SettingsRecentFilesStore::FileName(RegistryRoot root) const
{
    const char* name = RootName(root);
    if (!name)
        return fileName_;
    const QFileInfo file(fileName_);
    const QString suffix = file.suffix().isEmpty() ? QString() : '.' + file.suffix();
    const QString base = file.fileName().chopped(suffix.size());
    return file.dir().filePath(base + '-' + name + suffix);
}

QSettings& SettingsRecentFilesStore::Settings(RegistryRoot root)
{
    if (!RootName(root))
        root = RegistryRoot::CurrentUser;
    auto& settings = settings_[root];
    if (!settings)
        settings = std::make_unique<QSettings>(FileName(root), QSettings::NativeFormat);
    return *settings;
}

RecentFilesStore::Values SettingsRecentFilesStore::Read(RegistryRoot root, const QString& key, const QString& subkey)
{
    QSettings& settings = Settings(root);
    settings.sync();
    Values values;
    settings.beginGroup(GroupPath(key, subkey));
    for (const QString& name : settings.childKeys()) {
        const QVariant value = settings.value(name);
        values.emplace_back(name, value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8());
    }
    settings.endGroup();
    return values;
}

bool SettingsRecentFilesStore::Replace(RegistryRoot root, const QString& key, const QString& subkey,
                                       const Values& values)
{
    QSettings& settings = Settings(root);
    const QString group = GroupPath(key, subkey);
    settings.remove(group);
    settings.beginGroup(group);
    for (const auto& [name, value] : values) {
        // Text where the name is UTF-8, as the file has always held it; other bytes as they are.
        const QString text = QString::fromUtf8(value);
        if (text.toUtf8() == value)
            settings.setValue(name, text);
        else
            settings.setValue(name, value);
    }
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace quorvel
