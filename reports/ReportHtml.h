#pragma once

#include <QDateTime>
#include <QLocale>

#include <string>
#include <string_view>
#include <vector>

#include "platform/SafeFile.h"

namespace quorvel {

class TColumnListClass;

// What a report takes from outside besides its list: the moment it reports and the locale of the
// day and month names. The wrappers pass now and the system locale; tests pass fixed ones.
struct ReportClock {
    QDateTime Now;
    QLocale Locale;
    static ReportClock System();
};

// The font of a report's text; where Verdana is missing, the desktop's sans-serif font.
inline constexpr std::string_view kReportFontLine = "<FONT FACE=\"Verdana, sans-serif\">";

// The colour table: 1 "#FFFFFF", 2 "#DDDDDD", 3 "#BBBBBB"; any other entry reads as 1.
const char* ReportColour(int entry);

// Words longer than this may break, so that one long unbroken value cannot widen a report past the
// window; shorter words (prices, dates, numbers, captions) are never broken.
inline constexpr size_t kLongWord = 30;

// Windows-1252 text as UTF-8 with & < > " escaped: every text a report inserts goes through this.
// A very long word gets break opportunities; a short value without a blank is kept on one line.
std::string HtmlText(std::string_view cp1252);
void AppendHtmlText(std::string& out, std::string_view cp1252);

// "dddd, mmmm d, yyyy, hh:mm AM/PM" with the locale's day and month names, as UTF-8 (escaped).
std::string ReportDateText(const ReportClock& clock);

// The cell that opens a column of that justification; one outside 0..2 is written as LEFT.
std::string_view JustifiedCell(int justification);

// The document of a report as UTF-8 with a byte-order mark, every line ended by CR LF, built in one
// buffer so that a big report is never held twice; with a file, the buffer is handed to it as it
// fills and at Finish, so that a big report is never held whole. Lines holding inserted text take it
// escaped.
class HtmlReport {
public:
    explicit HtmlReport(const ReportClock& clock, AtomicFileWriter* file = nullptr);

    // The document type, "<HTML>", the character set and table style, the title, "<BODY>".
    void Head(std::string_view title);
    // The head, the font and the opening of the label table.
    void Begin(std::string_view title);
    // A label row; colours alternate from "#BBBBBB".
    void LabelRow(std::string_view label, std::string_view value);
    // The "Date" label row.
    void DateRow();
    // Closes the label table and opens the data table.
    void OpenData(bool fullWidth);
    // "<TR>", the leading cells, a "<TH>" per shown column, the trailing cells, "</TR>".
    void HeaderRow(const TColumnListClass& columns, std::string_view leading = {}, std::string_view trailing = {});
    // The stripe counter's step before a data row; answers the colour entry.
    int NextStripe();
    void SetStripe(int counter) { stripe_ = counter; }
    // A line of fixed markup, or one its caller escaped already.
    void Line(std::string_view line);
    // A data row (a line); Expected rows in all lets the buffer be sized once from the first rows.
    void DataRow(std::string_view line, size_t expected);
    // Data rows made elsewhere, each ended by CR LF; Pieces in all lets the buffer be sized once.
    void DataRows(std::string_view rows, size_t pieces);
    // Closes the data table, then the footnote line (raw) when given, the footer and the document.
    void Finish(std::string_view footnote = {});

    // The whole file's bytes (with a file, those not handed to it yet).
    const std::string& Bytes() const { return text_; }
    // The lines without the byte-order mark and the line ends.
    std::vector<std::string> Lines() const;

private:
    void HandOver();

    ReportClock clock_;
    AtomicFileWriter* file_ = nullptr;
    std::string text_;
    int labelRows_ = 0;
    int stripe_ = 0;
    size_t dataRows_ = 0;
    size_t dataStart_ = 0;
};

}  // namespace quorvel
