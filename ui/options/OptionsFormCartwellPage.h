#pragma once

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace quorvel {

// The page "Cartwell": the System ID of each platform, written to the platform's file at every change.
class OptionsCartwellPage {
public:
    OptionsCartwellPage(QTabWidget* pages, std::function<void()> updateButtons);

    // The platform names with Preset selected (when given); the edit follows the selection. The link
    // shows the site's address as configured now.
    void ShowPlatforms(const std::vector<std::string>& names, const std::string& preset);
    void UpdateButtons();
    void PlatformCartwellClick();

private:
    void SystemIdEdited();

    std::function<void()> updateButtons_;
    QListWidget* platformList_ = nullptr;
    QLineEdit* systemIdEdit_ = nullptr;
    QLabel* link_ = nullptr;
    std::string failedPlatform_;  // the platform whose System ID write failed last
};

}  // namespace quorvel
