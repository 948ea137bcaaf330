#include "support/wholetexts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

namespace {

QString cut(const QWidget* widget, const QString& text, const QString& why) {
    return QStringLiteral("%1 \"%2\": %3").arg(widget->objectName(), text, why);
}

// How far the ink of a text, drawn in `box` with the flags the widget draws it with, reaches beyond the box on
// each side. The text is drawn on a canvas with room around the box, so nothing of it is clipped.
QMargins inkBeyond(const QWidget* widget, const QString& text, int flags, const QRect& box) {
    const int room = std::max(box.width(), box.height()) + 64;
    QImage canvas(box.width() + 2 * room, box.height() + 2 * room, QImage::Format_ARGB32_Premultiplied);
    // The widget's resolution, so that a size in points gives the pixels that the widget draws.
    constexpr double kInch = 0.0254;
    canvas.setDotsPerMeterX(qRound(widget->logicalDpiX() / kInch));
    canvas.setDotsPerMeterY(qRound(widget->logicalDpiY() / kInch));
    canvas.fill(Qt::transparent);
    const QRect placed(room, room, box.width(), box.height());
    QPainter painter(&canvas);
    painter.setFont(widget->font());
    painter.setPen(Qt::black);
    painter.drawText(placed, flags | Qt::TextDontClip, text);
    painter.end();
    // Faint edges of anti-aliased glyphs that only touch the box are not cut text.
    constexpr int kInk = 96;
    QMargins beyond;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(line[x]) < kInk)
                continue;
            beyond.setLeft(std::max(beyond.left(), placed.left() - x));
            beyond.setRight(std::max(beyond.right(), x - placed.right()));
            beyond.setTop(std::max(beyond.top(), placed.top() - y));
            beyond.setBottom(std::max(beyond.bottom(), y - placed.bottom()));
        }
    }
    return beyond;
}

void checkInk(const QWidget* widget, const QString& text, int flags, const QRect& box, QStringList& cuts) {
    const QMargins beyond = inkBeyond(widget, text, flags, box);
    if (beyond.isNull())
        return;
    cuts << cut(
        widget, text,
        QStringLiteral("drawn %1 pixels beyond the left, %2 the right, %3 the top, %4 the bottom of its %5x%6 box")
            .arg(beyond.left())
            .arg(beyond.right())
            .arg(beyond.top())
            .arg(beyond.bottom())
            .arg(box.width())
            .arg(box.height()));
}

// The ink of a cell as the grid drew it: the pixels that stand out from the cell's background (its most frequent
// colour) by at least `contrast` in one of their channels. Null when the cell shows nothing.
QRect inkIn(const QImage& image, const QRect& cell, int contrast) {
    QHash<QRgb, int> counts;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
                                return a.second < b.second;
                            })->first;
    QRect ink;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (std::max({std::abs(qRed(pixel) - qRed(background)), std::abs(qGreen(pixel) - qGreen(background)),
                          std::abs(qBlue(pixel) - qBlue(background))}) >= contrast)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// What is amiss with a cell's text as drawn: empty when its strokes keep clear of the cell's edges (a stroke on an
// edge is a text cut there, by the cell's clip or by the grid line beyond) and all its ink, the faint edges and thin
// strokes of small glyphs with it, sits about in the middle, across and down. A text the grid shortens with "…" to
// fit its cell reads whole by this measure.
QString misdrawn(const QImage& image, const QRect& cell) {
    const QRect strokes = inkIn(image, cell, 96);
    const QRect ink = inkIn(image, cell, 32);
    if (ink.isNull())
        return QStringLiteral("draws no text");
    const QMargins clear(strokes.left() - cell.left(), strokes.top() - cell.top(), cell.right() - strokes.right(),
                         cell.bottom() - strokes.bottom());
    // Twice the distance of the ink's middle from the cell's, across and down. Side bearings and the rounding of half
    // pixels set a text that is centred a little off the middle.
    const int across = ink.left() + ink.right() - cell.left() - cell.right();
    const int down = ink.top() + ink.bottom() - cell.top() - cell.bottom();
    constexpr int kOffMiddle = 4;
    if (std::min({clear.left(), clear.top(), clear.right(), clear.bottom()}) >= 1 && std::abs(across) <= kOffMiddle &&
        std::abs(down) <= kOffMiddle)
        return {};
    return QStringLiteral("strokes %1/%2/%3/%4 pixels clear of the left/right/top/bottom of its %5x%6 cell, ink %7 "
                          "pixels right and %8 down of its middle")
        .arg(clear.left())
        .arg(clear.right())
        .arg(clear.top())
        .arg(clear.bottom())
        .arg(cell.width())
        .arg(cell.height())
        .arg(across / 2.0)
        .arg(down / 2.0);
}

void checkLabel(const QLabel* label, QStringList& cuts) {
    const QString text = label->text();
    if (text.isEmpty())
        return;
    const int margin = label->margin();
    const QRect box = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    checkInk(label, text, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), box, cuts);
}

