#include "MainFormTest.h"

#include "model/Utils.h"
#include "platform/qt/PathText.h"
#include "ui/MRUFileList.h"

#include <QMenu>

namespace quorvel {
namespace {

using test::ShownMessage;

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
    QStringList RecentNames() const
    {
        QStringList names;
        for (TMRUMenuItem* entry : Recent())
            names << entry->FullCaption.mid(3);
        return names;
    }
};

TEST_F(LifecycleWiringTest, RecentMenuFollowsOpensDropsAFailedOneAndIsKeptByARealClose)
{
    const QString a = PathToQString(WriteList("a.csv", ltMedia, "Zentrix 64", {"One"}));
    const QString b = PathToQString(WriteList("b.csv", ltMedia, "Zentrix 64", {"Two"}));
    recent->Replace("\\Software\\Quorvel", "MRU Items", {{"F0", "/nowhere/gone.csv"}});
    MakeForm();
    for (const QString& file : {a, b, PathToQString(WriteList("empty.csv", ltMedia, "Zentrix 64", {}))})
        form->OpenListFile(PathFromQString(file));
    EXPECT_EQ(RecentNames(), (QStringList{b, a, "/nowhere/gone.csv"})) << "a list without items is not recorded";
    Recent().at(2)->trigger();
    EXPECT_EQ(RecentNames(), (QStringList{b, a}));
    EXPECT_EQ(TakeMessages().size(), 1u) << "the open's own failure";
    EXPECT_EQ(recent->Read("\\Software\\Quorvel", "MRU Items").size(), 1u) << "written at exit only";
    EXPECT_TRUE(form->close());
    EXPECT_EQ(recent->Read("\\Software\\Quorvel", "MRU Items"), (RecentFilesStore::Values{{"F0", b}, {"F1", a}}));
}

TEST_F(LifecycleWiringTest, AFailedMigrationSaysSoAndSavesNothing)
{
    WriteIniString(G_ConfigFile, "General", "ConfigVersion", "CFG1.0");
    MakeForm();
    form->ShowMigration = [] { return false; };
    form->FormShow();
    form->Timer1Timer();
    EXPECT_EQ(TakeMessages(), (std::vector<ShownMessage>{
                                  {test::MessageKind::Error,
                                   "The Quorvel Configuration could not be updated (see MigrateLog.txt).  Quorvel "
                                   "will try again the next time it is run.  Quorvel will now exit."}}));
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "General", "WindowW", -1), -1);
}

}  // namespace
}  // namespace quorvel
