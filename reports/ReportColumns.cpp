#include "reports/ReportColumns.h"

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "model/ItemSort.h"
#include "model/LocaleFormat.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "reports/ReportHtml.h"

#include <charconv>

namespace quorvel {

namespace {

[[noreturn]] void RaiseValueError(const std::exception& e, const TBaseCustomClass& item, int32_t position,
                                  int64_t itemNumber)
{
    throw ItemValueError(e.what(), itemNumber, item.Fields()[position].Name);
}

}  // namespace

Path ReportsIniFile() { return JoinPath(G_ConfigFiles, "Reports.ini"); }

Path CustomReportsIniFile() { return JoinPath(G_ConfigFiles, "CustomReports.ini"); }

std::string ReportListTypeName(const TBaseCustomListClass& list) { return list.GetListType(); }

void LoadReportColumns(const TBaseCustomListClass& list, const Path& iniFile, const std::string& section,
                       TColumnListClass& columns)
{
    columns.SetTemplate(list.GetItem(0));
    if (ReadIniBool(iniFile, section, "CustomHeader", false))
        columns.LoadFromIni(iniFile, section);
    else
        columns.SaveToIni(iniFile, section);
}

void StoreReportColumns(TColumnListClass& columns, const Path& iniFile, const std::string& section)
{
    columns.SortByOrder();
    columns.SaveToIni(iniFile, section);
}

std::string ReportSortKey(const TColumnListClass& columns)
{
    for (const auto& column : columns.Columns)
        if (!column->Hidden)
            return column->Field;
    return {};
}

std::vector<uint32_t> SortedView(const TBaseCustomListClass& list, const std::string& sortKey)
{
    // A sorted copy is made by a fresh list, which sorts ascending.
    return SortedOrder(list.Items(), sortKey, 1);
}

int32_t ReportField::Position(const TBaseCustomClass& item)
{
    if (&item.Fields() != fieldSet_) {
        fieldSet_ = &item.Fields();
        position_ = item.IndexOfField(name_);
    }
    return position_;
}

bool ReportField::Boolean(const TBaseCustomClass& item, int64_t itemNumber)
{
    const int32_t p = Position(item);
    if (p < 0)
        return false;
    if (item.KindAt(p) == ValueKind::Text)
        if (auto quick = TryTextToBoolean(item.TextAt(p)))
            return *quick;
    try {
        return ToBoolean(item.ValueAt(p));
    } catch (const std::runtime_error& e) {
        RaiseValueError(e, item, p, itemNumber);
    }
}

int32_t ReportField::Integer(const TBaseCustomClass& item, int64_t itemNumber)
{
    const int32_t p = Position(item);
    if (p < 0)
        return 0;
    if (item.KindAt(p) == ValueKind::Text)
        if (auto quick = TryTextToInteger(item.TextAt(p)))
            return *quick;
    try {
        return ToInteger(item.ValueAt(p));
    } catch (const std::runtime_error& e) {
        RaiseValueError(e, item, p, itemNumber);
    }
}

ReportCells::ReportCells(const TColumnListClass& columns)
{
    for (const auto& column : columns.Columns)
        if (!column->Hidden)
            cells_.push_back({column->Field,
                              (cells_.empty() ? "" : "</TD>") + std::string(JustifiedCell(column->Justification)),
                              Cp1252::EqualsNoCase(column->Field, "QUANTITY")});
}

void ReportCells::Resolve(const TBaseCustomClass& item)
{
    fieldSet_ = &item.Fields();
    positions_.clear();
    types_.clear();
    for (const auto& cell : cells_) {
        const int32_t p = item.IndexOfField(cell.Field);
        positions_.push_back(p);
        types_.push_back(p < 0 ? dtString : item.Fields()[p].DataType);
    }
}

void ReportCells::Append(std::string& out, const TBaseCustomClass& item, std::string_view quantityText)
{
    if (&item.Fields() != fieldSet_)
        Resolve(item);
    for (size_t i = 0; i < cells_.size(); ++i) {
        out += cells_[i].Opening;
        const int32_t p = positions_[i];
        if (!quantityText.empty() && cells_[i].IsQuantity)
            out += quantityText;
        else if (p >= 0 && item.KindAt(p) == ValueKind::Text)
            AppendStoredText(out, types_[i], item.TextAt(p));
        else if (p >= 0)
            AppendHtmlText(out, item.DisplayTextAt(p));
    }
    if (!cells_.empty())
        out += "</TD>";
}

void ReportCells::AppendStoredText(std::string& out, TFieldDataType type, std::string_view text)
{
    // The display text of a stored text, as DisplayText gives it, without building a value.
    switch (type) {
    case dtInteger: {
        char digits[16];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, TryTextToInteger(text).value_or(0)).ptr);
        return;
    }
    case dtCurrency:
        if (auto money = TryTextToCurrency(text)) {
            money_.clear();
            LocaleFormat::Current().AppendMoney(money_, *money);
            AppendHtmlText(out, money_);
            return;
        }
        break;
    case dtBoolean:
        if (auto flag = TryTextToBoolean(text)) {
            out += *flag ? "Yes" : "No";
            return;
        }
        break;
    default:
        break;
    }
    AppendHtmlText(out, text);
}

}  // namespace quorvel
