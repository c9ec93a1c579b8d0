// The main window's tabs, status bar and grid refresh.
#include "ui/window/QuorvelForm.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "model/FieldSet.h"
#include "model/FieldValue.h"
#include "model/ListFactory.h"
#include "platform/Text.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "ui/grid/ListDisplay.h"
#include "ui/window/ListTabBar.h"

#include <QMenu>
#include <QPainter>
#include <QTableView>

namespace quorvel {

namespace {

std::string Cut25(const std::string& text) { return text.size() > 25 ? text.substr(0, 25) + "..." : text; }

}  // namespace

std::string TQuorvelForm::TabCaption(size_t index) const
{
    const TBaseCustomListClass& list = *openLists_.at(index);
    std::string caption = Cut25(list.GetPlatform());
    if (settings_.GetSetting(setting::ShowOwner) == "1")
        caption += " - " + Cut25(list.GetOwner());
    return caption;
}

QString TQuorvelForm::StatusPanelText(int panel) const { return statusPanels_.at(size_t(panel))->text(); }

int TQuorvelForm::TabCount() const { return OpenTabSet->count(); }

int TQuorvelForm::SelectedTab() const { return OpenTabSet->currentIndex(); }

QString TQuorvelForm::TabText(int index) const { return OpenTabSet->tabText(index); }

QString TQuorvelForm::TabHint() const { return OpenTabSet->toolTip(); }

void TQuorvelForm::SetStatusText(const std::string& text) { ShowStatusText(ToQString(text)); }

void TQuorvelForm::ShowStatusText(const QString& text)
{
    statusPanels_[0]->setText(text);
    // Shown at once, without running queued input in the middle of a command.
    if (statusPanels_[0]->isVisible())
        statusPanels_[0]->repaint();
}

void TQuorvelForm::UpdateStatusBar()
{
    for (int i = 1; i < 5; ++i)
        statusPanels_[size_t(i)]->clear();
    if (currentList_) {
        statusPanels_[1]->setText(
            ToQString(std::to_string(currentList_->QuantitySum()) + " " + currentList_->GetListType()));
        statusPanels_[2]->setText(ToQString(std::to_string(currentList_->Count()) + " Rows"));
    }
    int media = 0, hardware = 0;
    for (const auto& list : openLists_) {
        if (list->Kind() == ltMedia)
            ++media;
        else if (list->Kind() == ltHardware)
            ++hardware;
    }
    statusPanels_[3]->setText(QString("%1 ML").arg(media));
    statusPanels_[4]->setText(QString("%1 HL").arg(hardware));
}

void TQuorvelForm::RefreshListView()
{
    if (currentList_) {
        ListFunctionsMenu->setTitle(OneLine(ToQString("&" + currentList_->GetListType())));
        listDisplay_->SetList(currentList_);
        listDisplay_->Refresh();
        UpdateStatusBar();
    } else {
        listDisplay_->SetList(nullptr);
        listDisplay_->ClearRows();
    }
    RepaintTabs();
}

void TQuorvelForm::RepaintTabs() { OpenTabSet->Remeasure(); }

void TQuorvelForm::RefreshTabs()
{
    const QSignalBlocker block(OpenTabSet);
    while (OpenTabSet->count() > 0)
        OpenTabSet->removeTab(OpenTabSet->count() - 1);
    int selected = -1;
    for (size_t i = 0; i < openLists_.size(); ++i) {
        OpenTabSet->addTab(OneLine(ToQString(TabCaption(i))));
        if (openLists_[i].get() == currentList_)
            selected = int(i);
    }
    if (selected >= 0)
        OpenTabSet->setCurrentIndex(selected);
    // The change signal is blocked here: a list opened, renamed or closed still names the current file.
    OpenTabSet->setToolTip(currentList_ ? PlainToolTip(PathToQString(currentList_->GetFileName())) : QString());
    NotifyGroups();
    BuildListMenu();
    CheckListMenuItem(OpenTabSet->currentIndex());
    RepaintTabs();
}

void TQuorvelForm::BuildListMenu()
{
    ListParentTabPopupMenu->clear();
    const bool showOwner = settings_.GetSetting(setting::ShowOwner) == "1";
    for (size_t i = 0; i < openLists_.size(); ++i) {
        const auto& list = *openLists_[i];
        const std::string caption = showOwner ? list.GetPlatform() + " - " + list.GetOwner() : list.GetPlatform();
        QAction* entry = ListParentTabPopupMenu->addAction(OneLine(ToQString(caption)));
        entry->setData(int(i));
        entry->setCheckable(true);
        entry->setChecked(i == 0);
        connect(entry, &QAction::triggered, this, Guarded([this, entry] { ListMenuClick(entry); }));
    }
}

void TQuorvelForm::CheckListMenuItem(int index)
{
    const auto entries = ListParentTabPopupMenu->actions();
    for (int i = 0; i < entries.size(); ++i)
        entries[i]->setChecked(i == index);
}

void TQuorvelForm::ListMenuClick(QAction* entry)
{
    OpenTabSet->setCurrentIndex(entry->data().toInt());
    CheckListMenuItem(OpenTabSet->currentIndex());
}

void TQuorvelForm::OpenTabSetChange(int index)
{
    if (index < 0 || index >= int(openLists_.size()))
        return;
    currentList_ = openLists_[size_t(index)].get();
    OpenTabSet->setToolTip(PlainToolTip(PathToQString(currentList_->GetFileName())));
    const std::string& owner = currentList_->GetOwner();
    const std::string& description = currentList_->GetDescription();
    if (!owner.empty() && !description.empty())
        SetStatusText(owner + ", " + description);
    else if (!owner.empty() || !description.empty())
        SetStatusText(std::string(TrimBlanks(owner + " " + description)));
    // After the list's own text, so that a column layout of the last list that could not be saved is told.
    listDisplay_->SetList(currentList_);
    NotifyGroups();
    CheckListMenuItem(index);
    RefreshListView();
    UpdateMenuState();
}

void TQuorvelForm::OpenTabSetDrawTab(QPainter& canvas, const QRect& rect, int index, bool selected)
{
    if (openLists_.empty() || index < 0 || index >= int(openLists_.size()))
        return;
    const TBaseCustomListClass& list = *openLists_[size_t(index)];
    const QColor face = palette().color(QPalette::Button);
    const QColor blue(0, 0, 255), red(255, 0, 0);
    QColor background = face, text = Qt::black, strip = blue;
    if (list.GetListType() == "Media") {
        if (!selected) {
            background = Qt::white;
            text = blue;
        }
    } else if (list.GetListType() == "Hardware") {
        strip = red;
        if (!selected) {
            background = Qt::white;
            text = red;
        }
    }
    const bool modified = IsListObjectModified(&list);
    QFont font = OpenTabSet->font();
    font.setBold(modified);
    canvas.save();
    canvas.setClipRect(rect);
    canvas.fillRect(rect, background);
    canvas.setFont(font);
    canvas.setPen(text);
    const QString caption = (modified ? "*" : "") + OpenTabSet->tabText(index);
    canvas.drawText(QRect(rect.left() + 3, rect.top() + 3, rect.width() - 3, rect.height() - 3),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), 2), strip);
    canvas.restore();
}

int TQuorvelForm::OpenTabSetMeasureTab(int index, int width)
{
    if (TabMeasureGuard || openLists_.empty())
        return width;
    if (index < 0 || index >= OpenTabSet->count() || index >= int(openLists_.size()))
        return 10;
    const bool modified = IsListObjectModified(openLists_[size_t(index)].get());
    QFont font = OpenTabSet->font();
    font.setBold(modified);
    const QString caption = (modified ? "*" : "") + OpenTabSet->tabText(index);
    return QFontMetrics(font).horizontalAdvance(caption) + 4;
}

}  // namespace quorvel
