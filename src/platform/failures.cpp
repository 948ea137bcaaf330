#include "platform/failures.h"

#include <QLocale>
#include <QRegularExpression>

#include <limits>

namespace {

// Leading blanks are allowed; trailing text of any kind is not.
QString withoutLeadingBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

[[noreturn]] void notANumber(const QString& text) {
    throw Failure(QStringLiteral("'%1' is not a valid number").arg(text));
}

} // namespace

qint64 toInt64(const QString& text) {
    const QString body = withoutLeadingBlanks(text);
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    bool ok = false;
    const qint64 value = QLocale::c().toLongLong(body, &ok);
    if (!ok || !wholeNumber.match(body).hasMatch())
        notANumber(text);
    return value;
}

int toInt(const QString& text) {
    const qint64 value = toInt64(text);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        notANumber(text);
    return static_cast<int>(value);
}

double toDouble(const QString& text) {
    const QString body = text.trimmed();
    static const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    bool ok = false;
    const double value = QLocale::c().toDouble(body, &ok);
    if (!ok || !decimal.match(body).hasMatch())
        notANumber(text);
    return value;
}
