#include "ui/CommandGroupTest.h"

#include "config/SettingKeys.h"
#include "model/BaseCustomListClass.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/PathText.h"
#include "ui/window/MenuNames.h"

#include <QCoreApplication>
#include <QUrl>

#include <filesystem>

namespace quorvel {
namespace {

using test::MessageKind;
using test::ShownMessage;

// Lists the program refuses to open, reached the ways a collector reaches them, and saves that fail.
class FileFailuresTest : public test::CommandGroupTest {
protected:
    const std::string head = "QV1.2\r\n\"Media\",\"Zentrix 64\",\"Sam\",\"\"\r\n\"TITLE\",\"QUANTITY\"\r\n";

    // A box with the status bar behind it.
    struct Seen {
        ShownMessage box;
        std::string status;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    void WatchBoxes()
    {
        fake.onMessage = [this](const ShownMessage& box) { seen.push_back({box, Status()}); };
    }
};

TEST_F(FileFailuresTest, EveryRefusedFileIsNamedAndTheStatusSaysItWasNotLoaded)
{
    WriteFile("Carts/many.csv", head + std::string(size_t(TBaseCustomListClass::MaxItems) + 1, '\n'));
    WriteFile("Carts/long.csv", head + "\"" + std::string(TBaseCustomListClass::MaxLineBytes, 'x') + "\",1\r\n");
    // One escape that does not decode.
    WriteList("bad.csv", ltMedia, "Zentrix 64", {"100%"});
    std::string text = ReadFile("Carts/bad.csv");
    text.replace(text.find("%25"), 3, "%ZZ");
    WriteFile("Carts/bad.csv", text);
    const Path good = WriteList("good.csv", ltMedia, "Zentrix 64", {"One"});
    const auto InCarts = [this](const char* name) { return Path(programDir + "Carts/" + name); };
    const std::vector<Path> files {InCarts("many.csv"), good, InCarts("long.csv"), InCarts("bad.csv")};
    const auto Refused = [&](const char* name, const std::string& reason) {
        const Path file = InCarts(name);
        return Seen {{MessageKind::Error, TextWithPath("The file \"", file, "\" was not opened. " + reason)},
                     file.Bytes() + " Not Loaded."};
    };
    const std::vector<Seen> expected {
        Refused("many.csv", "This file holds more than 1000000 items."),
        Refused("long.csv", "Line 4 of this file is longer than 33554432 bytes, the most a line of a list file may hold."),
        Refused("bad.csv", "'$ZZ' is not a valid integer value"),
    };

    enum class Route { LastFiles, Drop, Open };
    for (const Route route : {Route::LastFiles, Route::Drop, Route::Open}) {
        SCOPED_TRACE(int(route));
        seen.clear();
        form->CloseAllLists();
        WatchBoxes();
        switch (route) {
        case Route::LastFiles:
            EraseIniSection(G_ConfigFile, "LastFiles");
            WriteIniInteger(G_ConfigFile, "LastFiles", "Count", int(files.size()));
            for (size_t i = 0; i < files.size(); ++i)
                WriteIniString(G_ConfigFile, "LastFiles", "LastFile" + std::to_string(i), files[i].Bytes());
            form->LoadLastFiles();
            break;
        case Route::Drop: {
            QList<QUrl> urls;
            for (const Path& file : files)
                urls << QUrl::fromLocalFile(PathToQString(file));
            clipboard->WMDropFiles(urls);
            QCoreApplication::sendPostedEvents();
            break;
        }
        case Route::Open: {
            QString answer;
            for (const Path& file : files)
                answer += (answer.isEmpty() ? "" : "\n") + PathToQString(file);
            fake.fileAnswers = {answer};
            Lists().OpenButtonClick();
            break;
        }
        }
        EXPECT_EQ(seen, expected);
        ASSERT_EQ(form->OpenLists().size(), 1u);
        EXPECT_EQ(Opened(0), good);
        EXPECT_EQ(Status(), files.back().Bytes() + " Not Loaded.");
        fake.messages.clear();
    }
}

TEST_F(FileFailuresTest, AFailedSaveSaysSoInTheStatusBar)
{
    const struct {
        const char* what;
        const char* quantity;
        bool folderGone;
    } cases[] = {{"a value that does not convert", "7x", false}, {"a folder that is gone", "1", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form->CloseAllLists();
        const std::string folder = programDir + "Carts/sub/";
        std::filesystem::create_directories(folder);
        WriteFile("Carts/sub/list.csv", head + "\"One\",\"" + c.quantity + "\"\r\n");
        const Path file(folder + "list.csv");
        Open(file);
        ASSERT_TRUE(fake.messages.empty());
        if (c.folderGone)
            std::filesystem::remove_all(folder);
        form->CurrentList()->SetModified(true);
        form->UpdateMenuState();
        seen.clear();
        WatchBoxes();
        Trigger(entry::SaveButton);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].box.kind, MessageKind::Error);
        EXPECT_EQ(seen[0].status, file.Bytes() + " Not Saved.");
        EXPECT_EQ(Status(), file.Bytes() + " Not Saved.");
        EXPECT_TRUE(form->CurrentList()->IsModified());
        fake.messages.clear();
    }
}

}  // namespace
}  // namespace quorvel
