#include "ui/commands/ClipboardCommands.h"

#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "model/ExportText.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/grid/ListDisplay.h"
#include "ui/window/MenuNames.h"
#include "ui/commands/ListCommands.h"

#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace quorvel {

namespace {

constexpr char kExportSection[] = "CustomExportHeader";
constexpr char kSaveFilter[] = "Comma Seperated Values (*.CSV *.csv);;All Files (*)";

}  // namespace

ClipboardCommands::ClipboardCommands(MainFormAccess& form, TFieldOrderForm& fieldOrder, const ListCommands& lists)
    : CommandGroup(form), fieldOrder_(fieldOrder), lists_(lists)
{
    Connect(entry::CopyMainMenu, [this] { CopyMainMenuClick(); });
    Connect(entry::PasteMainMenu, [this] { PasteMainMenuClick(); });
    Connect(entry::ExportListMainMenu, [this] { ExportListMainMenuClick(); });
    Connect(entry::ExportListPopupMenu, [this] { ExportListPopupMenuClick(); });
    form_.Window().installEventFilter(this);
}

std::string ClipboardCommands::ClipboardText(const TBaseCustomListClass& list, const std::vector<int32_t>& rows)
{
    if (rows.empty())
        return {};
    std::string text = ClipboardHeaderText(list);
    std::string line;
    for (const int32_t row : rows) {
        GetListObjectItemText(&list, row, line);
        text += "\r\n";
        text += line;
    }
    return text;
}

void ClipboardCommands::CopyMainMenuClick()
{
    const TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    const std::string text = ClipboardText(*list, form_.ListDisplay().SelectedRows());
    if (!text.empty())
        Clipboard().SetText(ToQString(text));
}

void ClipboardCommands::PasteMainMenuClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    const QString text = Clipboard().Text();
    if (text.isEmpty())
        return;
    const bool wasEmpty = list->Count() == 0;
    // The model adds every item or none; text of another list type adds nothing and says nothing.
    try {
        PasteListObjectText(list, FromQString(text));
    } catch (...) {
        RefreshAfterPaste(*list, wasEmpty);
        throw;
    }
    RefreshAfterPaste(*list, wasEmpty);
}

void ClipboardCommands::RefreshAfterPaste(const TBaseCustomListClass& list, bool wasEmpty)
{
    TListDisplayClass& display = form_.ListDisplay();
    if (wasEmpty && list.Count() > 0) {
        display.LoadView();
        display.ApplyColumns();
    }
    display.Resort();
    display.Refresh();
    form_.RepaintTabs();
    form_.UpdateStatusBar();
}

Path ClipboardCommands::ExportColumnFile(const TBaseCustomListClass& list)
{
    // The platform comes from a list file: it must not lead the name out of the configuration folder.
    if (!IsSafeNamePart(list.GetPlatform()) || !IsSafeName(list.GetListType()))
        return {};
    return ResolveTextFileNoCase(G_ConfigFiles, list.GetListType() + "_Export_" + list.GetPlatform() + ".INI");
}

void ClipboardCommands::ExportListMainMenuClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    const int32_t selected = form_.ListDisplay().SelectedCount();
    if (selected >= 1 && list->Count() > selected) {
        ExportSelection();
        form_.Explorer().RefreshExplorer();
        return;
    }
    if (list->Count() == 0)
        return;
    ExportWithColumns(*list);
}

void ClipboardCommands::ExportListPopupMenuClick()
{
    TBaseCustomListClass* list = form_.CurrentList();
    if (!list)
        return;
    const int32_t selected = form_.ListDisplay().SelectedCount();
    if (selected == 0 || selected == list->Count()) {
        ExportListMainMenuClick();
        return;
    }
    ExportSelection();
}

void ClipboardCommands::ExportSelection()
{
    TBaseCustomListClass& list = *form_.CurrentList();
    const std::vector<int32_t> rows = form_.ListDisplay().SelectedRows();
    if (form_.Settings().GetSetting(setting::WarnOnExport) == "1" && rows.size() == 1 &&
        !Messages().Confirm("Are you sure you want to export only 1 item?", BoxKind::Warning))
        return;
    auto selection = CreateListObject(ListTypeFromName(list.GetListType()));
    if (!selection)
        return;
    const TItemType itemType = ListTypeToItemType(ListTypeFromName(list.GetListType()));
    for (const int32_t row : rows) {
        auto item = CreateItemObject(itemType);
        AssignItemObject(item.get(), list.GetItem(row));
        selection->Add(std::move(item));
    }
    ExportWithColumns(*selection);
}

void ClipboardCommands::ExportWithColumns(TBaseCustomListClass& exported)
{
    const TBaseCustomListClass& list = *form_.CurrentList();
    TColumnListClass columns;
    columns.SetTemplate(list.Count() > 0 ? list.GetItem(0) : nullptr);
    const Path file = ExportColumnFile(list);
    if (!file.empty()) {
        if (!ReadIniBool(file, kExportSection, "CustomHeader", false))
            columns.SaveToIni(file, kExportSection);
        else
            columns.LoadFromIni(file, kExportSection);
    }
    fieldOrder_.SetColumns(columns);
    if (ExecDialog(fieldOrder_) != QDialog::Accepted)
        return;
    fieldOrder_.GetColumns(columns);
    columns.SortByOrder();
    // Kept for the next export even when the save dialog is cancelled.
    if (!file.empty())
        columns.SaveToIni(file, kExportSection);

    FileDialogRequest request;
    request.caption = "Save As";
    request.folder = PathToQString(form_.Settings().GetFolder(setting::ExportPath));
    const std::string preset = lists_.DefaultListFileName() + " Export";
    if (IsSafeName(preset))
        request.fileName = ToQString(preset);
    request.filter = kSaveFilter;
    const auto chosen = FileDialogs().SaveFileName(request);
    if (!chosen)
        return;
    Path fileName = PathFromQString(*chosen);
    if (ExtractFileExt(fileName).empty())
        fileName = Path(fileName.Bytes() + ".CSV");
    ExportListObject(&exported, fileName, columns);
    form_.AddExplorerFileNode(ExplorerRoot::Exports, fileName);
}

bool ClipboardCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &form_.Window())
        return false;
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    // Only files from outside the program; drags inside it belong to the grid and the Explorer.
    if (drop->source() || !drop->mimeData()->hasUrls())
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        WMDropFiles(drop->mimeData()->urls());
    return true;
}

void ClipboardCommands::WMDropFiles(const QList<QUrl>& urls)
{
    const bool pending = !dropped_.empty();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            dropped_.push_back(PathFromQString(url.toLocalFile()));
    // Opening may show boxes: that waits until the file manager has its drop answered.
    if (!pending && !dropped_.empty())
        QMetaObject::invokeMethod(this, CommandSlot([this] { OpenDroppedFiles(); }), Qt::QueuedConnection);
}

void ClipboardCommands::OpenDroppedFiles()
{
    const std::vector<Path> files = std::move(dropped_);
    dropped_.clear();
    QString failed;
    for (const Path& file : files) {
        try {
            form_.OpenListFile(file);
        } catch (const std::exception& e) {
            failed += "\n" + PathToQString(file) + ": " + ErrorText(e);
        }
    }
    form_.RefreshTabs();
    if (!failed.isEmpty())
        Messages().Error("These files could not be opened:" + failed);
}

}  // namespace quorvel
