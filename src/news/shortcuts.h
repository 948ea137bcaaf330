#pragma once

#include <QDate>
#include <QString>

// The pages behind the main window's page shortcuts, each a path on its site (app/hosts.h). The watched list
// page is WatchedList::listPage.
namespace Shortcuts {

// The news portal's digest of yesterday's finance news: "/a/" + yesterday's date as yyyyMMdd + "/". Yesterday
// is the calendar's day before, so the first of a month gives the last day of the month before.
QString digestPath(const QDate& today);

// The research sites.
inline const QString research1Page = QStringLiteral("/sfqy/default.html");
inline const QString research2Page = QStringLiteral("/djm/jgnc/view.asp");

// The stock data site's after-hours pages.
inline const QString marketFlowPage = QStringLiteral("/dpzj");
inline const QString sectorFlowPage = QStringLiteral("/bkzj");
inline const QString rankingsPage = QStringLiteral("/sjps/sz.html");
inline const QString growthBoardPage = QStringLiteral("/cyb");
// The fund query of one stock: "/ggcx/index.asp?dm=" + the code, encoded.
QString fundQueryPage(const QString& code);

// The stock-pool site's two pools.
inline const QString stockPool1Page = QStringLiteral("/dxdf/admin/gb2312/StockList_1.asp");
inline const QString stockPool2Page = QStringLiteral("/dxdf/admin/gb2312/StockList_2.asp");

} // namespace Shortcuts
