#include "quotes/indexpage.h"

#include "platform/failures.h"
#include "quotes/quoterecord.h"

#include <cmath>
#include <limits>

namespace {

constexpr int lastIndexField = 5;
constexpr qsizetype sectionNameLength = 4;

// The market whose name starts at `position`, if one does. Only the names' first characters are looked at
// further, so the scan of a long page stays one pass of character tests.
std::optional<Quotes::IndexMarket> sectionStartingAt(QStringView text, qsizetype position) {
    const QChar first = text[position];
    if (first != Quotes::shanghaiIndexName.front() && first != Quotes::shenzhenIndexName.front())
        return std::nullopt;
    const QStringView next = text.mid(position, sectionNameLength);
    if (next == Quotes::shanghaiIndexName)
        return Quotes::IndexMarket::Shanghai;
    if (next == Quotes::shenzhenIndexName)
        return Quotes::IndexMarket::Shenzhen;
    return std::nullopt;
}

// Files one closed field of a section.
void keepField(Quotes::IndexSection& section, int number, const QString& text) {
    section.present = number;
    switch (number) {
    case 2:
        section.value = text;
        break;
    case 3:
        section.change = text;
        break;
    case 4:
        section.range = text;
        break;
    case 5:
        section.turnover = text;
        section.turnoverYi = Quotes::turnoverInYi(text);
        break;
    default:
        break;
    }
}

} // namespace

namespace Quotes {

std::optional<IndexSection> IndexPage::latest(IndexMarket market) const {
    for (auto it = sections.crbegin(); it != sections.crend(); ++it) {
        if (it->market == market)
            return *it;
    }
    return std::nullopt;
}

qint64 turnoverInYi(const QString& field5) {
    const double yi = std::nearbyint(toDouble(field5) / 10000.0);
    // The bound is the first power of two past the range, so the comparison itself is exact.
    constexpr double bound = 9223372036854775808.0;
    if (!std::isfinite(yi) || yi >= bound || yi < -bound)
        throw Failure(QStringLiteral("turnover '%1' is out of range").arg(field5));
    return static_cast<qint64>(yi);
}

IndexPage parseIndexPage(QStringView text) {
    IndexPage page;
    IndexSection* section = nullptr; // the section being read; none before the first name
    qsizetype fieldStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const auto market = sectionStartingAt(text, i)) {
            section = &page.sections.emplace_back();
            section->market = *market;
            fieldStart = i;
            continue;
        }
        if (text[i] != u',' || section == nullptr)
            continue;
        const int number = section->present + 1;
        keepField(*section, number, text.mid(fieldStart, i - fieldStart).toString());
        fieldStart = i + 1;
        if (number == lastIndexField)
            section = nullptr; // the fields after the turnover are not read
    }
    return page;
}

IndexPage readIndexReply(const QByteArray& reply) {
    return parseIndexPage(decodeReply(reply));
}

} // namespace Quotes
