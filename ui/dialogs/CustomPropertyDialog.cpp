#include "ui/dialogs/CustomPropertyDialog.h"

#include "config/ReferenceData.h"
#include "model/BaseCustomListClass.h"
#include "model/ListFile.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/UiScale.h"
#include "ui/dialogs/LineBound.h"
#include "ui/options/OptionsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace quorvel {

namespace {

constexpr int kButtonRight = 88;  // the fixed buttons' left edge, from the right of the client area
// A range longer than this is no list to pick from; the field gets an edit.
constexpr int64_t kMaxRangeEntries = 1000;

// The values of a field's lookup list for this platform and list type, sorted; nothing when the
// field has no lookup file. The one place the dialog reads reference data.
std::optional<std::vector<std::string>> LookupValues(const FieldDefinition& field, const std::string& platform,
                                                     const std::string& listType)
{
    const auto file = ReferenceData::FieldLookupFile(field.LookupFileKey, platform, listType);
    if (!file || file->empty())
        return std::nullopt;
    auto values = ReferenceData::FieldLookupValues(*file, field.LookupSection, ReferenceData::EmptyEntries::Skip);
    std::stable_sort(values.begin(), values.end(),
                     [](const std::string& a, const std::string& b) { return Cp1252::CompareNoCase(a, b) < 0; });
    return values;
}

// Both bounds, numeric, and a list of sensible length.
bool HasUsableRange(const FieldDefinition& field)
{
    if (!IsAssigned(field.Min) || !IsAssigned(field.Max) || !field.IsNumeric())
        return false;
    const auto low = TryToInteger(field.Min);
    const auto high = TryToInteger(field.Max);
    return low && high && *low <= *high && int64_t(*high) - *low < kMaxRangeEntries;
}

// Selects the entry equal to Text ignoring case. A value the list lacks is added (in its
// alphabetical place in a sorted list), so that confirming the dialog never loses it.
void SelectText(QComboBox* box, const std::string& text, bool sorted)
{
    if (text.empty()) {
        box->setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < box->count(); ++i) {
        if (Cp1252::EqualsNoCase(FromQString(box->itemText(i)), text)) {
            box->setCurrentIndex(i);
            return;
        }
    }
    int at = box->count();
    if (sorted) {
        at = 0;
        while (at < box->count() && Cp1252::CompareNoCase(FromQString(box->itemText(at)), text) < 0)
            ++at;
    }
    box->insertItem(at, ToQString(text));
    box->setCurrentIndex(at);
}

void FillEntries(QComboBox* box, const std::vector<std::string>& entries)
{
    box->clear();
    for (const auto& entry : entries)
        box->addItem(ToQString(entry));
}

// The control a layout entry gets: a button for an option tab, else by its field's type; none for a
// type no built-in field has.
std::optional<ControlInfo::Kind> ControlKindOf(const LayoutRecord& entry, const FieldDefinition* field)
{
    if (entry.OptionTab >= 0)
        return ControlInfo::ckOptionButton;
    switch (field->DataType) {
    case dtInteger:
        return HasUsableRange(*field) ? ControlInfo::ckDropDown : ControlInfo::ckEdit;
    case dtDouble:
    case dtCurrency:
        return ControlInfo::ckEdit;
    case dtBoolean:
        return ControlInfo::ckCheckBox;
    case dtString:
        return field->IsLookup ? ControlInfo::ckDropDown : ControlInfo::ckEdit;
    default:
        return std::nullopt;
    }
}

}  // namespace

TCustomPropertyDialog::TCustomPropertyDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("CustomPropertyDialog");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Scaled(488, 448));

    const auto button = [this](const char* name, const char* caption, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(width() - Scaled(kButtonRight), Scaled(top), Scaled(75), Scaled(25));
        b->setAutoDefault(false);
        return b;
    };
    ok_ = button("OkButton", "&OK", 16);
    cancel_ = button("CancelButton", "&Cancel", 48);
    reset_ = button("ResetButton", "&Reset", 80);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(reset_, &QPushButton::clicked, this, Guarded([this] { ResetButtonClick(); }));
}

