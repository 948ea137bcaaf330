#pragma once

#include <QFont>
#include <QStringList>

class QWidget;

// The Song face (宋体) of the windows and labels drawn in it. Where no Song face is installed, as on most Linux
// desktops, the system's CJK faces stand in for it, serif first.
namespace SongFace {

const QStringList& families();
// A font of the Song face, its size in pixels.
QFont font(int pixels, bool bold = false);
// Gives a window the Song face; its widgets keep their own sizes and weights.
void apply(QWidget* window);

} // namespace SongFace
