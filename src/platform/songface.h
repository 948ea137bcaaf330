#pragma once

#include <QFont>
#include <QStringList>

// The Song face (宋体) that the windows and their labels are drawn in. Where no Song face is installed, as on most
// Linux desktops, the system's CJK faces stand in for it, serif first. The stand-in is named, not left to the
// desktop, so every window is drawn in one face whatever the locale: a layout that holds in one holds in all.
namespace SongFace {

const QStringList& families();
// A font of the Song face, its size in pixels.
QFont font(int pixels, bool bold = false);
// The windows' own size of the face: 9 points on the old desktops' 96 dots per inch.
inline constexpr int windowPixels = 12;
// Makes the Song face at the windows' size the application's face, in place of the desktop's, whose face and
// size vary with the locale and the user's settings while the windows keep the sizes they were laid out in.
void useForApplication();

} // namespace SongFace
