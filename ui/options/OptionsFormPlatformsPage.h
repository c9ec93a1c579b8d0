#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace quorvel {

// The page "Platforms" of the options dialog: the platform names being edited. They reach the
// platform list only when the dialog's changes are accepted.
class OptionsPlatformsPage {
public:
    // NamesChanged runs after every change of the names; UpdateButtons is the dialog's.
    OptionsPlatformsPage(QTabWidget* pages, std::function<void()> namesChanged, std::function<void()> updateButtons);

    void Show(const std::vector<std::string>& names);
    void Select(std::string_view name);
    std::vector<std::string> Names() const;
    void UpdateButtons();

private:
    void PlatformAddButtonClick();
    void PlatformRemoveButtonClick();
    void PlatformListDoubleClick();

    std::function<void()> namesChanged_;
    std::function<void()> updateButtons_;
    QLineEdit* platformEdit_ = nullptr;
    QListWidget* platformList_ = nullptr;
    QPushButton* platformAdd_ = nullptr;
    QPushButton* platformRemove_ = nullptr;
};

}  // namespace quorvel
