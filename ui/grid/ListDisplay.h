#pragma once

#include "model/ColumnList.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QTableView>

namespace quorvel {

class ListTableModel;
class TBaseCustomListClass;

// Binds one list and its display columns to one grid: row i shows item i, cells are computed on
// request, a header click sorts the list, typing searches the first visible column, and column
// widths are kept in a view file per list type and platform. The binding owns its columns and its
// table model, never the list or the grid. A grid's object name is part of the view file's format.
class TListDisplayClass {
public:
    TListDisplayClass();
    ~TListDisplayClass();
    TListDisplayClass(const TListDisplayClass&) = delete;
    TListDisplayClass& operator=(const TListDisplayClass&) = delete;

    void SetTree(QTableView* tree);
    void SetList(TBaseCustomListClass* list);
    void LoadView();
    // Never fails: a view that cannot be written is not worth stopping the caller for; ViewNotSaved is
    // told why.
    void SaveView();
    void ApplyColumns();
    void Refresh();
    void Resort();
    void CaptureColumnWidths();
    // Empties the grid's rows (the header stays).
    void ClearRows();
    TColumnListClass& GetColumns() { return Columns; }

    // Every row gets an unchecked check box (set right after SetTree).
    void SetShowCheckBoxes(bool on);
    bool GetShowCheckBoxes() const;
    bool IsChecked(int32_t row) const;
    void SetChecked(int32_t row, bool checked);
    std::vector<int32_t> CheckedRows() const;

    // Selected rows in list order, and their number, from the bound grid.
    std::vector<int32_t> SelectedRows() const;
    int32_t SelectedCount() const;

    TBaseCustomListClass* GetList() const { return List; }
    QTableView* GetTree() const { return Tree; }
    ListTableModel& Model() const { return *model_; }
    const std::string& GetSortField() const { return SortField; }
    int32_t GetSortColumn() const { return SortColumn; }
    int32_t GetSortDirection() const { return SortDirection; }
    bool IsViewDirty() const { return ViewDirty; }
    // Where a column layout that could not be saved or read is reported (the owner's status bar).
    std::function<void(const QString& text)> ViewNotSaved;

    // Where this list's columns live for this grid; empty names when the platform cannot name a file.
    Path ViewFileName() const;
    std::string ViewSectionName() const;
    static Path ViewFileName(const TBaseCustomListClass& list);
    static std::string ViewSectionName(const std::string& treeName, const std::string& platform);

    // The grid's requests, reachable for tests and benchmarks.
    std::string GetColumnField(int32_t visibleIndex) const;
    std::string TreeGetText(int32_t row, int32_t column) const;
    void TreeHeaderClick(int32_t column);
    void TreeColumnResize();
    // 0 when the row's first visible column begins with SearchText ignoring case, else 1.
    int TreeIncrementalSearch(int32_t row, const std::string& searchText) const;

private:
    void SortBy(const std::string& field, int32_t direction);
    void UpdateSortMark();
    void ConnectTree();
    void DisconnectTree();
    void RemoveHeaderColumns();

    TColumnListClass Columns;
    TBaseCustomListClass* List = nullptr;
    QPointer<QTableView> Tree;
    bool Sorting = false;
    int32_t SortColumn = 0;
    std::string SortField;
    int32_t SortDirection = 1;
    bool BuildingColumns = false;
    bool ViewDirty = false;

    class RowKeys;
    std::unique_ptr<ListTableModel> model_;
    std::unique_ptr<RowKeys> rowKeys_;
    std::vector<QMetaObject::Connection> connections_;
};

}  // namespace quorvel
