#include "ui/dialogs/ListPropertiesForm.h"

#include "config/PlatformList.h"
#include "model/BaseCustomListClass.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "platform/Cp1252.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "ui/UiScale.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/LineBound.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {

// Index of the first entry equal to Name ignoring case, or -1.
int FindNoCase(const QComboBox* box, const std::string& name)
{
    for (int i = 0; i < box->count(); ++i) {
        if (Cp1252::EqualsNoCase(FromQString(box->itemText(i)), name))
            return i;
    }
    return -1;
}

}  // namespace

TListPropertyForm::TListPropertyForm(const PlatformList& platforms, QWidget* parent)
    : QDialog(parent), platforms_(platforms)
{
    setObjectName("ListPropertyForm");
    setWindowTitle("Properties");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    listTypeCB_ = new QComboBox(this);
    listTypeCB_->setObjectName("ListTypeCB");
    std::vector<std::string> types;
    FillListTypeNames(types);
    for (const auto& type : types)
        listTypeCB_->addItem(ToQString(type));

    platformCB_ = new QComboBox(this);
    platformCB_->setObjectName("PlatformCB");
    ownerEdit_ = new WholeLineEdit(this);
    ownerEdit_->setObjectName("OwnerEdit");
    descriptionMemo_ = new WholeTextEdit(this);
    descriptionMemo_->setObjectName("DescriptionMemo");
    descriptionMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Either text may not be typed or pasted past what the list's line can hold.
    ownerEdit_->SetValueCheck([this](const QString& owner) {
        return RoughlyFits(owner, descriptionMemo_->TextLength()) || LineFits(FromQString(owner), GetDescription());
    });
    descriptionMemo_->SetValueCheck([this](const QString& description) {
        return RoughlyFits(description, ownerEdit_->TextLength()) || LineFits(GetOwner(), FromQString(description));
    });

    const auto [okButton, cancelButton] = MakeOKCancelButtons(*this);
    okButton_ = okButton;
    connect(platformCB_, &QComboBox::currentIndexChanged, this, [this] { UpdateOKButton(); });

    auto* fields = new QVBoxLayout;
    const auto addLabelled = [this, fields](const char* caption, QWidget* control) {
        auto* label = new PlainLabel(caption, this);
        label->setBuddy(control);
        fields->addWidget(label);
        fields->addWidget(control);
    };
    addLabelled("List Type", listTypeCB_);
    addLabelled("Platform", platformCB_);
    addLabelled("Owner", ownerEdit_);
    addLabelled("Description", descriptionMemo_);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0);
    layout->addLayout(buttons, 0, 1);
    setFixedSize(Scaled(353, 248).expandedTo(sizeHint()));
}

void TListPropertyForm::SetListType(const std::string& name)
{
    const int index = FindNoCase(listTypeCB_, name);
    listTypeCB_->setCurrentIndex(index >= 0 ? index : 0);
    listTypeCB_->setEnabled(index < 0);
}

void TListPropertyForm::SetPlatform(const std::string& name)
{
    std::vector<std::string> names = platforms_.Names();
    SortNoCase(names);
    platformCB_->clear();
    for (const auto& platform : names)
        platformCB_->addItem(ToQString(platform));
    platformCB_->setCurrentIndex(FindNoCase(platformCB_, name));
    UpdateOKButton();
}

void TListPropertyForm::SetOwner(const std::string& text) { ownerEdit_->setText(ToQString(text)); }

void TListPropertyForm::SetDescription(const std::string& text) { descriptionMemo_->setPlainText(ToQString(text)); }

std::string TListPropertyForm::GetListType() const { return FromQString(listTypeCB_->currentText()); }

std::string TListPropertyForm::GetPlatform() const { return FromQString(platformCB_->currentText()); }

std::string TListPropertyForm::GetOwner() const { return FromQString(ownerEdit_->text()); }

std::string TListPropertyForm::GetDescription() const { return FromQString(descriptionMemo_->toPlainText()); }

void TListPropertyForm::done(int result)
{
    if (result == QDialog::Accepted && !LineFits(GetOwner(), GetDescription()))
        return;
    QDialog::done(result);
}

bool TListPropertyForm::RoughlyFits(const QString& candidate, qsizetype otherLength) const
{
    const uint64_t most = WrittenBytesBound(candidate) + 3 * uint64_t(otherLength) +
        3 * uint64_t(listTypeCB_->currentText().size() + platformCB_->currentText().size()) + 64;
    return most <= TBaseCustomListClass::MaxLineBytes;
}

bool TListPropertyForm::LineFits(const std::string& owner, const std::string& description) const
{
    if (PropertiesLineFits(GetListType(), GetPlatform(), owner, description))
        return true;
    Messages().Error(ToQString("The owner and description would make the list's line " + LongerThanLineBound() + "."));
    return false;
}

void TListPropertyForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TListPropertyForm::FormShow()
{
    UpdateOKButton();
    if (listTypeCB_->isEnabled())
        listTypeCB_->setFocus();
    else
        platformCB_->setFocus();
}

void TListPropertyForm::UpdateOKButton() { okButton_->setEnabled(platformCB_->currentIndex() >= 0); }

}  // namespace quorvel
