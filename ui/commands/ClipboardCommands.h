#pragma once

#include "ui/window/MainFormAccess.h"

#include <QList>
#include <QUrl>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

class ListCommands;
class TBaseCustomListClass;
class TColumnListClass;
class TFieldOrderForm;

// Items out of and into the current list as text: copy and paste through the clipboard, export of
// the list or the selection with the columns remembered per list type and platform, and list files
// dropped on the window from the file manager.
class ClipboardCommands : public CommandGroup {
    Q_OBJECT
public:
    ClipboardCommands(MainFormAccess& form, TFieldOrderForm& fieldOrder, const ListCommands& lists);

    void CopyMainMenuClick();
    void PasteMainMenuClick();
    void ExportListMainMenuClick();
    void ExportListPopupMenuClick();
    // Takes the dropped addresses; the files open once the drop event has returned.
    void WMDropFiles(const QList<QUrl>& urls);

    // Clipboard text of the rows (item positions), built in one buffer; empty without rows.
    static std::string ClipboardText(const TBaseCustomListClass& list, const std::vector<int32_t>& rows);
    // The export column file of the list's type and platform; empty when the platform can name no file.
    static Path ExportColumnFile(const TBaseCustomListClass& list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The grid shows the list as it is after a paste, whether the paste went through or not.
    void RefreshAfterPaste(const TBaseCustomListClass& list, bool wasEmpty);
    void ExportSelection();
    // Column choice, save dialog and export of Exported, with CurrentList's first item as template.
    void ExportWithColumns(TBaseCustomListClass& exported);
    void OpenDroppedFiles();

    TFieldOrderForm& fieldOrder_;
    const ListCommands& lists_;
    std::vector<Path> dropped_;
};

}  // namespace quorvel
