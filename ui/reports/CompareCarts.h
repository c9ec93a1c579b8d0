#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/CartListClass.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableView;

namespace quorvel {

class SettingsStore;
class TCartCompareClass;
class TListDisplayClass;

// One open list of the main window, with an identity that stays the same for as long as the list is
// open (its cleaned path, or one the main window keeps for a list that has none yet).
struct CompareListEntry {
    Path Identity;
    const TBaseCustomListClass* List = nullptr;
};

// "Compare Media Lists": picks two open media lists, compares them and shows what each lacks of the
// other. Modeless; hidden, not destroyed, when closed. Its combos hold list identities, never
// positions, so the main window tells it (SetLists) whenever lists open, close or change their names;
// a list that closes leaves its combo unselected, and every showing starts without a choice.
class TCompareCartsForm : public QWidget {
    Q_OBJECT

public:
    explicit TCompareCartsForm(const SettingsStore& settings, QWidget* parent = nullptr);
    ~TCompareCartsForm() override;

    // The main window's open lists in tab order (media and hardware); refills both combos with the
    // media lists, keeping each selection while its list stays open.
    void SetLists(const std::vector<CompareListEntry>& lists);
    // The same from the main window's open lists, each known by its opened file name.
    void SetLists(const std::vector<std::unique_ptr<TBaseCustomListClass>>& openLists);
    // Entries in each combo: the open media lists.
    int MediaListCount() const;

    void UpdateButtons();
    // Every show: placement, switches and grids as the window was left.
    void FormShow();
    // Every close: writes WindowStates.ini; a failure there is not worth keeping the window open.
    void FormClose();

    static Path WindowStatesFile();

    // Told the file of every report written, before it is handed to the browser.
    std::function<void(const Path& fileName)> ReportWritten;
    // Told when a grid's column layout could not be saved.
    std::function<void(const QString& text)> ViewNotSaved;

    const TCartListClass& GetLeftList() const { return *LeftList; }
    const TCartListClass& GetRightList() const { return *RightList; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Run through the guarded connections of the buttons and the grids' popups.
    void CompareButtonClick();
    void ReportButtonClick();
    void ExitButtonClick();
    void CustomizeLeftViewClick();
    void CustomizeRightViewClick();
    // Controls, by the names the window's behaviour is described with.
    QWidget* LeftPanel = nullptr;
    QWidget* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* CartListOneCB = nullptr;
    QComboBox* CartListTwoCB = nullptr;
    QTableView* leftListView = nullptr;
    QTableView* rightListView = nullptr;
    QAction* CustomizeLeftView = nullptr;
    QAction* CustomizeRightView = nullptr;
    QCheckBox* IgnoreLabelTypeCB = nullptr;
    QCheckBox* IgnoreLabelColorCB = nullptr;
    QCheckBox* IgnorePunctuation = nullptr;
    QCheckBox* MinQtyCB = nullptr;
    QSpinBox* MinQtyEdit = nullptr;
    QCheckBox* IgnoreMfgCB = nullptr;
    QPushButton* ReportButton = nullptr;
    QPushButton* CompareButton = nullptr;
    QPushButton* ExitButton = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

    QWidget* MakeHalf(QLabel*& caption, const char* captionText, QComboBox*& combo, QLabel*& title,
                      const char* titleText, QTableView*& view, QAction*& customize);
    void Customize(TListDisplayClass& display);
    void RunCompare();
    void ShowResult(const TCartCompareClass& engine, int32_t which, TCartListClass& dest,
                    const TBaseCustomListClass& source, TListDisplayClass& display);
    const TBaseCustomListClass* FindList(const QComboBox* combo) const;

    const SettingsStore& settings_;
    std::vector<CompareListEntry> Lists;
    // The lists outlive the bindings that show them.
    std::unique_ptr<TCartListClass> LeftList;
    std::unique_ptr<TCartListClass> RightList;
    std::unique_ptr<TListDisplayClass> LeftDisplay;
    std::unique_ptr<TListDisplayClass> RightDisplay;
    bool comparing_ = false;
};

}  // namespace quorvel