void checkButton(const QAbstractButton* button, QStringList& cuts) {
    const QString text = button->text();
    if (text.isEmpty() || qobject_cast<const QToolButton*>(button))
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    // A check box draws its text left of its box's middle line, a push button in its middle.
    const bool checkBox = qobject_cast<const QCheckBox*>(button);
    const QRect box = button->style()->subElementRect(
        checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, button);
    const int alignment = checkBox ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    checkInk(button, text, alignment | Qt::TextShowMnemonic, box, cuts);
}

void checkGroupBox(const QGroupBox* group, QStringList& cuts) {
    if (group->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.textAlignment = group->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    if (!group->rect().contains(title))
        cuts << cut(group, group->title(), QStringLiteral("the title runs out of the frame"));
}

void checkEntry(const QLineEdit* edit, QStringList& cuts) {
    const QString text = edit->text();
    if (text.isEmpty())
        return;
    // The frame and the two-pixel margin that the entry keeps on each side of its text.
    constexpr int kTextMargin = 2;
    const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
    const QMargins margins = edit->textMargins();
    const int room = edit->width() - 2 * (frame + kTextMargin) - margins.left() - margins.right();
    const qreal advance = QFontMetricsF(edit->font()).horizontalAdvance(text);
    if (advance > room + 0.5)
        cuts << cut(edit, text,
                    QStringLiteral("%1 pixels wide in an entry with room for %2").arg(qCeil(advance)).arg(room));
}

QString shownText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    return {};
}

// A text widget lies inside its parent (and so inside the window) and under no sibling stacked above it.
void checkPlace(const QWidget* widget, const QString& text, QStringList& cuts) {
    const QWidget* parent = widget->parentWidget();
    if (!parent->rect().contains(widget->geometry()))
        cuts << cut(widget, text, QStringLiteral("reaches out of %1").arg(parent->objectName()));
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
        const auto* above = qobject_cast<const QWidget*>(siblings[i]);
        if (above && !above->isWindow() && above->isVisibleTo(parent) &&
            above->geometry().intersects(widget->geometry()))
            cuts << cut(widget, text, QStringLiteral("covered by %1").arg(above->objectName()));
    }
}

} // namespace

QStringList cutTexts(const QWidget* window) {
    QStringList cuts;
    for (const QWidget* widget : window->findChildren<const QWidget*>()) {
        if (widget->isWindow() || !widget->isVisibleTo(window))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            checkLabel(label, cuts);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            checkButton(button, cuts);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            checkGroupBox(group, cuts);
        else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            checkEntry(edit, cuts);
        const QString text = shownText(widget);
        if (!text.isEmpty())
            checkPlace(widget, text, cuts);
    }
    return cuts;
}

QStringList cutCells(QTableWidget* grid) {
    // What is amiss with each cell (column, row) read where it shows whole.
    QHash<QPoint, QString> read;
    // The grid's line takes the last pixel of a cell across and down.
    const int gridLine = grid->showGrid() ? 1 : 0;
    // The heading row, when the grid keeps it in its fixed header in place of its hidden first row.
    const QHeaderView* heading = grid->horizontalHeader();
    if (grid->rowCount() > 0 && grid->isRowHidden(0) && !heading->isHidden()) {
        const QImage image = heading->viewport()->grab().toImage();
        for (int column = 0; column < grid->columnCount(); ++column)
            read[{column, 0}] = misdrawn(image, QRect(heading->sectionViewportPosition(column), 0,
                                                      heading->sectionSize(column) - gridLine,
                                                      heading->viewport()->height() - gridLine));
    }
    // The rows a page at a time; the grid is scrolled back after.
    QScrollBar* bar = grid->verticalScrollBar();
    const int kept = bar->value();
    for (int value = bar->minimum();; value += std::max(1, bar->pageStep())) {
        bar->setValue(std::min(value, bar->maximum()));
        const QImage image = grid->viewport()->grab().toImage();
        for (int row = 0; row < grid->rowCount(); ++row) {
            for (int column = 0; column < grid->columnCount(); ++column) {
                const QRect cell = grid->visualRect(grid->model()->index(row, column));
                if (!cell.isEmpty() && grid->viewport()->rect().contains(cell))
                    read[{column, row}] = misdrawn(image, cell);
            }
        }
        if (value >= bar->maximum())
            break;
    }
    bar->setValue(kept);
    QStringList cuts;
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QString text = grid->item(row, column) ? grid->item(row, column)->text() : QString();
            const QString wrong = read.value({column, row}, QStringLiteral("never shows whole in the grid's box"));
            if (!text.trimmed().isEmpty() && !wrong.isEmpty())
                cuts << QStringLiteral("row %1 column %2: ").arg(row).arg(column) + cut(grid, text, wrong);
        }
    }
    return cuts;
}
