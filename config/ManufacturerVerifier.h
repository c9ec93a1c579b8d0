#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

class TBaseCustomListClass;

// Checks the Mfg values of a list against its platform's manufacturer list (section "Mfg" of the
// platform's file: Count, Mfg0, Mfg1, ...) and corrects them. No windows: the update-manufacturer
// dialog and the Verify Manufacturers command drive it.
class ManufacturerVerifier {
public:
    // Why a list cannot be checked, or nothing when it can.
    enum class PlatformProblem { None, NoPlatform, UnsafeName };
    static PlatformProblem CheckPlatform(std::string_view platform);
    // The message that tells the user so.
    static std::string ProblemMessage(PlatformProblem problem, std::string_view platform);

    // Reads the manufacturers of the platform's file in G_ConfigFiles (found ignoring case). The
    // platform must pass CheckPlatform.
    explicit ManufacturerVerifier(std::string_view platform);

    const Path& PlatformFile() const { return file_; }
    // The values of Mfg0 .. Mfg(Count-1) present in the file, in key order, empty ones included.
    const std::vector<std::string>& Known() const { return known_; }
    // False when the platform has no manufacturer list at all. A key below Count that is missing
    // stands for an empty manufacturer, as a read of it would give.
    bool HasKnown() const { return !folded_.empty(); }
    bool IsKnown(std::string_view maker) const;

    // The list's distinct Mfg values that are not known, ignoring case, each in the spelling met
    // first, in list order.
    std::vector<std::string> Unlisted(const TBaseCustomListClass& list) const;

    // A first manufacturer list from the list's Mfg values (first spelling of each, ignoring case,
    // an empty value included) written as Count and Mfg0... in first-appearance order, without
    // erasing the section first. Returns the number of values written; nothing is written for none.
    size_t BuildFromList(const TBaseCustomListClass& list);

    // Rewrites the section as exactly these makers, in this order. Throws FileWriteError.
    void SaveMakers(const std::vector<std::string>& makers);

    // Every item whose Mfg equals an old value exactly (case counts) gets its new value; mappings
    // with an empty new value are skipped. One pass over the items; old values are distinct, and
    // a new value that is itself an old value of a later mapping is carried on, as applying the
    // mappings one after another would. Returns the number of items changed.
    static size_t ApplyMappings(TBaseCustomListClass& list,
                                const std::vector<std::pair<std::string, std::string>>& mappings);

private:
    void Load();

    Path file_;
    std::vector<std::string> known_;
    std::unordered_set<std::string> folded_;  // upper-cased known makers
};

}  // namespace quorvel
