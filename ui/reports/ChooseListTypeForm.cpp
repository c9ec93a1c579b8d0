#include "ui/reports/ChooseListTypeForm.h"

#include "model/ListFactory.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "ui/UiScale.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace quorvel {

TChooseListTypeForm::TChooseListTypeForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Choose List Type"));
    Label1 = new PlainLabel(QStringLiteral("List Type"), this);
    ListTypeCB = new QComboBox(this);
    ListTypeCB->setObjectName("ListTypeCB");
    ListTypeCB->setEditable(false);
    Label1->setBuddy(ListTypeCB);
    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListTypeCB);
    layout->addLayout(buttons);
    layout->addStrut(CaptionWidthFor(windowTitle()));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FormShow();
}

std::string TChooseListTypeForm::GetListType() const { return FromQString(ListTypeCB->currentText()); }

void TChooseListTypeForm::FormShow()
{
    std::vector<std::string> names;
    FillListTypeNames(names);
    ListTypeCB->clear();
    for (const auto& name : names)
        ListTypeCB->addItem(ToQString(name));
    ListTypeCB->setCurrentIndex(names.empty() ? -1 : 0);
}

void TChooseListTypeForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

}  // namespace quorvel
