#include "news/cellpainter.h"

#include "platform/failures.h"

#include <QPainter>

CellPainter::CellPainter(Paint paint, QObject* parent) : QStyledItemDelegate(parent), paint_(std::move(paint)) {}

void CellPainter::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    guarded([&] { paint_(*painter, index.column(), index.row(), option.rect, selected); });
    painter->restore();
}
