#include "ui/reports/CompareCarts.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>
#include <utility>

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/Utils.h"
#include "platform/qt/PathText.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "reports/CartCompare.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/grid/ListDisplay.h"
#include "ui/UiScale.h"
#include "ui/reports/ReportWriters.h"

namespace quorvel {

namespace {

// A list's identity as the combo boxes keep it: its bytes, whatever their encoding.
QVariant IdentityData(const Path& identity) { return QByteArray::fromStdString(identity.Bytes()); }

constexpr const char* kSection = "MediaCompare";
constexpr int kDesignWidth = 630;
constexpr int kDesignHeight = 470;

QCheckBox* MakeCheck(const char* caption, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setChecked(checked);
    return box;
}

QString EntryText(const TBaseCustomListClass& list)
{
    return OneLine(ToQString(list.GetPlatform() + " (" + list.GetOwner() + ")"));
}

}  // namespace

TCompareCartsForm::TCompareCartsForm(const SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), LeftList(std::make_unique<TCartListClass>()),
      RightList(std::make_unique<TCartListClass>()), LeftDisplay(std::make_unique<TListDisplayClass>()),
      RightDisplay(std::make_unique<TListDisplayClass>())
{
    setObjectName("CompareCartsForm");
    for (TListDisplayClass* display : {LeftDisplay.get(), RightDisplay.get()})
        display->ViewNotSaved = [this](const QString& text) {
            if (ViewNotSaved)
                ViewNotSaved(text);
        };
    setWindowTitle("Compare Media Lists");
    setMinimumSize(Scaled(kDesignWidth, kDesignHeight));
    resize(Scaled(kDesignWidth, kDesignHeight));

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setChildrenCollapsible(false);
    LeftPanel = MakeHalf(Label1, "List One", CartListOneCB, Label3, "Cartridges NOT in list ONE", leftListView,
                         CustomizeLeftView);
    leftListView->setObjectName("leftListView");
    Panel2 = MakeHalf(Label2, "List Two", CartListTwoCB, Label4, "Cartridges NOT in list TWO", rightListView,
                      CustomizeRightView);
    rightListView->setObjectName("rightListView");
    Splitter1->addWidget(LeftPanel);
    Splitter1->addWidget(Panel2);
    Splitter1->setSizes({Scaled(297), Scaled(kDesignWidth - 297)});
    // Both halves grow and shrink alike with the window.
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 1);

