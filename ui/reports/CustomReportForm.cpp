#include "ui/reports/CustomReportForm.h"

#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/PlainText.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"
#include "reports/CustomReports.h"
#include "reports/ReportColumns.h"
#include "ui/dialogs/FieldOrderForm.h"
#include "ui/reports/ReportWriters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {

TCustomReportForm::TCustomReportForm(TFieldOrderForm& fieldOrder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), fieldOrder_(fieldOrder)
{
    setWindowTitle(QStringLiteral("Custom Reports"));
    Label1 = new PlainLabel(QStringLiteral("Report Name"), this);
    ReportNameEdit = new QLineEdit(this);
    ReportNameEdit->setObjectName("ReportNameEdit");
    Label1->setBuddy(ReportNameEdit);
    ReportNameList = new QListWidget(this);
    ReportNameList->setObjectName("ReportNameList");
    ReportNameList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    AddButton = new QPushButton(QStringLiteral("&Add"), this);
    AddButton->setObjectName("AddButton");
    RemoveButton = new QPushButton(QStringLiteral("&Remove"), this);
    RemoveButton->setObjectName("RemoveButton");
    ConfigureButton = new QPushButton(QStringLiteral("C&onfigure"), this);
    ConfigureButton->setObjectName("ConfigureButton");
    PrintButton = new QPushButton(QStringLiteral("&Print"), this);
    PrintButton->setObjectName("PrintButton");
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

    connect(ReportNameEdit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(ReportNameList, &QListWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(AddButton, &QPushButton::clicked, this, Guarded([this] { AddButtonClick(); }));
    connect(RemoveButton, &QPushButton::clicked, this, Guarded([this] { RemoveButtonClick(); }));
    connect(ConfigureButton, &QPushButton::clicked, this, Guarded([this] { ConfigureButtonClick(); }));
    connect(PrintButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    for (auto* button : {AddButton, RemoveButton, ConfigureButton, PrintButton, CancelButton})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* names = new QVBoxLayout;
    names->addWidget(Label1);
    names->addWidget(ReportNameEdit);
    names->addWidget(ReportNameList);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(names);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    UpdateButtons();
}

bool TCustomReportForm::IsValidReportName(const std::string& name)
{
    return !IsBlank(name) && name.find_first_of("[]\r\n") == std::string::npos;
}

int TCustomReportForm::GetSelectedCount() const
{
    int count = 0;
    for (int i = 0; i < ReportNameList->count(); ++i)
        count += ReportNameList->item(i)->isSelected() ? 1 : 0;
    return count;
}

std::string TCustomReportForm::GetSelectedReport(int index) const
{
    for (int i = 0; i < ReportNameList->count(); ++i)
        if (ReportNameList->item(i)->isSelected() && index-- == 0)
            return FromQString(ReportNameList->item(i)->text());
    return {};
}

void TCustomReportForm::showEvent(QShowEvent* event)
{
    RunCommand([this] { FormShow(); });
    QDialog::showEvent(event);
}

void TCustomReportForm::done(int result)
{
    RunCommand([this] { FormClose(); });
    QDialog::done(result);
}

void TCustomReportForm::FormShow()
{
    LoadReportList();
    UpdateButtons();
}

void TCustomReportForm::FormClose() { SaveReportList(); }

void TCustomReportForm::UpdateButtons()
{
    const bool selected = !ReportNameList->selectedItems().isEmpty();
    PrintButton->setEnabled(selected);
    ConfigureButton->setEnabled(selected);
    RemoveButton->setEnabled(selected);
    AddButton->setEnabled(!ReportNameEdit->text().isEmpty());
}

void TCustomReportForm::InsertName(const std::string& name)
{
    int row = ReportNameList->count();
    while (row > 0 && Cp1252::CompareNoCase(FromQString(ReportNameList->item(row - 1)->text()), name) > 0)
        --row;
    ReportNameList->insertItem(row, ToQString(name));
}

std::string TCustomReportForm::Section(const std::string& name) const { return CustomReportSection(ListType, name); }

void TCustomReportForm::LoadReportList()
{
    ReportNameList->clear();
    for (const auto& name : IniFile::Load(CustomReportsIniFile()).ReadIndexedList("ReportList", "Rpt"))
        if (!name.empty())
            InsertName(name);
}

void TCustomReportForm::SaveReportList()
{
    std::vector<std::string> names;
    for (int i = 0; i < ReportNameList->count(); ++i)
        names.push_back(FromQString(ReportNameList->item(i)->text()));
    // The whole section in one write: erased, then "Count" and the names.
    IniFile ini = IniFile::Load(CustomReportsIniFile());
    ini.WriteIndexedList("ReportList", "Rpt", names);
    ini.Save();
}

void TCustomReportForm::AddButtonClick()
{
    const std::string name = FromQString(ReportNameEdit->text());
    if (!IsValidReportName(name)) {
        Messages().Warning(QStringLiteral("A report name can not be blank or contain \"[\" or \"]\"."));
        return;
    }
    // Printing makes a file of the name: refused now rather than then.
    if (!CheckCustomReportName(name))
        return;
    InsertName(name);
    UpdateButtons();
}

void TCustomReportForm::RemoveButtonClick()
{
    if (!Messages().Confirm(QStringLiteral("Are you sure you want to remove these reports?")))
        return;
    const Path file = CustomReportsIniFile();
    for (int i = ReportNameList->count() - 1; i >= 0; --i) {
        if (!ReportNameList->item(i)->isSelected())
            continue;
        EraseIniSection(file, Section(FromQString(ReportNameList->item(i)->text())));
        delete ReportNameList->takeItem(i);
    }
    UpdateButtons();
}

void TCustomReportForm::ConfigureButtonClick()
{
    auto item = CreateItemObject(ListTypeToItemType(ListTypeFromName(ListType)));
    if (!item)
        return;
    const Path file = CustomReportsIniFile();
    // One set for the whole click: a name without a stored set starts from the one before it.
    TColumnListClass columns;
    columns.SetTemplate(item.get());
    for (int i = 0; i < GetSelectedCount(); ++i) {
        const std::string section = Section(GetSelectedReport(i));
        if (ReadIniBool(file, section, "CustomHeader", false))
            columns.LoadFromIni(file, section);
        else
            columns.SaveToIni(file, section);
        fieldOrder_.SetColumns(columns);
        if (ExecDialog(fieldOrder_) == QDialog::Accepted)
            fieldOrder_.GetColumns(columns);
        StoreReportColumns(columns, file, section);
    }
}

}  // namespace quorvel
