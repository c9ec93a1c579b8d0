#pragma once

#include <QDialog>

#include "model/FieldValue.h"
#include "platform/qt/PlainText.h"

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QStackedWidget;

namespace quorvel {

class TDataFieldClass;

// Asks for one new value of one field; the caller gives it to every selected item. One page per kind
// of field: a text box, a check box, or a pick-only drop-down of the field's lookup values or range.
class TChangeValueForm : public QDialog {
    Q_OBJECT

public:
    explicit TChangeValueForm(QWidget* parent = nullptr);

    // Set by the caller before showing.
    std::string FieldName;  // compared ignoring case
    std::string Platform;   // for "%PLATFORM%" lookups
    std::string ListType;   // the item kind, and "%LISTTYPE%" lookups

    // After OK: text from the text box or the drop-down, a boolean from the check box.
    void GetValue(FieldValue& value) const;
    FieldValue GetValue() const;
    // Asked as a text value is typed or pasted; what it refuses is not taken (it says why itself).
    void SetValueCheck(WholeTextEdit::ValueCheck check);

    // The lookup values of a lookup field for a list of that platform and type ("%PLATFORM%",
    // "%LISTTYPE%" or "%GENERAL%" in the configuration folder); the field's LookupFile is set to the
    // file read. A field with any other key keeps its LookupFile and gets nothing.
    static std::vector<std::string> ResolveLookupValues(TDataFieldClass& field, const std::string& platform,
                                                        const std::string& listType);

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class Page { None, String, Boolean, Lookup };

    void FormShow();
    void SetupValuePage();
    void ShowPage(Page page, QWidget* focus);
    // OK only for a value the field can hold: a number or money field needs a text that converts,
    // a range needs a chosen entry; a text lookup may stay empty (it clears the field).
    void UpdateOKButton();

    QStackedWidget* pages_ = nullptr;
    QWidget* stringPage_ = nullptr;
    QWidget* booleanPage_ = nullptr;
    QWidget* lookupPage_ = nullptr;
    WholeLineEdit* valueEdit_ = nullptr;
    QCheckBox* valueCB_ = nullptr;
    QComboBox* valueDD_ = nullptr;
    QPushButton* okButton_ = nullptr;

    Page page_ = Page::None;
    TFieldDataType dataType_ = dtString;
    bool choiceNeeded_ = false;
};

}  // namespace quorvel
