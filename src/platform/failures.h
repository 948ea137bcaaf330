#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <utility>

// How failures travel: an operation that "ends silently" throws, and the one handler guard at the edge of
// every slot, timer callback and event handler catches it. No exception crosses the Qt event loop.

// Ends the current handler without a message.
struct SilentAbort : std::exception {
    const char* what() const noexcept override { return "silent abort"; }
};

// A failure reported by an adapter (network, database, file) or a checked conversion.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Strict conversions in the C locale: the whole text must be the number. Optional leading blanks and a sign
// are accepted, as the toolkit's own conversions do; anything else throws Failure.
int toInt(const QString& text);
qint64 toInt64(const QString& text);
double toDouble(const QString& text);

// Checked list access: an index outside the list throws Failure instead of reading past the end.
template <typename List> decltype(auto) at(List&& list, qsizetype index) {
    if (index < 0 || index >= list.size())
        throw Failure(QStringLiteral("list index %1 out of range (size %2)").arg(index).arg(list.size()));
    return std::forward<List>(list)[index];
}

// Runs a handler body; any exception ends it quietly. Returns false when the body did not run to its end.
template <typename Body> bool guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        return false;
    }
}
