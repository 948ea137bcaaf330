// The main window's forum grid: owner-drawn rows coloured by their read marks, and the click that opens a
// topic.
#include "app/colours.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "platform/failures.h"
#include "platform/services.h"

#include <QPainter>

namespace {

const QColor kUnreadRow(245, 240, 255);
const QColor kReadRow(255, 255, 153);
const QColor kSelectedCell(166, 202, 240);
const QColor kHeadingRow(255, 251, 240); // the grid's fixed colour, cream

// Four flags per grid row in `forumunread`; the first tells the row's colour.
constexpr int kFlagsPerRow = 4;
const QString kReadFlag = QStringLiteral("0");

} // namespace

void TForm1::StringGrid1DrawCell(QPainter& painter, int column, int row, const QRect& rect, bool selected) {
    QColor background = kHeadingRow;
    QColor font = Colours::black;
    if (row > 0) {
        const bool read = state.forumunread.value((row - 1) * kFlagsPerRow) == kReadFlag;
        background = read ? kReadRow : kUnreadRow;
        if (selected) {
            background = kSelectedCell;
            font = Colours::navy;
        }
    }
    painter.fillRect(rect, background);
    painter.setPen(font);
    const QString text = ui->StringGrid1->cell(column, row);
    StringGrid::drawCellText(painter, rect, painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
}

void TForm1::StringGrid1SelectCell(int column, int row) {
    // The heading row is no topic, and the empty row below the topics has nothing to open.
    if (row < 1 || ui->StringGrid1->cell(column, row).isEmpty())
        return;
    const int first = (row - 1) * kFlagsPerRow;
    for (int flag = first; flag < first + kFlagsPerRow && flag < state.forumunread.size(); ++flag)
        state.forumunread[flag] = kReadFlag;
    ui->StringGrid1->viewport()->update();
    openInBrowser(at(state.forumlinks, row - 1));
}