TCustomPropertyDialog::~TCustomPropertyDialog() { ClearLayout(); }

void TCustomPropertyDialog::SetCaption(const std::string& caption) { setWindowTitle(OneLine(ToQString(caption))); }

void TCustomPropertyDialog::SetItem(TBaseCustomClass* item)
{
    Item = item;
    // Before a showing the controls are the last showing's: the showing makes them and loads them.
    if (isVisible())
        LoadValues();
}

void TCustomPropertyDialog::SetCancelCaption(const std::string& caption) { cancel_->setText(ToQString(caption)); }

void TCustomPropertyDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored by the window system is not a new showing.
    if (!event->spontaneous())
        RunCommand([this] { FormShow(); });
}

void TCustomPropertyDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!reset_)
        return;
    for (auto* b : {ok_, cancel_, reset_})
        b->move(width() - Scaled(kButtonRight), b->y());
}

void TCustomPropertyDialog::FormShow()
{
    layoutMissing_ = !LoadLayout();
    if (layoutMissing_) {
        ok_->setEnabled(false);
        // Closing from inside the showing would leave a modal loop without a window: close just after.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    LoadValues();
    UpdateOkButton();
    if (!ControlInfos.empty())
        ControlInfos.front()->Control->setFocus();
}

void TCustomPropertyDialog::ClearLayout()
{
    while (!ControlInfos.empty()) {
        delete ControlInfos.back()->Control;
        delete ControlInfos.back()->Label;
        ControlInfos.pop_back();
    }
}

bool TCustomPropertyDialog::LoadLayout()
{
    ClearLayout();
    Path missing;
    const auto file = FindLayoutFile(G_ConfigFiles, ListType, Platform, &missing);
    const auto layout = file ? LoadLayoutFile(*file) : std::nullopt;
    if (!layout) {
        Messages().Error(QString("The Layout \"%1\" does not exist!  You will not be able to use this dialog.")
                             .arg(PathToQString(file ? *file : missing)));
        return false;
    }
    // The layout gives the client area, so that its controls fit whatever frame the desktop draws;
    // its pixels are the design's, drawn at this desktop's scale. A damaged layout may ask for more
    // than the screen: the window, frame and all, stays on the part windows may use, so that its
    // buttons can be reached.
    const QRect area = Screen().AvailableGeometry();
    QSize frame = frameGeometry().size() - size();
    if (frame.isNull()) {
        // Not shown yet: the frame is not known, so leave room for a title bar and borders.
        const int border = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        frame = QSize(border, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + border);
    }
    const QSize size = Scaled(layout->Width, layout->Height).boundedTo(area.size() - frame);
    setFixedSize(size);
    move(area.x() + (area.width() - size.width() - frame.width()) / 2,
         area.y() + (area.height() - size.height() - frame.height()) / 2);
    for (const auto& entry : layout->Controls)
        MakeControl(entry);

    QWidget* previous = nullptr;
    for (const auto& info : ControlInfos) {
        if (previous)
            setTabOrder(previous, info->Control);
        previous = info->Control;
    }
    for (QWidget* b : {static_cast<QWidget*>(ok_), static_cast<QWidget*>(cancel_), static_cast<QWidget*>(reset_)}) {
        if (previous)
            setTabOrder(previous, b);
        previous = b;
    }
    return true;
}

void TCustomPropertyDialog::MakeControl(const LayoutRecord& entry)
{
    const int index = Item ? Item->IndexOfField(entry.FieldName) : -1;
    if (index < 0 && entry.OptionTab == -1) {
        Messages().Error(QString("The Field Name \"%1\" Is INVALID.").arg(ToQString(entry.FieldName)));
        return;
    }
    if (entry.OptionTab < -1)
        return;
    const FieldDefinition* field = index >= 0 ? &Item->Fields()[index] : nullptr;
    const auto kind = ControlKindOf(entry, field);
    if (!kind)
        return;

    auto info = std::make_unique<ControlInfo>();
    info->ControlKind = *kind;
    info->Caption = entry.Caption;
    info->CaptionLocation = entry.CaptionLocation;
    info->Top = entry.Top;
    info->Left = entry.Left;
    info->Width = entry.Width;
    info->Height = entry.Height;
    info->FieldName = entry.FieldName;
    info->OptionTab = entry.OptionTab;
    info->Control = NewControl(*kind, entry.Caption);
    info->Control->setGeometry(Scaled(entry.Left), Scaled(entry.Top), Scaled(entry.Width), Scaled(entry.Height));
    info->Control->show();
    if (*kind == ControlInfo::ckEdit || *kind == ControlInfo::ckDropDown) {
        info->Label = new PlainLabel(ToQString(entry.Caption), this);
        PlaceLabel(*info);
        info->Label->show();
    }
    if (*kind != ControlInfo::ckOptionButton)
        info->Required = field->Required;
    if (*kind == ControlInfo::ckDropDown)
        FillDropDown(*info, *field);
    ControlInfos.push_back(std::move(info));
}

QWidget* TCustomPropertyDialog::NewControl(ControlInfo::Kind kind, const std::string& caption)
{
    const auto changed = Guarded([this] { ControlChanged(); });
    switch (kind) {
    case ControlInfo::ckEdit: {
        auto* edit = new WholeLineEdit(this);
        connect(edit, &QPlainTextEdit::textChanged, this, changed);
        // The edit's control is the next one kept.
        const size_t position = ControlInfos.size();
        edit->SetValueCheck([this, position](const QString& candidate) { return ValueFits(position, candidate); });
        return edit;
    }
    case ControlInfo::ckDropDown: {
        auto* box = new QComboBox(this);
        box->setEditable(false);
        connect(box, &QComboBox::currentIndexChanged, this, changed);
        return box;
    }
    case ControlInfo::ckCheckBox: {
        auto* check = new QCheckBox(OneLine(ToQString(caption)), this);
        connect(check, &QCheckBox::toggled, this, changed);
        return check;
    }
    case ControlInfo::ckOptionButton:
        break;
    }
    auto* button = new QPushButton(OneLine(ToQString(caption)), this);
    button->setAutoDefault(false);
    // The button's control is the next one kept.
    const size_t position = ControlInfos.size();
    connect(button, &QPushButton::clicked, this, Guarded([this, position] { OptionButtonClick(position); }));
    return button;
}

void TCustomPropertyDialog::PlaceLabel(ControlInfo& info)
{
    QLabel* label = info.Label;
    label->adjustSize();
    const QRect c = info.Control->geometry();
    switch (info.CaptionLocation) {
    case 0:
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->move(c.left() - label->width() - Scaled(4), c.top() + (c.height() / 2 - label->height() / 2));
        break;
    case 1:
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->move(c.left(), c.top() - label->height() - Scaled(2));
        break;
    default:
        label->move(0, 0);
        break;
    }
}

void TCustomPropertyDialog::FillDropDown(ControlInfo& info, const FieldDefinition& field)
{
    auto* box = static_cast<QComboBox*>(info.Control);
    const QSignalBlocker quiet(box);
    if (auto values = LookupValues(field, Platform, ListType)) {
        info.Sorted = true;
        FillEntries(box, *values);
    } else if (HasUsableRange(field)) {
        box->clear();
        for (int32_t v = ToInteger(field.Min); v <= ToInteger(field.Max); ++v)
            box->addItem(QString::number(v));
    } else {
        box->clear();  // a lookup field whose list cannot be named here
    }
    box->setCurrentIndex(-1);
}

const FieldDefinition* TCustomPropertyDialog::FieldOf(const ControlInfo& info) const
{
    if (!Item || info.ControlKind == ControlInfo::ckOptionButton)
        return nullptr;
    const int index = Item->IndexOfField(info.FieldName);
    return index < 0 ? nullptr : &Item->Fields()[index];
}

void TCustomPropertyDialog::LoadValues()
{
    for (const auto& info : ControlInfos) {
        if (!FieldOf(*info))
            continue;
        const FieldValue value = Item->GetFieldValue(info->FieldName);
        const QSignalBlocker quiet(info->Control);
        switch (info->ControlKind) {
        case ControlInfo::ckEdit:
            static_cast<WholeLineEdit*>(info->Control)->setText(ToQString(ToText(value)));
            break;
        case ControlInfo::ckDropDown:
            SelectText(static_cast<QComboBox*>(info->Control), ToText(value), info->Sorted);
            break;
        case ControlInfo::ckCheckBox:
            // Only a value that means true ticks the box: empty and "False" stay unticked.
            static_cast<QCheckBox*>(info->Control)->setChecked(TryToBoolean(value).value_or(false));
            break;
        case ControlInfo::ckOptionButton:
            break;
        }
    }
    Modified = false;
}

std::string TCustomPropertyDialog::ControlText(const ControlInfo& info) const
{
    switch (info.ControlKind) {
    case ControlInfo::ckEdit:
        return FromQString(static_cast<WholeLineEdit*>(info.Control)->text());
    case ControlInfo::ckDropDown:
        return FromQString(static_cast<QComboBox*>(info.Control)->currentText());
    case ControlInfo::ckCheckBox:
        return ToText(static_cast<QCheckBox*>(info.Control)->isChecked());
    case ControlInfo::ckOptionButton:
        break;
    }
    return {};
}

FieldValue TCustomPropertyDialog::ControlValue(const ControlInfo& info) const
{
    if (info.ControlKind == ControlInfo::ckCheckBox)
        return static_cast<QCheckBox*>(info.Control)->isChecked();
    return ControlText(info);
}

void TCustomPropertyDialog::ControlChanged()
{
    Modified = true;
    UpdateOkButton();
}

void TCustomPropertyDialog::UpdateOkButton()
{
    bool filled = true;
    for (const auto& info : ControlInfos) {
        // An edit's length is known without making its text, which may be long.
        const bool empty = info->ControlKind == ControlInfo::ckEdit
            ? static_cast<WholeLineEdit*>(info->Control)->TextLength() == 0
            : ControlText(*info).empty();
        if (info->Required && empty)
            filled = false;
    }
    ok_->setEnabled(Modified && filled && !layoutMissing_);
}

void TCustomPropertyDialog::ResetButtonClick()
{
    LoadValues();
    UpdateOkButton();
}

void TCustomPropertyDialog::ApplyValuesTo(TBaseCustomClass& target, const ControlInfo* except) const
{
    for (const auto& info : ControlInfos) {
        if (info->FieldName.empty() || info->ControlKind == ControlInfo::ckOptionButton || info.get() == except)
            continue;
        target.SetFieldValue(info->FieldName, ControlValue(*info));
    }
}

void TCustomPropertyDialog::ApplyValues()
{
    if (Item)
        ApplyValuesTo(*Item);
}

bool TCustomPropertyDialog::LineFits()
{
    if (!Item)
        return true;
    const auto changed = Item->Clone();
    ApplyValuesTo(*changed);
    return LineFitsOrSaid(changed.get());
}

bool TCustomPropertyDialog::LineFitsOrSaid(const TBaseCustomClass* changed) const
{
    if (changed && ItemLineFits(*changed))
        return true;
    Messages().Error(ToQString("These values would make the item's line " + LongerThanLineBound() + "."));
    return false;
}

bool TCustomPropertyDialog::ValueFits(size_t position, const QString& candidate) const
{
    if (!Item || position >= ControlInfos.size())
        return true;
    // Each character is at least a byte of the line: a longer value is refused before it is made.
    if (uint64_t(candidate.size()) > TBaseCustomListClass::MaxLineBytes)
        return LineFitsOrSaid(nullptr);
    const ControlInfo& info = *ControlInfos[position];
    const int32_t field = Item->IndexOfField(info.FieldName);
    // A bound that is cheap at every key: the other values at their most, this one as written.
    uint64_t most = WrittenBytesBound(candidate) + OtherFieldsBytesBound(*Item, field);
    for (const auto& other : ControlInfos)
        if (other.get() != &info && other->ControlKind == ControlInfo::ckEdit)
            most += 3 * uint64_t(static_cast<WholeLineEdit*>(other->Control)->TextLength()) + 48;
        else if (other.get() != &info && other->ControlKind == ControlInfo::ckDropDown)
            most += 3 * uint64_t(static_cast<QComboBox*>(other->Control)->currentText().size()) + 48;
    if (most <= TBaseCustomListClass::MaxLineBytes)
        return true;
    const auto changed = Item->Clone();
    ApplyValuesTo(*changed, &info);
    changed->SetFieldValue(info.FieldName, FromQString(candidate));
    return LineFitsOrSaid(changed.get());
}

bool TCustomPropertyDialog::ValuesValid()
{
    bool valid = true;
    for (const auto& info : ControlInfos) {
        if (!FieldOf(*info))
            continue;
        const TDataFieldClass field = Item->GetField(Item->IndexOfField(info->FieldName));
        if (field.IsValidValue(ControlValue(*info)))
            continue;
        valid = false;
        Messages().Error(QString("The value \"%1\" is not valid for the field \"%2\"")
                             .arg(ToQString(ControlText(*info)), ToQString(info->FieldName)));
    }
    return valid;
}

void TCustomPropertyDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        bool refused = layoutMissing_;
        if (!refused)
            RunCommand([this, &refused] { refused = !ValuesValid() || !LineFits(); });
        if (refused)
            return;
    }
    QDialog::done(result);
}

