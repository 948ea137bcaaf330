#pragma once

#include <QString>

// The widest texts of their kind that the windows show, for sizing the columns and labels that show them:
// whatever the pages send within what the program reads, these must show whole.
namespace WidestTexts {

// A stock's name of five characters, the longest the quote services give.
inline const QString stockName = QStringLiteral("深发展银行");
// A time of day in the program's time format.
inline const QString timeOfDay = QStringLiteral("23:59:59");
// A date in the program's short date format.
inline const QString shortDate = QStringLiteral("2025-12-31");
// A change in percent, as the quote service gives it.
inline const QString changePercent = QStringLiteral("-10.02%");
// A fund-flow sum over up to 30 days in 10,000 yuan, as the back-end and the fund-flow site give it.
inline const QString fundSum = QStringLiteral("-8888888");

} // namespace WidestTexts
