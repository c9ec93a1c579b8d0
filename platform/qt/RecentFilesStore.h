#pragma once

#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QSettings;

namespace quorvel {

// Where the recent-files list is kept between runs: named string values under a key path and
// subkey, the way a registry holds them.
class RecentFilesStore {
public:
    using Values = std::vector<std::pair<QString, QString>>;

    virtual ~RecentFilesStore() = default;
    // The values of Key\Subkey as name and value, in the store's own order; none when it is missing.
    virtual Values Read(const QString& key, const QString& subkey) = 0;
    // Deletes Key\Subkey with its values, then writes Values into it (none: no subkey is left).
    // False when the store could not be written.
    virtual bool Replace(const QString& key, const QString& subkey, const Values& values) = 0;
};

// The store as a QSettings file in the platform's native format. The program keeps it among the
// collector's own files, so that each program folder has its own list.
class SettingsRecentFilesStore final : public RecentFilesStore {
public:
    explicit SettingsRecentFilesStore(const QString& fileName);
    ~SettingsRecentFilesStore() override;

    Values Read(const QString& key, const QString& subkey) override;
    bool Replace(const QString& key, const QString& subkey, const Values& values) override;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace quorvel
