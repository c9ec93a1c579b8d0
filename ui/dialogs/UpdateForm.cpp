#include "ui/dialogs/UpdateForm.h"

#include "ui/UiScale.h"

#include "config/ManufacturerVerifier.h"
#include "config/PlatformList.h"
#include "model/BaseCustomListClass.h"
#include "platform/Cp1252.h"
#include "platform/qt/CommandGuard.h"
#include "platform/qt/QtCp1252.h"
#include "platform/qt/Services.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace quorvel {

// The rows of the dialog: old value -> new value, kept sorted by the old value ignoring case.
class MappingModel : public QAbstractTableModel {
public:
    using Row = std::pair<std::string, std::string>;

    explicit MappingModel(QObject* parent) : QAbstractTableModel(parent) { }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 2; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const Row& row = rows_[static_cast<size_t>(index.row())];
        return ToQString(index.column() == 0 ? row.first : row.second);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return section == 0 ? QString("Old Value") : QString("New Value");
    }

    const std::vector<Row>& Rows() const { return rows_; }

    void Clear()
    {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }

    void Add(Row row)
    {
        const auto at = std::upper_bound(rows_.begin(), rows_.end(), row, [](const Row& a, const Row& b) {
            return Cp1252::CompareNoCase(a.first, b.first) < 0;
        });
        const int position = static_cast<int>(at - rows_.begin());
        beginInsertRows({}, position, position);
        rows_.insert(at, std::move(row));
        endInsertRows();
    }

    void SetNewValue(int row, std::string value)
    {
        rows_[static_cast<size_t>(row)].second = std::move(value);
        emit dataChanged(index(row, 1), index(row, 1));
    }

    void Remove(int row)
    {
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }

private:
    std::vector<Row> rows_;
};

namespace {

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TUpdateForm::TUpdateForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("UpdateForm");
    setWindowTitle("Update Manufacturer");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    model_ = new MappingModel(this);
    listView_ = new QTreeView(this);
    listView_->setObjectName("ListView1");
    listView_->setModel(model_);
    listView_->setRootIsDecorated(false);
    listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->header()->setSectionsClickable(false);
    listView_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    mfgList_ = new QComboBox(this);
    mfgList_->setObjectName("MfgList");
    setValueButton_ = MakeButton("&Set New Value", "SetValueButton", this);
    clearButton_ = MakeButton("C&lear", "ClearButton", this);
    addMfgButton_ = MakeButton("&Add To Mfg List", "AddMfgButton", this);
    updateListButton_ = MakeButton("&Update List", "UpdateListButton", this);
    auto* cancelButton = MakeButton("&Cancel", "CancelButton", this);

    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            Guarded([this] { UpdateButtons(); }));
    connect(listView_, &QTreeView::clicked, this, Guarded([this] { UpdateButtons(); }));
    connect(mfgList_, &QComboBox::currentIndexChanged, this, Guarded([this] { UpdateButtons(); }));
    connect(setValueButton_, &QPushButton::clicked, this, Guarded([this] { SetValueButtonClick(); }));
    connect(clearButton_, &QPushButton::clicked, this, Guarded([this] { ClearButtonClick(); }));
    connect(addMfgButton_, &QPushButton::clicked, this, Guarded([this] { AddMfgButtonClick(); }));
    connect(updateListButton_, &QPushButton::clicked, this, Guarded([this] { UpdateListButtonClick(); }));
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(mfgList_);
    buttons->addWidget(setValueButton_);
    buttons->addWidget(clearButton_);
    buttons->addWidget(addMfgButton_);
    buttons->addStretch();
    buttons->addWidget(updateListButton_);
    buttons->addWidget(cancelButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(listView_, 1);
    layout->addLayout(buttons);
    setFixedSize(Scaled(520, 300).expandedTo(sizeHint()));
}

TUpdateForm::~TUpdateForm() = default;

