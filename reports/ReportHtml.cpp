#include "reports/ReportHtml.h"

#include "config/SiteAddresses.h"
#include "model/ColumnList.h"
#include "platform/Cp1252.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

#include <array>
#include <cstdio>

namespace quorvel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The entity of a character that HTML text must not hold as it is; none for every other one.
const char* HtmlEntity(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

std::string EscapedUtf8(const QString& text)
{
    std::string out;
    for (char c : text.toUtf8().toStdString()) {
        if (const char* entity = HtmlEntity(c))
            out += entity;
        else
            out += c;
    }
    return out;
}

}  // namespace

ReportClock ReportClock::System() { return {QDateTime::currentDateTime(), QLocale::system()}; }

const char* ReportColour(int entry)
{
    switch (entry) {
    case 2:
        return "#DDDDDD";
    case 3:
        return "#BBBBBB";
    default:
        return "#FFFFFF";
    }
}

namespace {

// A word longer than kLongWord gets a break opportunity after every kWordPiece characters, so that
// one long unbroken value widens a report that is already as narrow as it can be by a few characters
// at most (and a row grows by a line per piece).
constexpr size_t kWordPiece = 8;
// A value this short without a blank (a model number, a date) is kept on one line even where a
// browser would break it, after a hyphen, a dash or a question mark.
constexpr size_t kShortValue = 12;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether Text is short, has no blank, and holds a character a browser may break a line after
// (or before): "-" (but not the sign of a number), "?", "!", "|", and in Windows-1252 the
// ellipsis, the dashes, the soft hyphen and the acute accent.
bool KeptOnOneLine(std::string_view text)
{
    if (text.size() < 2 || text.size() > kShortValue)
        return false;
    bool breaks = false;
    for (size_t i = 0; i < text.size(); ++i) {
        switch (static_cast<unsigned char>(text[i])) {
        case ' ':
        case '\t':
        case '\r':
        case '\n':
            return false;
        case '-':
            // A leading "-" before a digit is a number's sign.
            breaks = breaks || i > 0 || text[1] < '0' || text[1] > '9';
            break;
        case '?':
        case '!':
        case '|':
        case 0x85:
        case 0x96:
        case 0x97:
        case 0xAD:
        case 0xB4:
            breaks = true;
            break;
        default:
            break;
        }
    }
    return breaks;
}

void AppendCharacter(std::string& out, char c)
{
    if (const char* entity = HtmlEntity(c))
        out += entity;
    else
        Cp1252::AppendUtf8(out, Cp1252::ToUnicode(static_cast<unsigned char>(c)));
}

// Text from a word's start on, word by word.
void AppendWords(std::string& out, std::string_view cp1252)
{
    for (size_t i = 0; i < cp1252.size();) {
        if (IsBlank(cp1252[i])) {
            out += cp1252[i++];
            continue;
        }
        size_t end = i;
        while (end < cp1252.size() && !IsBlank(cp1252[end]))
            ++end;
        const bool longWord = end - i > kLongWord;
        for (size_t k = i; k < end; ++k) {
            if (longWord && k > i && (k - i) % kWordPiece == 0)
                out += "<wbr>";
            AppendCharacter(out, cp1252[k]);
        }
        i = end;
    }
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view cp1252)
{
    if (KeptOnOneLine(cp1252)) {
        out += "<NOBR>";
        AppendWords(out, cp1252);
        out += "</NOBR>";
        return;
    }
    // Most text is plain ASCII in short words: copy it whole up to the word where that ends. A table
    // tells each byte's kind in one load: the scan runs over every value of every report row.
    enum : uint8_t { kPlain, kBlank, kOther };
    static const std::array<uint8_t, 256> kinds = [] {
        std::array<uint8_t, 256> all {};
        for (int c = 0; c < 256; ++c)
            all[c] = c >= 0x80 || HtmlEntity(static_cast<char>(c)) ? kOther
                : IsBlank(static_cast<char>(c))                    ? kBlank
                                                                   : kPlain;
        return all;
    }();
    size_t plain = 0, word = 0;
    for (; plain < cp1252.size(); ++plain) {
        const uint8_t kind = kinds[static_cast<unsigned char>(cp1252[plain])];
        if (kind == kBlank)
            word = plain + 1;
        else if (kind == kOther || plain - word >= kLongWord)
            break;
    }
    if (plain == cp1252.size()) {
        out.append(cp1252);
        return;
    }
    out.append(cp1252.data(), word);
    AppendWords(out, cp1252.substr(word));
}

std::string HtmlText(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size());
    AppendHtmlText(out, cp1252);
    return out;
}