void TCustomPropertyDialog::OptionButtonClick(size_t infoIndex)
{
    if (infoIndex >= ControlInfos.size())
        return;
    const ControlInfo& info = *ControlInfos[infoIndex];
    int page = info.OptionTab - 1;
    if (page < 0 || page > TOptionsForm::pgCartwell)
        page = 0;
    if (!info.FieldName.empty()) {
        const int index = Item ? Item->IndexOfField(info.FieldName) : -1;
        if (index < 0) {
            Messages().Error(QString("The Field Name \"%1 Is INVALID.  Please check your CDL file for corruption.")
                                 .arg(ToQString(info.FieldName)));
        } else if (options_) {
            const FieldDefinition& field = Item->Fields()[index];
            const std::string key = Cp1252::ToUpper(field.LookupFileKey);
            if (key == "%GENERAL%")
                options_->PresetLookupName = field.LookupSection;
            else if (key == "%PLATFORM%")
                options_->PresetPlatform = Platform;
        }
    }
    if (options_ && options_->ShowOptions(page) == QDialog::Accepted) {
        options_->AcceptChanges();
        RefreshLookups();
    }
    UpdateOkButton();
}

void TCustomPropertyDialog::RefreshLookups()
{
    for (const auto& info : ControlInfos) {
        const FieldDefinition* field = FieldOf(*info);
        if (!field || info->ControlKind != ControlInfo::ckDropDown || !info->Sorted)
            continue;
        auto* box = static_cast<QComboBox*>(info->Control);
        const std::string text = FromQString(box->currentText());
        const auto values = LookupValues(*field, Platform, ListType);
        const QSignalBlocker quiet(box);
        FillEntries(box, values.value_or(std::vector<std::string> {}));
        SelectText(box, text, true);
    }
}

}  // namespace quorvel
