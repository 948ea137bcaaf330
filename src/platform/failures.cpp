#include "platform/failures.h"

#include <QByteArray>
#include <QStringView>

#include <charconv>

#include <limits>
#include <system_error>

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

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The patterns below are checked by hand, one pass over the text, since readers convert numbers by the
// thousand. As pattern matches always did, they let one line break at the very end of the text through.
QStringView withoutFinalLineBreak(QStringView text) {
    return text.endsWith(u'\n') ? text.chopped(1) : text;
}

// Moves `at` past the digits there; returns how many there were.
qsizetype skipDigits(QStringView text, qsizetype& at) {
    const qsizetype start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at - start;
}

void skipSign(QStringView text, qsizetype& at) {
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        ++at;
}

// [+-]?[0-9]+
bool isWholeNumber(QStringView text) {
    text = withoutFinalLineBreak(text);
    qsizetype at = 0;
    skipSign(text, at);
    return skipDigits(text, at) > 0 && at == text.size();
}

// [+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?
bool isDecimal(QStringView text) {
    text = withoutFinalLineBreak(text);
    qsizetype at = 0;
    skipSign(text, at);
    qsizetype digits = skipDigits(text, at);
    if (at < text.size() && text[at] == u'.') {
        ++at;
        digits += skipDigits(text, at);
    }
    if (digits == 0)
        return false;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        ++at;
        skipSign(text, at);
        if (skipDigits(text, at) == 0)
            return false;
    }
    return at == text.size();
}

// Converts a text that passed one of the patterns above: plain ASCII, so it converts as its Latin-1 bytes. A
// leading "+" is dropped (the conversion takes only "-"), and so is the final line break. False when the value
// is out of range, also a non-zero decimal too small for a double, as the toolkit's conversion refuses both.
template <typename Number> bool convertChecked(QStringView text, Number& value) {
    text = withoutFinalLineBreak(text);
    if (text.startsWith(u'+'))
        text = text.sliced(1);
    const QByteArray bytes = text.toLatin1();
    const auto [end, error] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    return error == std::errc() && end == bytes.constData() + bytes.size();
}

} // namespace

qint64 toInt64(const QString& text) {
    const QString body = withoutLeadingBlanks(text);
    qint64 value = 0;
    if (!isWholeNumber(body) || !convertChecked(body, value))
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
    double value = 0;
    if (!isDecimal(body) || !convertChecked(body, value))
        notANumber(text);
    return value;
}
