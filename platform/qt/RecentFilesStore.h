#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class QSettings;

namespace quorvel {

// The roots a key path hangs under, as a registry has them.
enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// Where the recent-files list is kept between runs: named values under a root, a key path and a
// subkey, the way a registry holds them. A value is a file name as the file system's bytes, kept
// whole whether or not it is valid UTF-8.
class RecentFilesStore {
public:
    using Values = std::vector<std::pair<QString, QByteArray>>;

    virtual ~RecentFilesStore() = default;
    // The values of Key\Subkey as name and value, in the store's own order; none when it is missing.
    virtual Values Read(RegistryRoot root, const QString& key, const QString& subkey) = 0;
    // Deletes Key\Subkey with its values, then writes Values into it (none: no subkey is left).
    // False when the store could not be written.
    virtual bool Replace(RegistryRoot root, const QString& key, const QString& subkey, const Values& values) = 0;
    // The file that holds Root, to name it when it cannot be written.
    virtual QString FileName(RegistryRoot root) const = 0;

    // The current user's root, where the program keeps its list.
    Values Read(const QString& key, const QString& subkey) { return Read(RegistryRoot::CurrentUser, key, subkey); }
    bool Replace(const QString& key, const QString& subkey, const Values& values)
    {
        return Replace(RegistryRoot::CurrentUser, key, subkey, values);
    }
};

// The store as QSettings files in the platform's native format, one per root. The current user's is
// FileName; each other root has a file beside it named after the root ("RecentFiles.conf" ->
// "RecentFiles-LocalMachine.conf"). The program keeps them among the collector's own files, so that
// each program folder has its own lists; a root no registry knows is the current user's.
class SettingsRecentFilesStore final : public RecentFilesStore {
public:
    explicit SettingsRecentFilesStore(const QString& fileName);
    ~SettingsRecentFilesStore() override;

    using RecentFilesStore::Read;
    using RecentFilesStore::Replace;
    Values Read(RegistryRoot root, const QString& key, const QString& subkey) override;
    bool Replace(RegistryRoot root, const QString& key, const QString& subkey, const Values& values) override;

    QString FileName(RegistryRoot root) const override;

private:
    QSettings& Settings(RegistryRoot root);

    QString fileName_;
    std::map<RegistryRoot, std::unique_ptr<QSettings>> settings_;
};

}  // namespace quorvel
