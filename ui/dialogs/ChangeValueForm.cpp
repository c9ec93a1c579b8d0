#include "ui/dialogs/ChangeValueForm.h"

#include "config/PlatformList.h"
#include "config/ReferenceData.h"
#include "model/BaseCustomClass.h"
#include "model/DataField.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quorvel {

namespace {

const char kInvalidFieldMessage[] = "The FIELD Name is invalid!  Please report this problem!";

// A page holding the label "New Value" over its control.
QWidget* MakePage(const char* name, QWidget* control)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    auto* label = new PlainLabel("New Value", page);
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addWidget(control);
    layout->addStretch();
    return page;
}

}  // namespace

TChangeValueForm::TChangeValueForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("ChangeValueForm");
    setWindowTitle("Change Value");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    valueEdit_ = new WholeLineEdit;
    valueEdit_->setObjectName("ValueEdit");
    valueCB_ = new QCheckBox;
    valueCB_->setObjectName("ValueCB");
    valueDD_ = new QComboBox;
    valueDD_->setObjectName("ValueDD");
    stringPage_ = MakePage("String", valueEdit_);
    booleanPage_ = MakePage("Boolean", valueCB_);
    lookupPage_ = MakePage("Lookup", valueDD_);

    pages_ = new QStackedWidget(this);
    pages_->setObjectName("PageControl");
    pages_->addWidget(stringPage_);
    pages_->addWidget(booleanPage_);
    pages_->addWidget(lookupPage_);

    const auto [okButton, cancelButton] = MakeOKCancelButtons(*this);
    okButton_ = okButton;
    connect(valueEdit_, &QPlainTextEdit::textChanged, this, [this] { UpdateOKButton(); });
    connect(valueDD_, &QComboBox::currentIndexChanged, this, [this] { UpdateOKButton(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    resize(Scaled(325, 167));
}

std::vector<std::string> TChangeValueForm::ResolveLookupValues(TDataFieldClass& field, const std::string& platform,
                                                               const std::string& listType)
{
    const auto file = ReferenceData::FieldLookupFile(field.LookupFileKey, platform, listType);
    if (!file)
        return {};
    field.LookupFile = *file;
    field.LookupList = ReferenceData::FieldLookupValues(*file, field.LookupSection, ReferenceData::EmptyEntries::Skip);
    return field.LookupList;
}

void TChangeValueForm::GetValue(FieldValue& value) const { value = GetValue(); }

void TChangeValueForm::SetValueCheck(WholeTextEdit::ValueCheck check) { valueEdit_->SetValueCheck(std::move(check)); }

FieldValue TChangeValueForm::GetValue() const
{
    switch (page_) {
    case Page::String:
        return FromQString(valueEdit_->text());
    case Page::Lookup:
        return FromQString(valueDD_->currentText());
    case Page::Boolean:
        return valueCB_->isChecked();
    case Page::None:
        break;
    }
    return std::string();
}

void TChangeValueForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    RunCommand([this] { FormShow(); });
}

void TChangeValueForm::FormShow() { SetupValuePage(); }

void TChangeValueForm::SetupValuePage()
{
    page_ = Page::None;
    choiceNeeded_ = false;
    const auto itemType = ListTypeToItemType(ListTypeFromName(ListType));
    const auto item = CreateItemObject(itemType);
    const int32_t index = item ? item->IndexOfField(FieldName) : -1;
    if (index < 0) {
        // An unknown list type has no fields at all: the same fault as an unknown field.
        okButton_->setEnabled(false);
        Messages().Error(kInvalidFieldMessage);
        return;
    }
    TDataFieldClass field = item->GetField(index);
    dataType_ = field.GetDataType();
    setWindowTitle(OneLine(ToQString("Change " + field.GetCaption())));
    valueCB_->setText(ToQString(field.GetCaption()));

    const bool rangePage = dataType_ == dtInteger && field.HasRange();
    const bool lookupPage = dataType_ == dtString && field.IsLookup;
    if (dataType_ == dtBoolean) {
        ShowPage(Page::Boolean, valueCB_);
    } else if (lookupPage || rangePage) {
        std::vector<std::string> entries;
        if (lookupPage)
            entries = ResolveLookupValues(field, Platform, ListType);
        if (field.HasLookupFile()) {
            SortNoCase(entries);
        } else if (field.HasRange() && field.IsNumeric()) {
            choiceNeeded_ = true;
            const int64_t last = TryToInteger(field.Max).value_or(0);
            for (int64_t v = TryToInteger(field.Min).value_or(0); v <= last; ++v)
                entries.push_back(std::to_string(v));
        }
        valueDD_->clear();
        for (const auto& entry : entries)
            valueDD_->addItem(ToQString(entry));
        valueDD_->setCurrentIndex(-1);
        ShowPage(Page::Lookup, valueDD_);
    } else {
        // Text, money, floating-point and integer fields without a range; so are the kinds no
        // built-in field uses.
        ShowPage(Page::String, valueEdit_);
    }
}

void TChangeValueForm::ShowPage(Page page, QWidget* focus)
{
    page_ = page;
    pages_->setCurrentWidget(page == Page::Boolean ? booleanPage_ : page == Page::Lookup ? lookupPage_ : stringPage_);
    focus->setFocus();
    UpdateOKButton();
}

void TChangeValueForm::UpdateOKButton()
{
    bool valid = false;
    switch (page_) {
    case Page::String:
        // Any text is text: a long one is not made again at every key.
        valid = dataType_ == dtString || ConvertsTo(FieldValue(FromQString(valueEdit_->text())), dataType_);
        break;
    case Page::Lookup:
        valid = !choiceNeeded_ || valueDD_->currentIndex() >= 0;
        break;
    case Page::Boolean:
        valid = true;
        break;
    case Page::None:
        break;
    }
    okButton_->setEnabled(valid);
}

}  // namespace quorvel