    IgnoreLabelTypeCB = MakeCheck("Ignore Label Types", true, this);
    IgnoreLabelColorCB = MakeCheck("Ignore Label Colors", true, this);
    IgnorePunctuation = MakeCheck("Ignore Punctuation", true, this);
    MinQtyCB = MakeCheck("Min Qty", true, this);
    MinQtyEdit = new QSpinBox(this);
    MinQtyEdit->setRange(1, 999);
    MinQtyEdit->setValue(2);
    IgnoreMfgCB = MakeCheck("Ignore Manufacturer", false, this);
    ReportButton = new QPushButton("Report", this);
    CompareButton = new QPushButton("Compare", this);
    ExitButton = new QPushButton("E&xit", this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    auto* switches = new QGridLayout;
    switches->addWidget(IgnoreLabelTypeCB, 0, 0);
    switches->addWidget(IgnoreLabelColorCB, 1, 0);
    switches->addWidget(IgnorePunctuation, 0, 1);
    switches->addWidget(IgnoreMfgCB, 1, 1);
    auto* minQty = new QHBoxLayout;
    minQty->addWidget(MinQtyCB);
    minQty->addWidget(MinQtyEdit);
    minQty->addStretch();
    switches->addLayout(minQty, 0, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ReportButton);
    buttons->addWidget(CompareButton);
    buttons->addWidget(ExitButton);
    switches->addLayout(buttons, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Splitter1, 1);
    layout->addLayout(switches);
    layout->addWidget(ProgressBar1);

    connect(CompareButton, &QPushButton::clicked, this, Guarded([this] { CompareButtonClick(); }));
    connect(ReportButton, &QPushButton::clicked, this, Guarded([this] { ReportButtonClick(); }));
    connect(ExitButton, &QPushButton::clicked, this, Guarded([this] { ExitButtonClick(); }));
    connect(CustomizeLeftView, &QAction::triggered, this, Guarded([this] { CustomizeLeftViewClick(); }));
    connect(CustomizeRightView, &QAction::triggered, this, Guarded([this] { CustomizeRightViewClick(); }));
    for (QComboBox* combo : {CartListOneCB, CartListTwoCB})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { UpdateButtons(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, Guarded([this] { ExitButtonClick(); }));
    // The controls stay private; tests find them by these names.
    const std::pair<QObject*, const char*> names[] = {
        {CartListOneCB, "CartListOneCB"}, {CartListTwoCB, "CartListTwoCB"}, {IgnoreLabelTypeCB, "IgnoreLabelTypeCB"},
        {IgnoreLabelColorCB, "IgnoreLabelColorCB"}, {IgnorePunctuation, "IgnorePunctuation"}, {MinQtyCB, "MinQtyCB"},
        {MinQtyEdit, "MinQtyEdit"}, {IgnoreMfgCB, "IgnoreMfgCB"}, {ReportButton, "ReportButton"},
        {CompareButton, "CompareButton"}, {ExitButton, "ExitButton"}, {ProgressBar1, "ProgressBar1"}, {LeftPanel, "LeftPanel"}};
    for (const auto& [control, name] : names)
        control->setObjectName(name);
    UpdateButtons();
}

TCompareCartsForm::~TCompareCartsForm() = default;

QWidget* TCompareCartsForm::MakeHalf(QLabel*& caption, const char* captionText, QComboBox*& combo, QLabel*& title,
                                     const char* titleText, QTableView*& view, QAction*& customize)
{
    auto* panel = new QWidget(Splitter1);
    caption = new PlainLabel(QString::fromLatin1(captionText), panel);
    combo = new QComboBox(panel);
    combo->setEditable(false);
    title = new PlainLabel(QString::fromLatin1(titleText), panel);
    view = new QTableView(panel);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->setSectionsMovable(true);
    view->horizontalHeader()->setSortIndicatorShown(true);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setWordWrap(false);
    customize = new QAction("Customize", view);
    view->addAction(customize);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(combo);
    layout->addWidget(title);
    layout->addWidget(view, 1);
    return panel;
}

Path TCompareCartsForm::WindowStatesFile() { return JoinPath(G_ConfigFiles, "WindowStates.ini"); }

void TCompareCartsForm::SetLists(const std::vector<CompareListEntry>& lists)
{
    Lists = lists;
    for (QComboBox* combo : {CartListOneCB, CartListTwoCB}) {
        const QVariant kept = combo->currentData();
        const QSignalBlocker block(combo);
        combo->clear();
        for (const auto& entry : Lists) {
            if (entry.List && entry.List->Kind() == ltMedia)
                combo->addItem(EntryText(*entry.List), IdentityData(entry.Identity));
        }
        combo->setCurrentIndex(kept.isValid() ? combo->findData(kept) : -1);
    }
    UpdateButtons();
}

void TCompareCartsForm::SetLists(const std::vector<std::unique_ptr<TBaseCustomListClass>>& openLists)
{
    std::vector<CompareListEntry> entries;
    for (const auto& list : openLists)
        entries.push_back({list->GetOpenedFileName(), list.get()});
    SetLists(entries);
}

int TCompareCartsForm::MediaListCount() const { return CartListOneCB->count(); }

const TBaseCustomListClass* TCompareCartsForm::FindList(const QComboBox* combo) const
{
    const Path identity(combo->currentData().toByteArray().toStdString());
    for (const auto& entry : Lists) {
        if (entry.Identity == identity && entry.List && entry.List->Kind() == ltMedia)
            return entry.List;
    }
    return nullptr;
}

void TCompareCartsForm::UpdateButtons()
{
    const bool busy = comparing_;
    ReportButton->setEnabled(!busy && (LeftList->Count() > 0 || RightList->Count() > 0));
    const int one = CartListOneCB->currentIndex(), two = CartListTwoCB->currentIndex();
    CompareButton->setEnabled(!busy && one >= 0 && two >= 0 && one != two);
    CustomizeLeftView->setEnabled(!busy && LeftList->Count() > 0);
    CustomizeRightView->setEnabled(!busy && RightList->Count() > 0);
    ExitButton->setEnabled(!busy);
}

void TCompareCartsForm::CompareButtonClick()
{
    // A failed comparison leaves the window usable like a finished one.
    const auto done = qScopeGuard([this] {
        comparing_ = false;
        UpdateButtons();
    });
    RunCompare();
}

void TCompareCartsForm::RunCompare()
{
    if (CartListOneCB->currentIndex() == CartListTwoCB->currentIndex()) {
        Messages().Error("You can not compare a list to itself.");
        return;
    }
    const TBaseCustomListClass* one = FindList(CartListOneCB);
    const TBaseCustomListClass* two = FindList(CartListTwoCB);
    if (!one || !two) {
        Messages().Error(QString("The list chosen as %1 is no longer open.").arg(one ? "List Two" : "List One"));
        return;
    }
    TCartCompareClass engine;
    engine.SetMinQty(MinQtyCB->isChecked() ? MinQtyEdit->value() : 0);
    comparing_ = true;
    UpdateButtons();
    engine.SetOnProgress([this](int32_t percent, bool&) { ProgressBar1->setValue(percent); });
    engine.SetIgnoreLabelType(IgnoreLabelTypeCB->isChecked());
    engine.SetIgnoreLabelColor(IgnoreLabelColorCB->isChecked());
    engine.SetIgnorePunctuation(IgnorePunctuation->isChecked());
    engine.SetIgnoreMfg(IgnoreMfgCB->isChecked());
    engine.Compare(static_cast<const TCartListClass&>(*one), static_cast<const TCartListClass&>(*two));
    ShowResult(engine, 1, *LeftList, *one, *LeftDisplay);
    ShowResult(engine, 2, *RightList, *two, *RightDisplay);
}

void TCompareCartsForm::ShowResult(const TCartCompareClass& engine, int32_t which, TCartListClass& dest,
                                   const TBaseCustomListClass& source, TListDisplayClass& display)
{
    // The grid lets go of the list while it is refilled underneath it.
    display.SetList(nullptr);
    engine.GetResult(which, dest);
    dest.SetPlatform(source.GetPlatform());
    dest.SetOwner(source.GetOwner());
    dest.SetDescription(source.GetDescription());
    dest.SetListType(source.GetListType());
    display.SetList(&dest);
    display.LoadView();
    display.ApplyColumns();
    display.Resort();
    display.Refresh();
}

void TCompareCartsForm::CustomizeLeftViewClick() { Customize(*LeftDisplay); }

void TCompareCartsForm::CustomizeRightViewClick() { Customize(*RightDisplay); }

void TCompareCartsForm::Customize(TListDisplayClass& display)
{
    display.CaptureColumnWidths();
    display.SaveView();
    TFieldOrderForm dialog(this);
    dialog.SetColumns(display.GetColumns());
    if (ExecDialog(dialog) == QDialog::Accepted) {
        dialog.GetColumns(display.GetColumns());
        display.SaveView();
        display.ApplyColumns();
        display.Refresh();
    }
    UpdateButtons();
}

void TCompareCartsForm::ReportButtonClick()
{
    const auto fileName = ReportFilePath(settings_.GetFolder(setting::ReportPath), "Media Compare Report.html");
    if (fileName && MakeCompareReport(*LeftList, *RightList, *fileName)) {
        if (ReportWritten)
            ReportWritten(*fileName);
        OpenDocument(PathToQString(*fileName));
    }
}

void TCompareCartsForm::ExitButtonClick() { close(); }

void TCompareCartsForm::FormShow()
{
    const int state = ReadIniInteger(JoinPath(G_ConfigFiles, "Window Locations.ini"), "General", "WindowState", 0);
    const bool grid = settings_.IsOn(setting::ShowGrid);
    leftListView->setShowGrid(grid);
    rightListView->setShowGrid(grid);
    if (state == 0) {
        setWindowState(Qt::WindowNoState);
        const IniFile ini = IniFile::Load(WindowStatesFile());
        const QSize screen = Screen().PrimaryScreenSize();
        int width = ini.ReadInteger(kSection, "WindowW", Scaled(640));
        int height = ini.ReadInteger(kSection, "WindowH", Scaled(470));
        if (width > screen.width())
            width = screen.width() - 10;
        if (height > screen.height())
            height = screen.height() - 10;
        width = std::max(width, minimumWidth());
        height = std::max(height, minimumHeight());
        // Never placed before: centred.
        const bool placed = ini.Value(kSection, "WindowX") || ini.Value(kSection, "WindowY");
        int top = placed ? std::max(0, ini.ReadInteger(kSection, "WindowX", 0)) : (screen.height() - height) / 2;
        int left = placed ? std::max(0, ini.ReadInteger(kSection, "WindowY", 0)) : (screen.width() - width) / 2;
        if (left > screen.width())
            left = 0;
        if (top > screen.height())
            top = 0;
        setGeometry(left, top, width, height);
        const int leftPanel = std::max(0, ini.ReadInteger(kSection, "LeftPanel", Scaled(304)));
        Splitter1->setSizes({leftPanel, std::max(0, Splitter1->width() - leftPanel - Splitter1->handleWidth())});
        IgnoreLabelTypeCB->setChecked(ini.ReadInteger(kSection, "IgnoreLabelType", 1) != 0);
        IgnoreLabelColorCB->setChecked(ini.ReadInteger(kSection, "IgnoreLabelColor", 1) != 0);
        IgnorePunctuation->setChecked(ini.ReadInteger(kSection, "IgnorePunctuation", 1) != 0);
        IgnoreMfgCB->setChecked(ini.ReadInteger(kSection, "IgnoreMfg", 1) != 0);
        MinQtyCB->setChecked(ini.ReadInteger(kSection, "UseMinQty", 0) != 0);
        MinQtyEdit->setValue(ini.ReadInteger(kSection, "MinQtyCount", 2));
    } else {
        setWindowState(state == 1 ? Qt::WindowMinimized : Qt::WindowMaximized);
    }
    if (CartListOneCB->count() == 2) {
        CartListOneCB->setCurrentIndex(0);
        CartListTwoCB->setCurrentIndex(1);
    }
    // The last comparison's results show again: each grid is bound once, and every show rebuilds its
    // columns and then its rows.
    const std::tuple<TListDisplayClass*, QTableView*, TCartListClass*> grids[] = {
        {LeftDisplay.get(), leftListView, LeftList.get()}, {RightDisplay.get(), rightListView, RightList.get()}};
    for (const auto& [display, view, list] : grids) {
        if (display->GetTree() != view)
            display->SetTree(view);
        display->SetList(list);
        display->LoadView();
        display->Refresh();
    }
    UpdateButtons();
    const QSize screen = Screen().PrimaryScreenSize();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void TCompareCartsForm::FormClose()
{
    const int state = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
    const QRect box = geometry();
    const std::vector<std::pair<const char*, int>> values = {
        {"WindowState", state},
        {"WindowX", box.top()},
        {"WindowY", box.left()},
        {"WindowW", box.width()},
        {"WindowH", box.height()},
        {"IgnoreLabelType", IgnoreLabelTypeCB->isChecked() ? 1 : 0},
        {"IgnoreLabelColor", IgnoreLabelColorCB->isChecked() ? 1 : 0},
        {"IgnorePunctuation", IgnorePunctuation->isChecked() ? 1 : 0},
        {"IgnoreMfg", IgnoreMfgCB->isChecked() ? 1 : 0},
        {"UseMinQty", MinQtyCB->isChecked() ? 1 : 0},
        {"MinQtyCount", MinQtyEdit->value()},
        {"LeftPanel", LeftPanel->width()},
    };
    try {
        IniFile ini = IniFile::Load(WindowStatesFile());
        for (const auto& [key, value] : values)
            ini.SetValue(kSection, key, std::to_string(value));
        ini.Save();
    } catch (const std::exception&) {
        // A read-only configuration folder must not keep the window from closing.
    }
}

void TCompareCartsForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Coming back from the task bar is no new show.
    if (!event->spontaneous())
        RunCommand([this] { FormShow(); });
}

void TCompareCartsForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Each showing chooses lists afresh (a pair, or nothing among three or more); going to the task
    // bar is no hiding.
    if (!event->spontaneous()) {
        for (QComboBox* combo : {CartListOneCB, CartListTwoCB})
            combo->setCurrentIndex(-1);
    }
}

void TCompareCartsForm::closeEvent(QCloseEvent* event)
{
    if (comparing_) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TCompareCartsForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateButtons();
}

}  // namespace quorvel
