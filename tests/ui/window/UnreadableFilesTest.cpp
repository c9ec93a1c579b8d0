#include "ui/MainFormTest.h"

#include "config/SettingKeys.h"
#include "platform/FileNames.h"
#include "platform/qt/PathText.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/explorer/CollectionExplorerGroups.h"

#include <filesystem>
#include <functional>

namespace quorvel {
namespace {

using test::MainFormTest;
using test::MessageKind;
using test::ShownMessage;
namespace fs = std::filesystem;

// A file of the configuration that exists but cannot be read is said, not taken as empty.
TEST_F(MainFormTest, NoPermissionConfigurationFilesThatCannotBeReadAreSaid)
{
    QUORVEL_SKIP_AS_ROOT();
    WriteConfig("Sites.ini", {"[Sites]", "MakerSite=https://maker.example/"});
    MakeForm();
    const Path group = JoinPath(settings->GetFolder(setting::GroupPath), "Shelf.ini");
    WriteGroupFile(group, {});
    const struct {
        const char* what;
        Path file;
        std::function<void()> read;
    } cases[] = {
        {"platforms", ConfigPath("Platforms.ini"), [&] { options->LoadSettings(); }},
        {"lookup tables", ConfigPath("General.ini"), [&] { options->LoadSettings(); }},
        {"sites", ConfigPath("Sites.ini"), [&] { options->LoadSettings(); }},
        {"group", group, [&] { form->Explorer().BuildExplorerTree(); }},
    };
    for (const auto& c : cases) {
        TakeMessages();
        fs::permissions(c.file.Bytes(), fs::perms::none);
        c.read();
        EXPECT_EQ(TakeMessages(),
                  (std::vector<ShownMessage> {{MessageKind::Error, "Unable to read " + PathToQString(c.file)}}))
            << c.what;
        fs::permissions(c.file.Bytes(), fs::perms(0644));
    }
    EXPECT_EQ(platforms.Names().size(), 2u) << "the platforms read before are kept";

    // A column layout that cannot be read gives the default columns, told in the status bar.
    form->OpenListFile(WriteList("a.csv", ltMedia, "Zentrix 64", {"Alpha"}));
    form->OpenListFile(WriteList("b.csv", ltHardware, "Korvo Handheld", {"Pad"}));
    const Path view = TListDisplayClass::ViewFileName(*form->OpenLists().at(0));
    form->OpenTabSetChange(1);
    WriteFile(fs::path(view.Bytes()).lexically_relative(Dir()).string(), "[View]\r\n");
    fs::permissions(view.Bytes(), fs::perms::none);
    form->OpenTabSetChange(0);
    EXPECT_EQ(Status(), "Unable to read " + view.Bytes());
    EXPECT_GT(form->Grid().model()->columnCount(), 0);
    fs::permissions(view.Bytes(), fs::perms(0644));
}

}  // namespace
}  // namespace quorvel
