#pragma once

#include "model/ListFactory.h"
#include "model/ListTestSupport.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/RecentFilesStore.h"
#include "support/ConfigDirTest.h"
#include "support/qt/FakeServices.h"
#include "ui/grid/ListDisplay.h"
#include "ui/options/OptionsForm.h"
#include "ui/window/QuorvelForm.h"
#include "ui/commands/ListCommands.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::test {

// A program folder with two configured platforms, the options dialog and the main window over it,
// fake services, and list files written by the program's own writer.
class MainFormTest : public ConfigDirTest {
protected:
    void SetUp() override
    {
        ConfigDirTest::SetUp();
        WriteSampleConfig();
        // The recent-files menu is kept in the test's own folder, never in the user's configuration.
        recent = std::make_unique<SettingsRecentFilesStore>(QString::fromStdString(programDir + "recent.ini"));
    }
    void TearDown() override
    {
        form.reset();
        options.reset();
        recent.reset();
        ConfigDirTest::TearDown();
    }

    template <typename Form = TQuorvelForm> Form& MakeForm()
    {
        options = std::make_unique<TOptionsForm>(*settings, platforms);
        options->LoadSettings();
        auto made = std::make_unique<Form>(*settings, platforms, *options, *recent);
        Form& shown = *made;
        form = std::move(made);
        return shown;
    }
    ListCommands& Lists() { return form->GetListCommands(); }

    // A list file in the media or hardware folder; Quantity of each item when given.
    Path WriteList(const std::string& name, TListType kind, const std::string& platform,
                          const std::vector<const char*>& titles, const std::string& quantity = "1") const
    {
        auto list = CreateListObject(kind);
        list->SetPlatform(platform);
        list->SetOwner("Sam");
        for (const char* title : titles)
            AddItem(*list, {{kind == ltMedia ? "Title" : "Name", Text(title)}, {"Quantity", quantity}});
        const std::string folder = programDir + (kind == ltMedia ? "Carts/" : "Hardware/");
        std::filesystem::create_directories(folder);
        const Path file(folder + name);
        SaveListObject(list.get(), file, false, true);
        return file;
    }

    // The scripted list-properties dialog: OK with these values.
    void AnswerProperties(ListPropertyValues values)
    {
        Lists().EditListProperties = [this, values](ListPropertyValues& shown) {
            propertiesShown.push_back(shown);
            shown = values;
            return true;
        };
    }

    void SelectRows(const std::vector<int>& rows)
    {
        auto* selection = form->Grid().selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(form->Grid().model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    bool Enabled(const char* name) { return form->Action(name)->isEnabled(); }
    std::vector<ShownMessage> TakeMessages()
    {
        auto shown = fake.messages;
        fake.messages.clear();
        return shown;
    }
    std::string Status(int panel = 0) const { return form->StatusPanelText(panel).toStdString(); }
    Path Opened(size_t i) const { return form->OpenLists().at(i)->GetOpenedFileName(); }

    FakeServices fake;
    std::unique_ptr<TOptionsForm> options;
    std::unique_ptr<SettingsRecentFilesStore> recent;
    std::unique_ptr<TQuorvelForm> form;
    std::vector<ListPropertyValues> propertiesShown;
};

}  // namespace quorvel::test
