#pragma once

#include "reports/ReportCommands.h"
#include "reports/WebCommands.h"
#include "ui/CustomPropertyDialog.h"
#include "ui/FieldOrderForm.h"
#include "ui/MainFormTest.h"
#include "ui/SplashForm.h"
#include "ui/commands/ClipboardCommands.h"

#include <QAction>

#include <utility>

namespace quorvel::test {

// The main window, noting what its commands add to the Collection Explorer.
class RecordingForm : public TQuorvelForm {
public:
    using TQuorvelForm::TQuorvelForm;
    void AddExplorerFileNode(ExplorerRoot root, const std::string& fileName) override
    {
        nodes.emplace_back(root, fileName);
    }
    std::vector<std::pair<ExplorerRoot, std::string>> nodes;
};

// The main window with the command groups that the program makes outside it.
class CommandGroupTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        recording = &MakeForm<RecordingForm>();
        auto clipboardGroup = std::make_unique<ClipboardCommands>(*form, form->FieldOrderDialog(), Lists());
        auto reportGroup = std::make_unique<ReportCommands>(*form, form->FieldOrderDialog(), form->PropertyDialog());
        clipboard = clipboardGroup.get();
        reports = reportGroup.get();
        form->AttachCommandGroup(std::move(clipboardGroup));
        form->AttachCommandGroup(std::move(reportGroup));
        auto webGroup = std::make_unique<WebCommands>(*form, splash, QString());
        web = webGroup.get();
        form->AttachCommandGroup(std::move(webGroup));
    }
    TBaseCustomListClass& Open(const std::string& file)
    {
        form->OpenListFile(file);
        form->RefreshTabs();
        return *form->CurrentList();
    }
    // Rows selected as the user does it: the commands' enabling follows.
    void Select(std::initializer_list<int> rows)
    {
        SelectRows(rows);
        form->UpdateMenuState();
    }
    void Trigger(const char* entry)
    {
        ASSERT_TRUE(form->Action(entry)->isEnabled()) << entry;
        form->Action(entry)->trigger();
    }

    TSplashForm splash;
    RecordingForm* recording = nullptr;
    ClipboardCommands* clipboard = nullptr;
    ReportCommands* reports = nullptr;
    WebCommands* web = nullptr;
};

}  // namespace quorvel::test
