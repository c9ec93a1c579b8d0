#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

class TColumnListClass;

inline constexpr char kConfigVersionOld[] = "CFG1.0";
inline constexpr char kConfigVersionCurrent[] = "CFG2.0";

// What General/ConfigVersion of G_ConfigFile says about the configuration this program finds.
enum class ConfigVersionState {
    Current,  // "CFG2.0", or no configuration file at all
    Old,      // "CFG1.0" or no ConfigVersion key: migrate
    Unknown,  // any other value, a newer program's: left alone
};

ConfigVersionState GetConfigVersionState();

// Converts a "CFG1.0" configuration (custom reports and platform files in the program folder and in
// the configuration file) to the "CFG2.0" layout of the configuration folder, logging every step.
// Works on G_ConfigFile and G_ConfigFiles; ProgramDir is the folder of the old files, ending with "/".
class ConfigMigration {
public:
    using LogSink = std::function<void(const std::string& line)>;

    explicit ConfigMigration(std::string programDir, LogSink sink = {});

    // Migrates when the configuration is an old one; otherwise does nothing.
    void RunMigration();
    // The steps in order. A file that cannot be written stops the steps and is logged; "CFG2.0" is
    // written only when every step got through, so the next start tries again. One entry the new
    // files cannot hold is logged and skipped: it never stops the migration.
    void MigrateFrom10();
    void MoveCustomReports();
    void MoveConfigFiles();
    void RemoveOldSections();

    // Replaces program folder + "MigrateLog.txt" with the log. Throws FileWriteError.
    void SaveLog() const;

    const std::vector<std::string>& LogLines() const { return log_; }
    bool Succeeded() const { return succeeded_; }

private:
    void AddLogLine(const std::string& line);
    void MoveCustomReport(TColumnListClass& columns, const std::string& name, const std::string& reportsFile);
    void MovePlatformFile(const std::string& name);
    void CopyPlatformList(const std::string& oldList);

    std::string programDir_;
    LogSink sink_;
    std::vector<std::string> log_;
    bool succeeded_ = false;
};

}  // namespace quorvel
