#include "ui/reports/ReportOptionsForm.h"

#include "platform/qt/CommandGuard.h"
#include "platform/qt/Services.h"
#include "ui/dialogs/FieldOrderForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel {

TReportOptionsForm::TReportOptionsForm(TFieldOrderForm& fieldOrder, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), fieldOrder_(fieldOrder)
{
}

void TReportOptionsForm::SetColumns(const TColumnListClass& source)
{
    Columns.Template = source.Template;
    Columns.Assign(source);
}

void TReportOptionsForm::GetColumns(TColumnListClass& dest) const { dest.Assign(Columns); }

void TReportOptionsForm::ColumnsButtonClick()
{
    fieldOrder_.SetColumns(Columns);
    if (ExecDialog(fieldOrder_) == QDialog::Accepted)
        fieldOrder_.GetColumns(Columns);
}

QVBoxLayout* TReportOptionsForm::MakeButtons(QPushButton*& ok, QPushButton*& cancel, QPushButton*& columns)
{
    ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    columns = new QPushButton(QStringLiteral("Columns..."), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(columns, &QPushButton::clicked, this, Guarded([this] { ColumnsButtonClick(); }));
    auto* layout = new QVBoxLayout;
    layout->addWidget(ok);
    layout->addWidget(cancel);
    layout->addWidget(columns);
    layout->addStretch();
    return layout;
}

QGroupBox* TReportOptionsForm::MakeIncludeGroup(QButtonGroup*& group)
{
    auto* box = new QGroupBox(QStringLiteral("Include"), this);
    auto* layout = new QVBoxLayout(box);
    box->setObjectName("BoxedOption");
    group = new QButtonGroup(this);
    for (int i = boUnboxed; i <= boBoth; ++i) {
        auto* button = new QRadioButton(QString::fromStdString(BoxedOptionText(i)), box);
        button->setObjectName(QString::fromStdString(BoxedOptionText(i)));
        group->addButton(button, i);
        layout->addWidget(button);
    }
    group->button(boUnboxed)->setChecked(true);
    return box;
}

}  // namespace quorvel
