#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/Path.h"

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

// One line of the migration log: fixed text and names from the configuration (Windows-1252) and paths
// (the file system's bytes) kept apart, so that a window shows each the way it is spelled.
class MigrationLogLine {
public:
    using Piece = std::variant<std::string, Path>;

    explicit MigrationLogLine(std::string_view text) { pieces_.emplace_back(std::string(text)); }
    friend MigrationLogLine operator+(MigrationLogLine line, std::string_view text)
    {
        line.pieces_.emplace_back(std::string(text));
        return line;
    }
    friend MigrationLogLine operator+(MigrationLogLine line, const Path& path)
    {
        line.pieces_.emplace_back(path);
        return line;
    }

    const std::vector<Piece>& Pieces() const { return pieces_; }
    // The line as the log file keeps it: every piece's bytes as they are.
    std::string Bytes() const;

private:
    std::vector<Piece> pieces_;
};

// Converts a "CFG1.0" configuration (custom reports and platform files in the program folder and in
// the configuration file) to the "CFG2.0" layout of the configuration folder, logging every step.
// Works on G_ConfigFile and G_ConfigFiles; ProgramDir is the folder of the old files, ending with "/".
class ConfigMigration {
public:
    using LogSink = std::function<void(const MigrationLogLine& line)>;

    explicit ConfigMigration(Path programDir, LogSink sink = {});

    // Migrates when the configuration is an old one; otherwise does nothing.
    void RunMigration();
    // The steps in order. A file that cannot be written stops the steps and is logged; "CFG2.0" is
    // written only when every step got through, so the next start tries again. One entry the new
    // files cannot hold is logged and skipped: it never stops the migration.
    void MigrateFrom10();
    // Folder settings that name no folder of this system (a Windows folder) are written back as the
    // default folder that the settings use instead, each one logged.
    void ReplaceForeignFolders();
    void MoveCustomReports();
    void MoveConfigFiles();
    void RemoveOldSections();

    // Replaces program folder + "MigrateLog.txt" with the log. Throws FileWriteError.
    void SaveLog() const;

    const std::vector<MigrationLogLine>& LogLines() const { return log_; }
    bool Succeeded() const { return succeeded_; }

private:
    void AddLogLine(const MigrationLogLine& line);
    void AddLogLine(std::string_view text) { AddLogLine(MigrationLogLine(text)); }
    void MoveCustomReport(TColumnListClass& columns, const std::string& name, const Path& reportsFile);
    void MovePlatformFile(const std::string& name);
    void CopyPlatformList(const Path& oldList);

    Path programDir_;
    LogSink sink_;
    std::vector<MigrationLogLine> log_;
    bool succeeded_ = false;
};

}  // namespace quorvel
