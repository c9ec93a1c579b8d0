#pragma once

#include "ui/dialogs/CustomPropertyDialog.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/MainFormTest.h"
#include "ui/startup/SplashForm.h"
#include "ui/commands/ClipboardCommands.h"
#include "ui/commands/WebCommands.h"
#include "ui/reports/ReportCommands.h"

#include <QAction>

#include <utility>

namespace quorvel::test {

// The main window, noting what its commands add to the Collection Explorer.
class RecordingForm : public TQuorvelForm {
public:
    using TQuorvelForm::TQuorvelForm;
    void AddExplorerFileNode(ExplorerRoot root, const Path& fileName) override
    {
        nodes.emplace_back(root, fileName);
    }
    std::vector<std::pair<ExplorerRoot, Path>> nodes;
};

// The main window with the Help and Web group that the program attaches to it.
class CommandGroupTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        recording = &MakeForm<RecordingForm>();
        clipboard = &form->GetClipboardCommands();
        reports = &form->GetReportCommands();
        auto webGroup = std::make_unique<WebCommands>(*form, splash, QString());
        web = webGroup.get();
        form->AttachCommandGroup(std::move(webGroup));
    }
    TBaseCustomListClass& Open(const Path& file)
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
