#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;
class TForm1;

// Widget helpers of the TV corner: the station menus' items and the labels' hover colour.
namespace TvMenus {

// A TV label's background while the mouse is over it.
inline const QColor lime(0, 255, 0);

// A station name as a menu caption: a menu reads "&" as a shortcut marker, so it is doubled to show as written.
QString caption(const QString& name);

// Appends an item for the station at `index` of its list; choosing it calls `handler` with the item, whose
// data is the index.
QAction* addStation(TForm1* form, QMenu* menu, const QString& name, qsizetype index, void (TForm1::*handler)(QAction*));

// Empties a menu that its own items may still be running from: items and submenus go once control is back
// in the event loop.
void clear(QMenu* menu);

// Calls `handler` whenever the mouse moves over the widget, with or without a button held.
void onMouseMove(QWidget* widget, std::function<void()> handler);

} // namespace TvMenus
