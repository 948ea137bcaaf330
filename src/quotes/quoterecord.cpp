#include "quotes/quoterecord.h"

#include "platform/failures.h"
#include "platform/gbk.h"

#include <algorithm>

namespace {

const QString quotePagePrefix = QStringLiteral("/EM_Quote2007/optional.aspx?type=z&fav=");
const QString hickParameter = QStringLiteral("&hick=");
const QString zeroChange = QStringLiteral("0");
const QString storedZeroChange = QStringLiteral("0.0");

// The kept fields of a record by number, in record order.
struct NamedField {
    int number;
    QString Quotes::QuoteRecord::*member;
};
constexpr std::array<NamedField, 16> namedFields{{
    {2, &Quotes::QuoteRecord::code},
    {3, &Quotes::QuoteRecord::name},
    {4, &Quotes::QuoteRecord::price},
    {5, &Quotes::QuoteRecord::changePercent},
    {6, &Quotes::QuoteRecord::change},
    {7, &Quotes::QuoteRecord::bidPrice},
    {8, &Quotes::QuoteRecord::bidVolume},
    {9, &Quotes::QuoteRecord::askPrice},
    {10, &Quotes::QuoteRecord::askVolume},
    {11, &Quotes::QuoteRecord::volume},
    {12, &Quotes::QuoteRecord::turnover},
    {13, &Quotes::QuoteRecord::open},
    {15, &Quotes::QuoteRecord::high},
    {16, &Quotes::QuoteRecord::low},
    {17, &Quotes::QuoteRecord::lastSide},
    {18, &Quotes::QuoteRecord::lastVolume},
}};

constexpr bool namedInListOrder() {
    for (size_t i = 0; i < namedFields.size(); ++i) {
        if (namedFields[i].number != Quotes::QuoteLists::fields[i])
            return false;
    }
    return true;
}
static_assert(namedInListOrder(), "a record field's slot must be the same in the record table and the lists");

// Position of a kept field in the tables above, or -1.
qsizetype slotOf(int number) {
    const auto found = std::find(Quotes::QuoteLists::fields.begin(), Quotes::QuoteLists::fields.end(), number);
    return found == Quotes::QuoteLists::fields.end() ? -1 : found - Quotes::QuoteLists::fields.begin();
}

} // namespace

namespace Quotes {

bool isStockCode(const QString& code) {
    if (code.size() != 6)
        return false;
    return std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString quotePagePath(const QString& code) {
    if (!isStockCode(code))
        throw Failure(QStringLiteral("not a six-digit stock code"));
    return quotePagePrefix + code + hickParameter + hick;
}

QStringList closedFields(QStringView text, int lastField) {
    QStringList fields;
    qsizetype fieldStart = 0;
    for (qsizetype i = 0; i < text.size() && fields.size() < lastField; ++i) {
        if (text[i] != u',')
            continue;
        fields.append(text.mid(fieldStart, i - fieldStart).toString());
        fieldStart = i + 1;
    }
    return fields;
}

QString QuoteRecord::field(int number) const {
    const qsizetype slot = slotOf(number);
    if (slot < 0 || !has(number))
        return {};
    return this->*namedFields[static_cast<size_t>(slot)].member;
}

// The same scan as closedFields, with each kept field written straight into its member.
QuoteRecord parseQuoteRecord(QStringView text) {
    QuoteRecord record;
    size_t next = 0; // the next kept field in namedFields
    qsizetype fieldStart = 0;
    for (qsizetype i = 0; i < text.size() && record.present < lastReadField; ++i) {
        if (text[i] != u',')
            continue;
        ++record.present;
        if (next < namedFields.size() && namedFields[next].number == record.present) {
            record.*namedFields[next].member = text.mid(fieldStart, i - fieldStart).toString();
            ++next;
        }
        fieldStart = i + 1;
    }
    return record;
}

QString decodeReply(const QByteArray& reply) {
    return Gbk::fromUtf8ThroughGbk(reply);
}

QuoteRecord readQuoteReply(const QByteArray& reply) {
    return parseQuoteRecord(decodeReply(reply));
}

std::optional<QString> yzgpName(const QByteArray& reply) {
    const QuoteRecord record = readQuoteReply(reply);
    if (!record.has(3))
        return std::nullopt;
    return record.name;
}

bool isFall(QStringView text) {
    return text.contains(u'-');
}

QColor signColour(QStringView text) {
    return isFall(text) ? fallColour : riseColour;
}

QString signArrow(QStringView text) {
    return isFall(text) ? fallArrow : riseArrow;
}

QString signWord(QStringView text) {
    return isFall(text) ? fallWord : riseWord;
}

QString storedChangePercent(const QString& field5) {
    return field5 == zeroChange ? storedZeroChange : field5;
}

void QuoteLists::clear() {
    for (QStringList& list : lists_)
        list.clear();
}

void QuoteLists::appendRecord(const QuoteRecord& record) {
    for (size_t slot = 0; slot < fields.size(); ++slot) {
        const int number = fields[slot];
        const QString text = record.field(number);
        lists_[slot].append(number == 5 ? storedChangePercent(text) : text);
    }
}

const QStringList& QuoteLists::list(int field) const {
    const qsizetype slot = slotOf(field);
    if (slot < 0)
        throw Failure(QStringLiteral("field %1 is not kept in the quote lists").arg(field));
    return lists_[static_cast<size_t>(slot)];
}

QString QuoteLists::entry(int field, qsizetype index) const {
    return at(list(field), index);
}

} // namespace Quotes