std::string ReportDateText(const ReportClock& clock)
{
    const QDate date = clock.Now.date();
    const QTime time = clock.Now.time();
    // The hour is built here: a locale's own time pattern may be 24-hour or name AM/PM otherwise.
    int hour = time.hour() % 12;
    if (hour == 0)
        hour = 12;
    char clockText[16];
    std::snprintf(clockText, sizeof clockText, "%02d:%02d %s", hour, time.minute(), time.hour() < 12 ? "AM" : "PM");
    const QString text = clock.Locale.dayName(date.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ") +
        clock.Locale.monthName(date.month(), QLocale::LongFormat) + QLatin1Char(' ') + QString::number(date.day()) +
        QStringLiteral(", ") + QString::number(date.year()) + QStringLiteral(", ") + QString::fromLatin1(clockText);
    return EscapedUtf8(text);
}

std::string_view JustifiedCell(int justification)
{
    switch (justification) {
    case 1:
        return "<TD ALIGN=\"CENTER\">";
    case 2:
        return "<TD ALIGN=\"RIGHT\">";
    default:
        return "<TD ALIGN=\"LEFT\">";
    }
}

HtmlReport::HtmlReport(const ReportClock& clock, AtomicFileWriter* file)
    : clock_(clock), file_(file), text_(kByteOrderMark)
{
}

void HtmlReport::HandOver()
{
    file_->Write(text_);
    text_.clear();
}

void HtmlReport::Line(std::string_view line)
{
    text_ += line;
    text_ += "\r\n";
    if (file_ && text_.size() >= (1u << 20))
        HandOver();
}

void HtmlReport::DataRow(std::string_view line, size_t expected)
{
    if (dataRows_ == 0)
        dataStart_ = text_.size();
    Line(line);
    // Generously sized from the first rows: pages never written cost no memory, while growing by
    // doubling would copy the text and hold it twice for a moment.
    constexpr size_t kSample = 64;
    if (++dataRows_ == kSample && expected > kSample && !file_)
        text_.reserve(text_.size() + (text_.size() - dataStart_) / kSample * (expected - kSample) * 2 + 65536);
}

void HtmlReport::DataRows(std::string_view rows, size_t pieces)
{
    if (file_) {
        if (!text_.empty())
            HandOver();
        file_->Write(rows);
        return;
    }
    if (dataRows_++ == 0 && pieces > 1)
        text_.reserve(text_.size() + rows.size() * pieces + rows.size() / 8 + 65536);
    text_ += rows;
}

void HtmlReport::Head(std::string_view title)
{
    // Beside the byte-order mark: the document type and the character set, so that a browser reads
    // the file as UTF-8 in its standard mode. Long unbroken values carry their own break
    // opportunities (AppendHtmlText); a rule letting every word break would split prices and dates.
    Line("<!DOCTYPE HTML>");
    Line("<HTML>");
    Line("<META CHARSET=\"UTF-8\">");
    Line("<TITLE>");
    // A title is no markup: it takes no break opportunities.
    for (const char c : title)
        AppendCharacter(text_, c);
    text_ += "\r\n";
    Line("</TITLE>");
    Line("<BODY>");
}

void HtmlReport::Begin(std::string_view title)
{
    Head(title);
    Line(kReportFontLine);
    Line("<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">");
}

void HtmlReport::LabelRow(std::string_view label, std::string_view value)
{
    text_ += "<TR><TD bgcolor=\"";
    text_ += ReportColour(labelRows_++ % 2 == 0 ? 3 : 2);
    text_ += "\">";
    AppendHtmlText(text_, label);
    text_ += "</TD><TD>";
    AppendHtmlText(text_, value);
    Line("</TD></TR>");
}

void HtmlReport::DateRow()
{
    text_ += "<TR><TD bgcolor=\"";
    text_ += ReportColour(labelRows_++ % 2 == 0 ? 3 : 2);
    text_ += "\">Date</TD><TD>";
    text_ += ReportDateText(clock_);
    Line("</TD></TR>");
}

void HtmlReport::OpenData(bool fullWidth)
{
    Line("</TABLE>");
    Line(fullWidth ? "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\" WIDTH=\"100%\">"
                   : "<P><TABLE BORDER=\"0\" CELLSPACING=\"2\">");
}

void HtmlReport::HeaderRow(const TColumnListClass& columns, std::string_view leading, std::string_view trailing)
{
    text_ += "<TR>";
    text_ += leading;
    for (const auto& column : columns.Columns) {
        if (column->Hidden)
            continue;
        text_ += "<TH>";
        AppendHtmlText(text_, column->Name);
        text_ += "</TH>";
    }
    text_ += trailing;
    Line("</TR>");
}

int HtmlReport::NextStripe()
{
    if (++stripe_ > 2)
        stripe_ = 1;
    return stripe_;
}

void HtmlReport::Finish(std::string_view footnote)
{
    Line("</TABLE>");
    Line("<CENTER>");
    if (!footnote.empty())
        Line(footnote);
    text_ += "<P>Report Generated by Quorvel.  ";
    Line(PelmoraRightsNotice);
    // The address comes from a file the collector edits: escaped like any inserted text.
    const std::string site = HtmlText(ConfiguredSiteAddresses().MakerSite);
    text_ += "<BR>Visit the Pelmora at <A HREF=\"";
    text_ += site;
    text_ += "\">";
    text_ += site;
    Line("</A>");
    Line("</CENTER>");
    Line("</FONT>");
    Line("</BODY>");
    Line("</HTML>");
    if (file_)
        HandOver();
}

std::vector<std::string> HtmlReport::Lines() const
{
    const auto lines = SplitLines(std::string_view(text_).substr(kByteOrderMark.size()));
    return {lines.begin(), lines.end()};
}

}  // namespace quorvel
