#include "ui/options/OptionsFormPlatformsPage.h"

#include "config/PlatformList.h"
#include "model/Utils.h"
#include "platform/Text.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/options/OptionsFormLists.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorvel {

using namespace options;

OptionsPlatformsPage::OptionsPlatformsPage(QTabWidget* pages, std::function<void()> namesChanged,
                                           std::function<void()> updateButtons)
    : namesChanged_(std::move(namesChanged)), updateButtons_(std::move(updateButtons))
{
    auto* page = new QWidget;
    platformEdit_ = NewEdit("PlatformEdit", page);
    platformList_ = NewList(page, "PlatFormListBox", QAbstractItemView::ExtendedSelection);
    platformAdd_ = NewButton("&Add", "PlatformAddButton", page);
    platformRemove_ = NewButton("&Remove", "PlatformRemoveButton", page);

    QObject::connect(platformEdit_, &QLineEdit::textChanged, page, [this] { updateButtons_(); });
    QObject::connect(platformList_, &QListWidget::itemSelectionChanged, page, [this] { updateButtons_(); });
    QObject::connect(platformList_, &QListWidget::itemDoubleClicked, page,
                     Guarded([this] { PlatformListDoubleClick(); }));
    QObject::connect(platformAdd_, &QPushButton::clicked, page, Guarded([this] { PlatformAddButtonClick(); }));
    QObject::connect(platformRemove_, &QPushButton::clicked, page, Guarded([this] { PlatformRemoveButtonClick(); }));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(platformAdd_);
    buttons->addWidget(platformRemove_);
    buttons->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(platformEdit_, 0, 0);
    grid->addWidget(platformList_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    pages->addTab(page, "Platforms");
}

void OptionsPlatformsPage::Show(const std::vector<std::string>& names) { Fill(platformList_, names); }

void OptionsPlatformsPage::Select(std::string_view name) { SelectEntry(platformList_, name); }

std::vector<std::string> OptionsPlatformsPage::Names() const { return Entries(platformList_); }

void OptionsPlatformsPage::UpdateButtons()
{
    platformAdd_->setEnabled(!platformEdit_->text().isEmpty());
    platformRemove_->setEnabled(!platformList_->selectedItems().isEmpty());
}

void OptionsPlatformsPage::PlatformAddButtonClick()
{
    const std::string name(TrimBlanks(FromQString(platformEdit_->text())));
    std::vector<std::string> names = Entries(platformList_);
    const size_t limit = 255;
    if (name.empty()) {
        ShowError("You can not add a blank Platform Name");
    } else if (PlatformList::HasRefusedCharacter(name)) {
        ShowError(std::string("Platform Names can not contain the following characters ") +
                  PlatformList::RefusedCharacters);
    } else if (!PlatformList::IsValidPlatformName(name)) {
        ShowError("The Platform Name can not be used as a file name.");
    } else if (name.size() + G_ConfigFiles.Bytes().size() >= limit) {
        ShowError("Platform Names must be less than " +
                  std::to_string(static_cast<long long>(limit) - static_cast<long long>(G_ConfigFiles.Bytes().size())) +
                  " in length.");
    } else if (ContainsNoCase(names, name)) {
        ShowError("The Platform Name already exists in the list.");
    } else {
        names.push_back(name);
        FillSorted(platformList_, std::move(names));
        namesChanged_();
    }
    FocusAndSelect(platformEdit_);
}

void OptionsPlatformsPage::PlatformRemoveButtonClick()
{
    if (platformList_->selectedItems().isEmpty())
        return;
    if (!Messages().Confirm("Are you sure you want to remove the selected Platform Names?"))
        return;
    Fill(platformList_, UnselectedEntries(platformList_));
    namesChanged_();
    updateButtons_();
}

void OptionsPlatformsPage::PlatformListDoubleClick()
{
    if (!MoveCurrentIntoEdit(platformList_, platformEdit_))
        return;
    namesChanged_();
    updateButtons_();
}

}  // namespace quorvel
