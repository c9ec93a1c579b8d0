#pragma once

#include "model/BaseCustomListClass.h"
#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "reports/ReportHtml.h"
#include "support/GlobalsTest.h"
#include "support/qt/FakeServices.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::test {

struct TestItem {
    std::string title;
    FieldValue boxed = false;
    FieldValue quantity = int32_t {1};
};

// A configuration folder of its own, fake services, a fixed clock and small invented lists.
class ReportTest : public GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        G_ConfigFiles = Path(Dir().string() + "/");
    }

    static std::unique_ptr<TBaseCustomListClass> MakeList(const std::vector<TestItem>& items, TListType type = ltMedia,
                                                          const std::string& platform = "Zentrix 64",
                                                          const std::string& owner = "Ada Quill")
    {
        auto list = CreateListObject(type);
        list->SetPlatform(platform);
        list->SetOwner(owner);
        list->SetDescription("Shelf & <attic>");
        for (const auto& t : items) {
            auto item = list->CreateItem();
            item->SetFieldValue(type == ltMedia ? "Title" : "Name", t.title);
            item->SetFieldValue("Boxed", t.boxed);
            item->SetFieldValue("Quantity", t.quantity);
            list->Add(std::move(item));
        }
        return list;
    }

    // Only the named fields shown, in this order.
    static void ShowOnly(TColumnListClass& columns, const TBaseCustomListClass& list,
                         const std::vector<std::string>& fields)
    {
        columns.SetTemplate(list.GetItem(0));
        for (auto& column : columns.Columns)
            column->Hidden = true;
        int32_t order = 0;
        for (const auto& field : fields) {
            auto* column = columns.GetColumn(columns.IndexOfField(field));
            column->Hidden = false;
            column->Order = order++ - 100;
        }
        columns.SortByOrder();
    }

    // Saturday, December 5, 2026, 02:29 PM.
    const ReportClock clock {QDateTime(QDate(2026, 12, 5), QTime(14, 29)),
                             QLocale(QLocale::English, QLocale::UnitedStates)};
    FakeServices fake;
};

// The data rows of a report: the lines between the header row and the closing of the data table.
inline std::vector<std::string> DataRows(const HtmlReport& report)
{
    const auto lines = report.Lines();
    auto header =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("<TR><TH>", 0) == 0; });
    return {header + 1, std::find(header, lines.end(), "</TABLE>")};
}

}  // namespace quorvel::test
