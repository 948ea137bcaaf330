#pragma once

// The texts a chart shows, read from its view's scene as the user sees them: axis values, texts under the bars,
// legend entries, titles and slice labels.

#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QList>
#include <QRectF>
#include <QTextDocument>

struct ShownText {
    QString text;
    QRectF rect; // where its letters stand, in the view's coordinates
};

// Every visible, non-empty text item of the view's scene.
inline QList<ShownText> shownTexts(const QGraphicsView* view) {
    QList<ShownText> shown;
    for (QGraphicsItem* item : view->scene()->items()) {
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (!text || !text->isVisible() || text->toPlainText().isEmpty())
            continue;
        const qreal margin = text->document()->documentMargin();
        const QRectF letters = text->sceneBoundingRect().adjusted(margin, margin, -margin, -margin);
        shown.append({text->toPlainText(), view->mapFromScene(letters).boundingRect()});
    }
    return shown;
}

// A text the chart cut short to fit: it ends in an ellipsis, as one character or as three dots.
inline bool isElided(const QString& text) {
    return text.endsWith(QChar(0x2026)) || text.endsWith(QStringLiteral("..."));
}
