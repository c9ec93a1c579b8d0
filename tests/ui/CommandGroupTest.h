#pragma once

#include "ui/MainFormTest.h"

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

// A main window for the command groups made outside the window: the test attaches its group.
class CommandGroupTest : public MainFormTest {
protected:
    RecordingForm& MakeRecordingForm()
    {
        options = std::make_unique<TOptionsForm>(*settings, platforms);
        options->LoadSettings();
        auto made = std::make_unique<RecordingForm>(*settings, platforms, *options);
        recording = made.get();
        form = std::move(made);
        return *recording;
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

    RecordingForm* recording = nullptr;
};

}  // namespace quorvel::test