bool TUpdateForm::VerifyManufacturers(TBaseCustomListClass& list)
{
    const auto problem = ManufacturerVerifier::CheckPlatform(list.GetPlatform());
    if (problem != ManufacturerVerifier::PlatformProblem::None) {
        Messages().Warning(ToQString(ManufacturerVerifier::ProblemMessage(problem, list.GetPlatform())));
        return false;
    }
    auto verifier = std::make_unique<ManufacturerVerifier>(list.GetPlatform());
    if (!verifier->HasKnown()) {
        if (Messages().Confirm("There are no manufacturers available for this platform.  Would you like to build "
                               "a list of manufactures from this list?"))
            verifier->BuildFromList(list);
        return false;
    }
    const auto unlisted = verifier->Unlisted(list);
    if (unlisted.empty()) {
        Messages().Information("All the Manufacturers are correct.");
        return false;
    }
    ClearMappings();
    for (const auto& maker : unlisted)
        AddMapping(maker, std::string());
    SetManufacturers(verifier->Known());
    List = &list;
    verifier_ = std::move(verifier);
    ExecDialog(*this);
    verifier_.reset();
    return true;
}

void TUpdateForm::ClearMappings() { model_->Clear(); }

void TUpdateForm::AddMapping(const std::string& oldValue, const std::string& newValue)
{
    model_->Add({oldValue, newValue});
}

std::vector<std::pair<std::string, std::string>> TUpdateForm::Mappings() const { return model_->Rows(); }

void TUpdateForm::SetManufacturers(std::vector<std::string> makers)
{
    SortNoCase(makers);
    mfgList_->clear();
    for (const auto& maker : makers)
        mfgList_->addItem(ToQString(maker));
    mfgList_->setCurrentIndex(-1);
}

std::vector<std::string> TUpdateForm::Manufacturers() const
{
    std::vector<std::string> makers;
    for (int i = 0; i < mfgList_->count(); ++i)
        makers.push_back(FromQString(mfgList_->itemText(i)));
    return makers;
}

void TUpdateForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    listView_->clearSelection();
    UpdateButtons();
}

int TUpdateForm::SelectedRow() const
{
    const auto rows = listView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void TUpdateForm::UpdateButtons()
{
    const bool selected = SelectedRow() >= 0;
    addMfgButton_->setEnabled(selected);
    clearButton_->setEnabled(selected);
    setValueButton_->setEnabled(selected && mfgList_->currentIndex() >= 0);
    const auto& rows = model_->Rows();
    updateListButton_->setEnabled(
        std::any_of(rows.begin(), rows.end(), [](const auto& row) { return !row.second.empty(); }));
}

void TUpdateForm::SetValueButtonClick()
{
    const int row = SelectedRow();
    if (row >= 0)
        model_->SetNewValue(row, FromQString(mfgList_->currentText()));
    UpdateButtons();
}

void TUpdateForm::ClearButtonClick()
{
    const int row = SelectedRow();
    if (row >= 0)
        model_->SetNewValue(row, std::string());
    UpdateButtons();
}

void TUpdateForm::AddMfgButtonClick()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    auto makers = Manufacturers();
    makers.push_back(model_->Rows()[static_cast<size_t>(row)].first);
    SortNoCase(makers);
    // The file first: a failed write leaves the row and the drop-down as they were.
    Verifier().SaveMakers(makers);
    const int chosen = mfgList_->currentIndex();
    const QString chosenText = mfgList_->currentText();
    SetManufacturers(makers);
    if (chosen >= 0)
        mfgList_->setCurrentIndex(mfgList_->findText(chosenText));
    model_->Remove(row);
    listView_->clearSelection();
    UpdateButtons();
}

ManufacturerVerifier& TUpdateForm::Verifier()
{
    if (!verifier_) {
        const std::string platform = List ? List->GetPlatform() : std::string();
        const auto problem = ManufacturerVerifier::CheckPlatform(platform);
        if (problem != ManufacturerVerifier::PlatformProblem::None)
            throw std::runtime_error(ManufacturerVerifier::ProblemMessage(problem, platform));
        verifier_ = std::make_unique<ManufacturerVerifier>(platform);
    }
    return *verifier_;
}

void TUpdateForm::UpdateListButtonClick()
{
    if (List)
        ManufacturerVerifier::ApplyMappings(*List, model_->Rows());
    accept();
}

}  // namespace quorvel
