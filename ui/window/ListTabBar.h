#pragma once

#include <QTabBar>

#include <functional>

namespace quorvel {

// A tab strip whose tabs are drawn and measured by its owner (colours per list kind, a bold "*"
// for a changed list).
class ListTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit ListTabBar(QWidget* parent = nullptr);

    std::function<void(QPainter&, const QRect&, int, bool)> drawTab;
    // Index and the bar's own width; returns the width to use.
    std::function<int(int, int)> measureTab;

    // Measures every tab again (a list's changed mark alters its width) and repaints.
    void Remeasure();

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
};

}  // namespace quorvel
