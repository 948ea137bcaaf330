#include "quotes/indexpage.h"

#include "platform/failures.h"
#include "quotes/quoterecord.h"

#include <cmath>
#include <limits>

namespace {

constexpr int lastIndexField = 5;
constexpr qsizetype sectionNameLength = 4;

// The first characters of the two section names, the only places a name can start.
constexpr char16_t shanghaiFirst = u'上';
constexpr char16_t shenzhenFirst = u'深';

// The first position at or after `from` that holds a comma or may start a section name, or the end. One
// tight loop over the characters, so that a long page is read at the speed of three comparisons a character.
qsizetype nextStop(QStringView text, qsizetype from) {
    const char16_t* const characters = text.utf16();
    while (from < text.size() && characters[from] != u',' && characters[from] != shanghaiFirst &&
           characters[from] != shenzhenFirst)
        ++from;
    return from;
}

// The market whose name starts at `position`, if one does; the first character rules out most positions.
std::optional<Quotes::IndexMarket> sectionStartingAt(QStringView text, qsizetype position) {
    if (text[position] != shanghaiFirst && text[position] != shenzhenFirst)
        return std::nullopt;
    const QStringView next = text.mid(position, sectionNameLength);
    if (next == Quotes::shanghaiIndexName)
        return Quotes::IndexMarket::Shanghai;
    if (next == Quotes::shenzhenIndexName)
        return Quotes::IndexMarket::Shenzhen;
    return std::nullopt;
}

// Files one closed field of a section.
void keepField(Quotes::IndexSection& section, int number, QString text) {
    section.present = number;
    switch (number) {
    case 2:
        section.value = std::move(text);
        break;
    case 3:
        section.change = std::move(text);
        break;
    case 4:
        section.range = std::move(text);
        break;
    case 5:
        section.turnoverYi = Quotes::turnoverInYi(text);
        section.turnover = std::move(text);
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
    for (qsizetype i = nextStop(text, 0); i < text.size(); i = nextStop(text, i + 1)) {
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
