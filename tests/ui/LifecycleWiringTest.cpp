#include "MainFormTest.h"

#include "platform/qt/PathText.h"
#include "ui/MRUFileList.h"

#include <QMenu>

namespace quorvel {
namespace {

using Names = std::vector<std::string>;

class LifecycleWiringTest : public test::MainFormTest {
protected:
    // The numbered entries of "&Recent", top to bottom.
    std::vector<TMRUMenuItem*> Recent() const
    {
        std::vector<TMRUMenuItem*> entries;
        for (QAction* action : form->findChild<QMenu*>("RecentListsMainMenu")->actions())
            if (auto* entry = qobject_cast<TMRUMenuItem*>(action); entry && entry->ItemNumber > 0)
                entries.push_back(entry);
        return entries;
    }
    Names RecentNames() const
    {
        Names names;
        for (TMRUMenuItem* entry : Recent())
            names.push_back(PathFromQString(entry->FullCaption.mid(3)));
        return names;
    }
    RecentFilesStore::Values Stored() { return recent->Read("\\Software\\Quorvel", "MRU Items"); }
};

TEST_F(LifecycleWiringTest, OpenedListsFillTheRecentMenuWhichOnlyARealCloseKeeps)
{
    const std::string a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const std::string b = WriteList("b.csv", ltMedia, "Zentrix 64", {"Two"});
    MakeForm();
    for (const std::string& file : {a, b, WriteList("empty.csv", ltMedia, "Zentrix 64", {})})
        form->OpenListFile(file);
    EXPECT_EQ(RecentNames(), (Names{b, a})) << "a list without items is not recorded";
    EXPECT_TRUE(Stored().empty()) << "the store is written at exit only";
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Stored(), (RecentFilesStore::Values{{"F0", PathToQString(b)}, {"F1", PathToQString(a)}}));
}

TEST_F(LifecycleWiringTest, AClickOpensTheFileAgainAndAFailedOpenDropsItsEntry)
{
    const std::string a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    recent->Replace("\\Software\\Quorvel", "MRU Items", {{"F0", "/nowhere/gone.csv"}, {"F1", PathToQString(a)}});
    MakeForm();
    Recent().at(0)->trigger();
    EXPECT_EQ(RecentNames(), (Names{a}));
    EXPECT_EQ(TakeMessages().size(), 1u) << "the open's own failure";
    Recent().at(0)->trigger();
    EXPECT_EQ(RecentNames(), (Names{a})) << "taken out by the click, put back by the open";
    ASSERT_EQ(form->OpenLists().size(), 1u);
    EXPECT_EQ(Opened(0), a);
}

}  // namespace
}  // namespace quorvel
