#include "ui/window/MRUFileList.h"
#include "platform/qt/PathText.h"
#include "platform/IniFile.h"
#include "platform/qt/RecentFilesStore.h"
#include "support/TempDir.h"
#include "support/qt/FakeServices.h"

#include <QApplication>
#include <QMenu>
#include <QMetaProperty>
#include <QSettings>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <utility>

namespace quorvel {
namespace {

using Names = std::vector<std::string>;
using Props = std::vector<std::pair<const char*, QVariant>>;

// A File menu holding "&Recent" (with the hidden entry that keeps it a submenu), and a popup menu.
class MRUFileListTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        store = std::make_unique<SettingsRecentFilesStore>(PathToQString(PathOf("conf/mru.conf")));
        file.addAction("&Open");
        recent = file.addMenu("&Recent");
        recent->addAction("Reopen")->setVisible(false);
        exit = file.addAction("E&xit");
        popup.addAction("Own");
        mru = Make();
    }

    template <class List = TdfsMRUFileList> std::unique_ptr<List> Make(const Props& props = {}, bool loaded = false)
    {
        auto made = std::make_unique<List>(*store);
        made->SetFileMenu(recent);
        made->SetAutoSaveName("\\Software\\Quorvel");
        for (const auto& [name, value] : props)
            EXPECT_TRUE(made->setProperty(name, value)) << name;
        if (loaded)
            made->Loaded();
        return made;
    }

    void Add(const Names& names)
    {
        for (const std::string& name : names)
            mru->AddItem(name);
    }

    // Separators as "-" (and any text they carry), hidden entries as "(hidden)", a submenu's entries after it behind
    // its caption and ">".
    static QStringList Captions(const QWidget* menu)
    {
        QStringList captions;
        for (QAction* a : menu->actions()) {
            captions << (a->isSeparator() ? "-" + a->text() : a->isVisible() ? a->text() : "(hidden)");
            if (a->menu())
                for (const QString& inner : Captions(a->menu()))
                    captions << a->text() + ">" + inner;
        }
        return captions;
    }
    QStringList Captions() const { return Captions(recent); }

    Names Items() const { return mru->Items(); }
    RecentFilesStore::Values Stored() const { return store->Read("\\Software\\Quorvel", "MRU Items"); }

    test::FakeServices fake;
    QMenu file;  // outlive the list, which takes its entries out
    QMenu popup;
    QMenu* recent = nullptr;
    QAction* exit = nullptr;
    std::unique_ptr<SettingsRecentFilesStore> store;
    std::unique_ptr<TdfsMRUFileList> mru;
};

