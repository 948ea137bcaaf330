#pragma once

#include <QFont>

class QLabel;

// Sets a label's one line of text in its design face made smaller, half a point at a time, until the text
// reads whole within the label's width, but never below `smallestPointSize` (a text longer than that allows is
// cut at the label's edge). A shorter text later gets the design face back.
void fitTextToWidth(QLabel* label, const QFont& designFont, qreal smallestPointSize);
