#pragma once

#include <QPixmap>
#include <QString>
#include <QTableView>

#include <chrono>
#include <functional>

namespace quorvel {

// The main list grid: a table view that draws the program's own faint picture behind its rows, and
// keeps the text of a search by typing itself, so the item keys can ask whether one is under way.
class ListGridView : public QTableView {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit ListGridView(QWidget* parent = nullptr);

    // True while a printable character typed within the search's time goes on the search text.
    bool SearchUnderWay() const;
    // The clock the search's time is measured with; tests set their own.
    void SetSearchClock(Clock clock) { clock_ = std::move(clock); }

    // Extends the search text while a search is under way, else starts a new one after the current
    // row; an empty text ends the search.
    void keyboardSearch(const QString& search) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The picture stays where it is while the rows move, so a scroll repaints the whole viewport.
    void scrollContentsBy(int dx, int dy) override;

private:
    QPixmap picture_;
    Clock clock_ = [] { return std::chrono::steady_clock::now(); };
    QString searchText_;
    std::chrono::steady_clock::time_point lastTyped_;
};

}  // namespace quorvel