TEST_F(MRUFileListTest, PropertiesInOrderWithTheirDefaultsAndAReadOnlyVersion)
{
    TdfsMRUFileList fresh(*store);
    const QStringList names {"UseRegistry",   "Version",         "AddToTop",           "Maximum",
                             "RemoveOnClick", "UseSubmenu",      "InsertSeparator",    "SubmenuName",
                             "ClearItemName", "ShowClearItem",   "ShowRemoveObsolete", "RemoveObsoleteName",
                             "FileMenu",      "PopupMenu",       "AutoSave",           "AutoSaveName",
                             "AutoSaveKey",   "AutoSaveRootKey", "MaxCaptionWidth",    "MRUDisplay"};
    const QMetaObject& meta = TdfsMRUFileList::staticMetaObject;
    ASSERT_EQ(meta.propertyCount() - meta.propertyOffset(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QMetaProperty property = meta.property(meta.propertyOffset() + i);
        EXPECT_EQ(property.name(), names[i]);
        EXPECT_EQ(property.isStored(), i != 1) << property.name();
    }
    // The other defaults show in the menus and the storage below.
    for (const auto& [name, value] : Props {{"SubmenuName", "Reopen"},
                                            {"AutoSaveName", "\\Software\\My Application"},
                                            {"MaxCaptionWidth", 200},
                                            {"FileMenu", QVariant::fromValue<QAction*>(nullptr)}})
        EXPECT_EQ(fresh.property(name), value) << name;
    fresh.setProperty("Version", "v9");
    EXPECT_EQ(fresh.Version(), "TdfsMRUFileList v2.66");
}

TEST_F(MRUFileListTest, KeepsFiveNewestFirstAndComparesExactly)
{
    Add({"/l/a.csv", "/l/b.csv", "/l/c.csv", "/l/d.csv", "/l/e.csv", "/l/f.csv"});
    EXPECT_EQ(Items(), (Names {"/l/f.csv", "/l/e.csv", "/l/d.csv", "/l/c.csv", "/l/b.csv"}));
    Add({"/l/c.csv", "/l/C.csv"});
    EXPECT_EQ(Items(), (Names {"/l/C.csv", "/l/c.csv", "/l/f.csv", "/l/e.csv", "/l/d.csv"}));

    mru->SetMaximum(2);
    ASSERT_GT(recent->actions().size(), 5);
    recent->actions()[5]->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(recent->actions().size(), 1);
    EXPECT_TRUE(mru->Save());
    EXPECT_TRUE(Stored().empty());

    // Measured in the menu font: folders go, the name stays.
    mru->AddItem("/home/collector/Collections/Orbix/Lists/Orbix VX Media.csv");
    ASSERT_GT(recent->actions().size(), 2);
    const QString caption = recent->actions()[2]->text();
    EXPECT_TRUE(caption.startsWith("&1 /.../")) << caption.toStdString();
    EXPECT_TRUE(caption.endsWith("/Orbix VX Media.csv"));
}

TEST_F(MRUFileListTest, MenusUnderEachConfiguration)
{
    const QString full = "|&1 /R&&D/c|&2 b.tar.gz|&3 /l/a.csv", tail = "|-|&Clear MRU List|&Remove Obsolete";
    const struct {
        Props props;
        QString recent;  // after the hidden entry
        QString popup;
    } cases[] = {
        {{}, "-" + full + tail, "Own"},
        {{{"AddToTop", false}}, "-|&1 /l/a.csv|&2 b.tar.gz|&3 /R&&D/c" + tail, "Own"},
        {{{"InsertSeparator", false}, {"ShowClearItem", false}}, full.mid(1) + "|-|&Remove Obsolete", "Own"},
        {{{"ShowClearItem", false}, {"ShowRemoveObsolete", false}}, "-" + full, "Own"},
        {{{"UseSubmenu", true}, {"SubmenuName", "Older"}, {"ClearItemName", ""}, {"RemoveObsoleteName", ""}},
         "-|Older" + QString(full + tail).replace("|", "|Older>"),
         "Own"},
        {{{"PopupMenu", QVariant::fromValue(&popup)}}, "-" + full + tail, full.mid(1) + "|Own"},
        {{{"FileMenu", QVariant::fromValue(exit)}}, "", "Own"},
        {{{"MRUDisplay", QVariant::fromValue(mdFileNameExt)}}, "-|c|&2 b.tar.gz|a.csv" + tail, "Own"},
        {{{"MRUDisplay", QVariant::fromValue(mdFileNameOnly)}}, "-|c|&2 b.tar|a" + tail, "Own"},
        {{{"MRUDisplay", QVariant::fromValue(mdCustom)}}, "-|<&1 /R&D/c>|<&2 b.tar.gz>|<&3 /l/a.csv>" + tail, "Own"},
        {{{"MaxCaptionWidth", 0}}, "-" + full + tail, "Own"}};
    for (const auto& c : cases) {
        mru = Make(c.props);
        mru->OnGetDisplayName = [](const std::string&, QString& shown) { shown = "<" + shown + ">"; };
        Add({"/l/a.csv", "b.tar.gz", "/R&D/c"});
        EXPECT_EQ(Captions().mid(1).join("|"), c.recent) << c.props.size();
        EXPECT_EQ(Captions(&popup).join("|"), c.popup) << c.recent.toStdString();
        if (mru->FileMenu() == exit) {  // no submenu: the entries come before it
            EXPECT_EQ(Captions(&file).join("|"), "&Open|&Recent|&Recent>(hidden)|-" + full + tail + "|E&xit");
        }
        mru.reset();
        EXPECT_EQ(Captions(&file).join("|"), "&Open|&Recent|&Recent>(hidden)|E&xit") << "the entries go with the list";
        EXPECT_EQ(Captions(&popup).join("|"), "Own");
    }
}

TEST_F(MRUFileListTest, MaximumAboveThirtySixAndLoweringIt)
{
    mru->SetMaximum(40);
    for (int i = 39; i >= 0; --i)
        mru->AddItem("/n" + std::to_string(i));
    EXPECT_EQ(Captions().mid(10, 3) + Captions().mid(36, 4),
              (QStringList {"&9 /n8", "&0 /n9", "&A /n10", "&Y /n34", "&Z /n35", "/n36", "/n37"}));

    const struct {
        bool addToTop;
        std::uint8_t maximum;
        Names left;
    } cases[] = {{true, 2, {"/c", "/b"}}, {false, 2, {"/b", "/c"}}, {true, 0, {}}, {false, 9, {"/a", "/b", "/c"}}};
    for (const auto& c : cases) {
        mru = Make({{"AddToTop", c.addToTop}});
        Add({"/a", "/b", "/c"});
        mru->SetMaximum(c.maximum);
        EXPECT_EQ(Items(), c.left) << c.addToTop << " " << int(c.maximum);
        EXPECT_EQ(Captions().size(), c.left.empty() ? 1 : qsizetype(c.left.size()) + 5);
        mru->AddItem("/d");
        EXPECT_EQ(Items().size(), std::min<size_t>(c.maximum, c.left.size() + 1));
    }
}

TEST_F(MRUFileListTest, AClickTakesTheEntryOutBeforeOpening)
{
    Add({"/l/gone.csv", "/l/list.csv"});
    std::vector<std::string> clicked;
    mru->OnMRUItemClick = [&](const std::string& name) {
        clicked.push_back(name);
        if (name == "/l/list.csv")
            mru->AddItem(name);  // opened: back on top; a failed open leaves it out
    };
    recent->actions()[2]->trigger();
    EXPECT_EQ(Items(), (Names {"/l/list.csv", "/l/gone.csv"}));
    recent->actions()[3]->trigger();
    EXPECT_EQ(Items(), (Names {"/l/list.csv"}));
    EXPECT_EQ(clicked, (Names {"/l/list.csv", "/l/gone.csv"}));

    WriteFile("here.csv", "x");
    Add({PathOf("here.csv").Bytes(), "/no/such.csv"});
    mru->RemoveObsoleteItems();
    EXPECT_EQ(Items(), (Names {PathOf("here.csv").Bytes()}));

    // Kept on click, in the popup menu too.
    mru = Make({{"RemoveOnClick", false}, {"PopupMenu", QVariant::fromValue(&popup)}});
    mru->OnMRUItemClick = [&](const std::string& name) { clicked.push_back(name); };
    Add({"/a", "/b"});
    popup.actions()[1]->trigger();
    recent->actions()[2]->trigger();
    EXPECT_EQ(Items(), (Names {"/b", "/a"}));
    EXPECT_EQ(Names(clicked.end() - 2, clicked.end()), (Names {"/a", "/b"}));
}

// A descendant sees the operations through their virtual slots.
class CountingMRU : public TdfsMRUFileList {
public:
    using TdfsMRUFileList::autoSaveRoot_;
    using TdfsMRUFileList::TdfsMRUFileList;
    Names calls;

protected:
    void PopulateMenu() override
    {
        calls.push_back("PopulateMenu");
        TdfsMRUFileList::PopulateMenu();
    }
    void DoMRUItemClick(const std::string& name) override { calls.push_back("click " + name); }
    void ClearAllItems() override
    {
        calls.push_back("ClearAllItems");
        TdfsMRUFileList::ClearAllItems();
    }
};

TEST_F(MRUFileListTest, EventsAndTheirCounts)
{
    const struct {
        Props props;
        int created;          // three names
        int destroyed;        // by ClearAllItems
    } cases[] = {{{}, 6, 7},  // the leading separator is made without the event
                 {{{"InsertSeparator", false}, {"ShowClearItem", false}, {"ShowRemoveObsolete", false}}, 3, 3},
                 {{{"UseSubmenu", true}, {"PopupMenu", QVariant::fromValue(&popup)}}, 9, 11}};
    int created = 0, destroyed = 0;
    for (const auto& c : cases) {
        mru = Make(c.props);
        mru->OnCreateMRUItem = [&](TMRUMenuItem* item) {
            ++created;
            EXPECT_EQ(item->MRUOwner, mru.get());
        };
        mru->OnDestroyMRUItem = [&](TMRUMenuItem*) { ++destroyed; };
        Add({"/a", "/b"});
        created = 0;
        mru->AddItem("/c");
        EXPECT_EQ(created, c.created) << c.created;
        destroyed = 0;
        mru->ClearAllItems();
        EXPECT_EQ(destroyed, c.destroyed) << c.created;
    }

    // Obsolete names are asked for from the last to the first; the handler's answer stands.
    Names asked;
    mru->OnRemoveObsolete = [&](const std::string& name, bool& remove) {
        asked.push_back(name);
        remove = name != "/b";
    };
    Add({"/a", "/b", "/c"});
    mru->RemoveObsoleteItems();
    EXPECT_EQ(asked, (Names {"/a", "/b", "/c"}));
    EXPECT_EQ(Items(), (Names {"/b"}));

    // Entries that go with their menu still tell; a menu gone empties its property.
    auto* own = new QMenu;
    mru->SetPopupMenu(own);
    destroyed = 0;
    delete own;
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(mru->PopupMenu(), nullptr);
    delete recent;
    EXPECT_EQ(mru->FileMenu(), nullptr);
    mru->AddItem("/d");
    EXPECT_EQ(Items(), (Names {"/d", "/b"}));

    // The commands run a descendant's operations.
    CountingMRU counting(*store);
    counting.SetFileMenu(&file);  // the entries follow "E&xit"
    auto click = [&](const QString& caption) {
        for (QAction* action : file.actions())
            if (action->text() == caption)  // a missing one leaves its call out below
                action->trigger();
    };
    counting.AddItem("/x");
    counting.calls.clear();
    click("&1 /x");
    counting.AddItem("/x");
    click("&Remove Obsolete");
    counting.AddItem("/x");
    click("&Clear MRU List");
    EXPECT_EQ(counting.calls,
              (Names {"PopulateMenu", "click /x", "PopulateMenu", "PopulateMenu", "PopulateMenu", "ClearAllItems"}));
    EXPECT_EQ(counting.Items(), Names {});
}

TEST_F(MRUFileListTest, PropertyWritesHaveTheirSideEffects)
{
    store->Replace("\\Software\\Quorvel", "MRU Items", {{"F0", "/s"}});
    store->Replace("\\Software\\Other", "MRU Items", {{"F0", "/o"}});
    store->Replace("\\Software\\Quorvel", "Key", {{"F0", "/k"}});
    store->Replace(RegistryRoot::LocalMachine, "\\Software\\Quorvel", "MRU Items", {{"F0", "/lm"}});
    const Names kept {"/m", "/s"};  // "/m" was added to what was loaded
    const struct {
        const char* property;
        QVariant value;
        Names items;
        bool populated;
    } cases[] = {{"Maximum", 1, {"/m"}, true},
                 {"UseSubmenu", true, kept, true},
                 {"UseSubmenu", false, kept, false},  // unchanged
                 {"InsertSeparator", false, kept, true},
                 {"MaxCaptionWidth", 0, kept, true},
                 {"SubmenuName", "Older", kept, false},
                 {"MRUDisplay", QVariant::fromValue(mdFileNameExt), kept, true},
                 {"PopupMenu", QVariant::fromValue(&popup), kept, true},
                 {"AutoSaveName", "Software\\Other", {"/o"}, true},
                 {"AutoSaveName", "\\Software\\Quorvel", kept, false},
                 {"AutoSaveKey", "Key", {"/k"}, true},
                 {"AutoSaveRootKey", QVariant::fromValue(rkLocalMachine), {"/lm"}, true},
                 {"AutoSaveRootKey", QVariant::fromValue(rkCurrentUser), {"/s"}, true}};
    for (const auto& c : cases) {
        auto made = Make<CountingMRU>({}, true);
        made->AddItem("/m");
        made->calls.clear();
        made->setProperty(c.property, c.value);
        const std::string what = c.property + (" " + c.value.toString().toStdString());
        EXPECT_EQ(made->Items(), c.items) << what;
        EXPECT_EQ(!made->calls.empty(), c.populated) << what;
        EXPECT_TRUE(made->AutoSaveName().startsWith("\\Software\\")) << what;
        made->SetAutoSave(false);
    }

    // Before it is ready a new place is not read; without the registry no backslash is added.
    CountingMRU setUp(*store);
    setUp.SetUseRegistry(false);
    setUp.SetAutoSaveName("recent.ini");
    EXPECT_EQ(setUp.AutoSaveName(), "recent.ini");
    EXPECT_TRUE(setUp.calls.empty());

    // Each root reads back; one outside TRootKey reads as the current user.
    for (const TRootKey key : {rkClassesRoot, rkLocalMachine, rkUsers, rkCurrentConfig, rkDynData, rkCurrentUser}) {
        setUp.SetAutoSaveRootKey(key);
        EXPECT_EQ(setUp.AutoSaveRootKey(), key);
    }
    setUp.autoSaveRoot_ = RegistryRoot(42);
    EXPECT_EQ(setUp.AutoSaveRootKey(), rkCurrentUser);
}

TEST_F(MRUFileListTest, AutoSaveLoadsWhenReadyAndSavesWhenItGoes)
{
    store->Replace("\\Software\\Quorvel", "MRU Items", {{"F0", "/u"}});
    mru->Loaded();
    EXPECT_EQ(Items(), (Names {"/u"}));
    mru->AddItem("/n");
    mru.reset();
    EXPECT_EQ(Stored(), (RecentFilesStore::Values {{"F0", "/n"}, {"F1", "/u"}}));

    // Another root is another file beside it.
    mru = Make({{"AutoSaveRootKey", QVariant::fromValue(rkUsers)}}, true);
    mru->AddItem("/x");
    mru.reset();
    EXPECT_EQ(store->Read(RegistryRoot::Users, "\\Software\\Quorvel", "MRU Items"),
              (RecentFilesStore::Values {{"F0", "/x"}}));
    EXPECT_TRUE(Exists("conf/mru-Users.conf"));

    // Never ready, or no AutoSave: the stored list stays as it was.
    for (const bool ready : {false, true}) {
        mru = Make({{"AutoSave", !ready}}, ready);
        mru->AddItem("/lost");
        mru.reset();
        EXPECT_EQ(Stored().size(), 2u) << ready;
    }

    // A save that fails is told; it never leaves the destructor.
    std::filesystem::create_directories(PathOf("folder.ini").Bytes());
    mru = Make({{"UseRegistry", false}, {"AutoSaveName", PathToQString(PathOf("folder.ini"))}}, true);
    mru->AddItem("/a");
    EXPECT_NO_THROW(mru.reset());
    EXPECT_EQ(fake.messages.size(), 1u);
}

// A name that opens reopens after a restart, whatever its bytes; names stored before as text still load.
TEST_F(MRUFileListTest, EveryNameReopensAfterARestart)
{
    {
        QSettings before(PathToQString(PathOf("conf/mru.conf")), QSettings::NativeFormat);
        before.setValue("Software/Quorvel/MRU Items/F0", QString::fromUtf8("/stored before/\u00e9t\u00e9.csv"));
    }
    const Names names {
        "/old/Liste \xE9t\xE9.csv",  // Windows-1252 bytes: no UTF-8
        "/x/Liste \xC3\xA9t\xC3\xA9.csv",  // its UTF-8 look-alike is another file
        "/x/\xFF\xFE \xC3\xA9 \xC3",
        "/x/@ByteArray(a).csv",
        "/x/a\\b \"q\" ; = %.csv",
    };
    mru->SetMaximum(9);
    mru->Loaded();
    Add(names);
    mru.reset();
    store = std::make_unique<SettingsRecentFilesStore>(PathToQString(PathOf("conf/mru.conf")));
    mru = Make({{"Maximum", 9}}, true);
    EXPECT_EQ(Items(), (Names {names[4], names[3], names[2], names[1], names[0], "/stored before/\xC3\xA9t\xC3\xA9.csv"}));
}

// The store that cannot be written at exit is told, as the INI form's is.
TEST_F(MRUFileListTest, AStoreThatCannotBeWrittenAtExitIsTold)
{
    std::filesystem::create_directories(PathOf("conf/mru.conf").Bytes());
    mru->Loaded();
    mru->AddItem("/a");
    EXPECT_NO_THROW(mru.reset());
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Unable to write to " + PathToQString(PathOf("conf/mru.conf")));
}

TEST_F(MRUFileListTest, IniStorageRoundTrip)
{
    const QString ini = PathToQString(PathOf("recent.ini"));
    WriteFile("recent.ini", "; mine\r\n[Other]\r\nA=1\r\n[MRU Items]\r\nF9=/old\r\n[Last]\r\nB=2\r\n");
    mru = Make({{"UseRegistry", false}, {"AutoSaveName", ini}}, true);
    EXPECT_EQ(Items(), (Names {"/old"}));
    Add({"/a b/c.csv", "/R&D/\xc3\xa9.csv"});
    mru.reset();
    // Erased, then written anew: the section moves to the end.
    EXPECT_EQ(ReadFile("recent.ini"),
              "; mine\r\n[Other]\r\nA=1\r\n[Last]\r\nB=2\r\n"
              "[MRU Items]\r\nF0=/R&D/\xc3\xa9.csv\r\nF1=/a b/c.csv\r\nF2=/old\r\n");
    EXPECT_TRUE(Stored().empty());

    // Read in file order; an empty list leaves no section, and no file where there was none.
    WriteFile("recent.ini", "[MRU Items]\r\nF1=/second\r\nF0=/first\r\n");
    for (const QString& name : {ini, PathToQString(PathOf("none.ini"))}) {
        mru = Make({{"UseRegistry", false}, {"AutoSaveName", name}}, true);
        EXPECT_EQ(Items(), name == ini ? (Names {"/second", "/first"}) : Names {});
        mru->ClearAllItems();
        mru.reset();
    }
    EXPECT_EQ(ReadFile("recent.ini"), "");
    EXPECT_FALSE(Exists("none.ini"));
}

// Qt never again shows a menu it once showed with nothing in it, unless told.
TEST_F(MRUFileListTest, RecentOpensAgainAfterItWasShownEmpty)
{
    auto shown = [&] { return recent->windowHandle() && recent->windowHandle()->isVisible(); };
    auto open = [&](bool byKey) {
        file.popup(QPoint(10, 10));
        file.setActiveAction(recent->menuAction());
        if (byKey)
            QTest::keyClick(&file, Qt::Key_Right);
    };
    auto close = [] {
        while (QWidget* shownPopup = QApplication::activePopupWidget())
            QTest::keyClick(shownPopup, Qt::Key_Escape);
    };
    mru->AddItem("/a");
    for (const bool byKey : {false, true}) {
        open(byKey);
        ASSERT_TRUE(shown());
        recent->setActiveAction(recent->actions().at(recent->actions().size() - 2));  // Clear MRU List
        QTest::keyClick(recent, Qt::Key_Return);
        EXPECT_EQ(Captions(), QStringList {"(hidden)"});
        close();
        open(byKey);  // shown with nothing in it
        close();
        mru->AddItem("/b");
        open(byKey);
        EXPECT_TRUE(shown()) << byKey << ": the new entry is reachable at once";
        EXPECT_FALSE(recent->actionGeometry(recent->actions().at(2)).isEmpty());
        close();
    }
}

TEST_F(MRUFileListTest, LoadsInNumericOrderAndSavesNewestFirst)
{
    store->Replace("\\Software\\Quorvel", "MRU Items",
                   {{"F0", "/a"},
                    {"F1", "/b"},
                    {"F10", "/k"},
                    {"F2", ""},
                    {"F3", "/a"},
                    {"F4", "/x y/\u00e9.csv"},
                    {"F5", "/d"},
                    {"Other", "/o"},
                    {"F6", "/e"},
                    {"F7", "/f"}});
    EXPECT_TRUE(mru->Load());
    EXPECT_EQ(Items(), (Names {"/a", "/b", "/x y/\xc3\xa9.csv", "/d", "/e"}));
    mru->AddItem("/n");
    EXPECT_TRUE(mru->Save());
    EXPECT_EQ(
        Stored(),
        (RecentFilesStore::Values {{"F0", "/n"}, {"F1", "/a"}, {"F2", "/b"}, {"F3", "/x y/\u00e9.csv"}, {"F4", "/d"}}));
}

TEST_F(MRUFileListTest, NoPermissionFailedSaveIsOnlyTold)
{
    QUORVEL_SKIP_AS_ROOT();
    std::filesystem::create_directories(PathOf("conf").Bytes());
    std::filesystem::permissions(PathOf("conf").Bytes(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    mru->AddItem("/a");
    EXPECT_FALSE(mru->Save());
}

TEST_F(MRUFileListTest, ShortensFolderByFolderAndNumbersUpToZ)
{
    mru->MeasureText = [](const QString& text) { return int(text.size()) * 10; };
    const struct {
        int width;
        const char* shown;
    } cases[] = {{230, "/alpha/beta/gamma/x.csv"},
                 {220, "/.../beta/gamma/x.csv"},
                 {200, "/.../gamma/x.csv"},
                 {150, "/.../x.csv"},
                 {95, ".../x.csv"},
                 {10, "x.csv"}};
    for (const auto& c : cases)
        EXPECT_EQ(mru->ShortenPath("/alpha/beta/gamma/x.csv", c.width), c.shown) << c.width;
    EXPECT_EQ(mru->ShortenPath("x.csv", 1), "x.csv");
    // A name still too wide for the screen is cut in its middle, and only then.
    const struct {
        const char* path;
        int widest;
        const char* shown;
    } long_names[] = {{"/alpha/x.csv", 200, "/alpha/x.csv"},
                      {"/a/abcdefghijklmnopqrst.csv", 1000, "abcdefghijklmnopqrst.csv"},
                      {"/a/abcdefghijklmnopqrst.csv", 100, "abcde\u2026.csv"},
                      {"/a/abcdefghijklmnopqrst.csv", 5, "\u2026"}};
    for (const auto& c : long_names)
        EXPECT_EQ(mru->MenuCaption(c.path, c.widest), QString(c.shown)) << c.path << " " << c.widest;
}

}  // namespace
}  // namespace quorvel
