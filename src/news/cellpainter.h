#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Owner drawing of a grid: every cell is painted by one function, which gets the cell's column, row and
// rectangle and whether it is selected, and paints all of it (background and text).
class CellPainter : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Paint = std::function<void(QPainter& painter, int column, int row, const QRect& rect, bool selected)>;

    CellPainter(Paint paint, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    Paint paint_;
};
