#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The investor comment page (`getqgqp`'s page): one line of comment on a stock. A plain function from the
// decoded page to data.
namespace News {

// Path and query of the page: "/data/qgqp.asp?zqdm=" + code. Anything but a six-digit code throws Failure.
QString stockCommentPath(const QString& code);

// The comment: once `"156">&nbsp;` has matched, every `">` moves the start past it, and the first "</font>"
// after a start ends the comment there (the text after the last `">` before it). Nothing when the page
// never gets that far.
std::optional<QString> readStockComment(QStringView page);

} // namespace News
