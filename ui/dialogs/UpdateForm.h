#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QPushButton;
class QTreeView;

namespace quorvel {

class ManufacturerVerifier;
class MappingModel;
class TBaseCustomListClass;

// "Update Manufacturer": maps each Mfg value that the platform's manufacturer list lacks to a listed
// manufacturer, or adds it to that list (written at once), then rewrites the items' Mfg values.
class TUpdateForm : public QDialog {
    Q_OBJECT

public:
    explicit TUpdateForm(QWidget* parent = nullptr);
    ~TUpdateForm() override;

    // The whole Verify Manufacturers command on List: tells the user when every maker is known, offers
    // to build a first manufacturer list, or shows this dialog. True when the dialog was shown (the
    // items may have changed: the caller refreshes the grid, status bar and commands).
    bool VerifyManufacturers(TBaseCustomListClass& list);

    // The list whose items Update List corrects (not owned).
    TBaseCustomListClass* List = nullptr;

    void ClearMappings();
    void AddMapping(const std::string& oldValue, const std::string& newValue);
    // Old and new value of every row, in row order.
    std::vector<std::pair<std::string, std::string>> Mappings() const;
    // The drop-down's entries; it keeps them sorted.
    void SetManufacturers(std::vector<std::string> makers);
    std::vector<std::string> Manufacturers() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateButtons();
    int SelectedRow() const;
    // The manufacturer list of List's platform; throws when the platform cannot name a file.
    ManufacturerVerifier& Verifier();
    void SetValueButtonClick();
    void ClearButtonClick();
    void AddMfgButtonClick();
    void UpdateListButtonClick();

    MappingModel* model_ = nullptr;
    QTreeView* listView_ = nullptr;
    QComboBox* mfgList_ = nullptr;
    QPushButton* setValueButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* addMfgButton_ = nullptr;
    QPushButton* updateListButton_ = nullptr;
    // The platform's manufacturer list while the dialog runs.
    std::unique_ptr<ManufacturerVerifier> verifier_;
};

}  // namespace quorvel
