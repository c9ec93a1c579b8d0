#pragma once

#include "model/BaseCustomClass.h"
#include "model/PropertyLayout.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace quorvel {

class TOptionsForm;

// One control made from a layout entry.
struct ControlInfo {
    enum Kind { ckEdit, ckDropDown, ckCheckBox, ckOptionButton };

    QWidget* Control = nullptr;
    QLabel* Label = nullptr;
    Kind ControlKind = ckEdit;
    std::string Caption;
    int32_t CaptionLocation = 0;
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::string FieldName;  // as written in the layout
    bool Required = false;
    int32_t OptionTab = -1;
    bool Sorted = false;  // a drop-down list of lookup values, kept in alphabetical order
};

// Shows one item in controls read from the layout file of its list type and platform. Calling
// protocol: SetCaption, SetItem, SetCancelCaption, write Platform and ListType, show with ExecDialog;
// on OK the caller runs ApplyValues, which writes the controls into the item.
class TCustomPropertyDialog : public QDialog {
    Q_OBJECT

public:
    explicit TCustomPropertyDialog(QWidget* parent = nullptr);
    ~TCustomPropertyDialog() override;

    // The controls the layout made, in layout order (read-only: the layout file decides them).
    const std::vector<std::unique_ptr<ControlInfo>>& GetControlInfos() const { return ControlInfos; }
    TBaseCustomClass* Item = nullptr;  // the caller's
    std::string Platform;
    std::string ListType;
    bool Modified = false;

    void SetCaption(const std::string& caption);
    void SetItem(TBaseCustomClass* item);
    void SetCancelCaption(const std::string& caption);
    // The options dialog that option buttons open; without one they open nothing.
    void SetOptionsForm(TOptionsForm* options) { options_ = options; }
    void ApplyValues();

    void FormShow();
    void ResetButtonClick();
    void ControlChanged();
    void OptionButtonClick(size_t infoIndex);
    void UpdateOkButton();
    void LoadValues();
    // Shows a message for every control whose value its field refuses; true when there is none.
    bool ValuesValid();
    // False, with a message, when the values would make the item's line in its list file too long.
    bool LineFits();

    // OK closes only with valid values (and a layout); every other way of closing always closes.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<std::unique_ptr<ControlInfo>> ControlInfos;

    void ClearLayout();
    bool LoadLayout();
    // A layout entry's control, by the kind its field asks for; a wrong entry is shown and skipped.
    void MakeControl(const LayoutRecord& entry);
    QWidget* NewControl(ControlInfo::Kind kind, const std::string& caption);
    void PlaceLabel(ControlInfo& info);
    void FillDropDown(ControlInfo& info, const FieldDefinition& field);
    void RefreshLookups();
    FieldValue ControlValue(const ControlInfo& info) const;
    // Every control's value into Target, but Except's.
    void ApplyValuesTo(TBaseCustomClass& target, const ControlInfo* except = nullptr) const;
    // False, with the line bound's message, when Changed is none or its line would be too long.
    bool LineFitsOrSaid(const TBaseCustomClass* changed) const;
    // Whether the edit at Position may hold Candidate: asked as it is typed or pasted.
    bool ValueFits(size_t position, const QString& candidate) const;
    std::string ControlText(const ControlInfo& info) const;
    // The item's field that a data control shows, or none.
    const FieldDefinition* FieldOf(const ControlInfo& info) const;

    TOptionsForm* options_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* reset_ = nullptr;
    bool layoutMissing_ = false;
};

}  // namespace quorvel
