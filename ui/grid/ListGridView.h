#pragma once

#include <QPixmap>
#include <QTableView>

namespace quorvel {

// The main list grid: a table view that draws the program's own faint picture behind its rows.
class ListGridView : public QTableView {
    Q_OBJECT
public:
    explicit ListGridView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    // The picture stays where it is while the rows move, so a scroll repaints the whole viewport.
    void scrollContentsBy(int dx, int dy) override;

private:
    QPixmap picture_;
};

}  // namespace quorvel
