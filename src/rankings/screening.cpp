#include "rankings/screening.h"

#include "app/backend.h"
#include "platform/gbk.h"

#include <QStringView>

#include <algorithm>
#include <array>

namespace {

const QString kNoExtraLarge = QStringLiteral("必须输入特大资金量");
const QString kNoFreeFloat = QStringLiteral("您要筛选流通盘大小，必须输入流通盘大小");
const QString kNoLarge = QStringLiteral("必须输入大户资金量");
const QString kNoRise = QStringLiteral("必须输入涨幅");

// The reply's markers are "&" and one character: "&&" ends the date, "&0" opens a record, "&8" closes it.
constexpr char16_t kMark = u'&';
constexpr char16_t kRecordStart = u'0';
constexpr char16_t kRecordEnd = u'8';
constexpr qsizetype kMarkerLength = 2;

bool keptAsTyped(char byte) {
    return (byte >= '0' && byte <= '9') || byte == '-' || byte == '.';
}

// The next "&" at or after `from`, or -1. The marks lie a few characters apart, where a plain loop beats the
// library's search, which is made for long distances.
qsizetype markAt(QStringView text, qsizetype from) {
    const char16_t* const begin = text.utf16();
    const char16_t* const end = begin + text.size();
    const char16_t* const found = std::find(begin + from, end, kMark);
    return found == end ? -1 : found - begin;
}

// The record being read, from the "&0" that opened it: where each field marker "&1" ... "&7" stood. The
// markers are noted as the walk over the reply meets them, each looked for only after the one before, so
// the record is never searched a second time.
class OpenRecord {
public:
    bool isOpen() const { return start >= 0; }
    void open(qsizetype at) {
        start = at;
        met = 0;
    }
    void close() { start = -1; }
    void note(char16_t next, qsizetype at) {
        if (met < fieldMarkers && next == u'1' + met)
            markers[met++] = at;
    }
    bool complete() const { return met == fieldMarkers; }
    // Where each field of a complete record that ends at `end` starts, then where a ninth would.
    std::array<qsizetype, Screening::recordFields + 1> fieldStarts(qsizetype end) const {
        std::array<qsizetype, Screening::recordFields + 1> starts;
        starts[0] = start;
        for (int i = 0; i < fieldMarkers; ++i)
            starts[i + 1] = markers[i] + kMarkerLength;
        starts[Screening::recordFields] = end + kMarkerLength;
        return starts;
    }

private:
    static constexpr int fieldMarkers = Screening::recordFields - 1;
    qsizetype start = -1; // -1: no record open
    std::array<qsizetype, fieldMarkers> markers{};
    int met = 0;
};

} // namespace

namespace Screening {

std::optional<MissingInput> firstMissingInput(const Inputs& inputs) {
    if (inputs.extraLarge.isEmpty())
        return MissingInput{Box::ExtraLarge, kNoExtraLarge};
    if (inputs.filterFloat && inputs.freeFloat.trimmed().isEmpty())
        return MissingInput{Box::FreeFloat, kNoFreeFloat};
    if (inputs.large.isEmpty())
        return MissingInput{Box::Large, kNoLarge};
    if (inputs.rise.isEmpty())
        return MissingInput{Box::Rise, kNoRise};
    return std::nullopt;
}

QString encodeValue(const QString& value) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray encoded;
    for (const char byte : Gbk::encode(value)) {
        if (keptAsTyped(byte)) {
            encoded += byte;
            continue;
        }
        const auto bits = static_cast<unsigned char>(byte);
        encoded += '%';
        encoded += hex[bits >> 4];
        encoded += hex[bits & 0x0F];
    }
    return QString::fromLatin1(encoded);
}

QString screeningAddress(const QString& serverurl, const Inputs& inputs) {
    const QString ltp = inputs.filterFloat ? inputs.freeFloat : anyFloat;
    return serverurl + Backend::screeningPage + QStringLiteral("?rq=") + encodeValue(inputs.days) +
           QStringLiteral("&tdzj=") + encodeValue(inputs.extraLarge) + QStringLiteral("&ddzj=") +
           encodeValue(inputs.large) + QStringLiteral("&zf=") + encodeValue(inputs.rise) + QStringLiteral("&ltp=") +
           encodeValue(ltp);
}

Reply readReply(const QByteArray& reply) {
    Reply read;
    // Decoded once, straight from the reply's bytes: "&" is never part of a GBK character, so every "&" of the
    // text is one of the reply's.
    const QByteArrayView bytes = Backend::envelopePayloadView(reply, Backend::markerText);
    const QString payload = Gbk::decode(QByteArray::fromRawData(bytes.data(), bytes.size()));
    const QStringView text(payload);
    OpenRecord record;
    for (qsizetype at = markAt(text, 0); at >= 0 && at + 1 < text.size(); at = markAt(text, at + 1)) {
        const char16_t next = text[at + 1].unicode();
        if (next == kMark && !read.date) {
            read.date = text.first(at).trimmed().toString();
        } else if (next == kRecordStart) {
            record.open(at + kMarkerLength);
        } else if (next == kRecordEnd && record.isOpen()) {
            if (!record.complete()) {
                read.malformed = true;
                return read;
            }
            Record& complete = read.records.emplace_back();
            complete.text = payload;
            complete.starts = record.fieldStarts(at);
            record.close();
        } else if (record.isOpen()) {
            record.note(next, at);
        }
    }
    return read;
}

QStringView Record::field(int number) const {
    if (number < 1 || number > recordFields || text.isNull())
        return {};
    const qsizetype from = starts[number - 1];
    return QStringView(text).sliced(from, starts[number] - kMarkerLength - from);
}

QStringList gridRow(int number, const Record& record) {
    QStringList row{QString::number(number)};
    for (const int field : {7, 8, 6, 1, 2, 3, 4, 5})
        row << record.field(field).toString();
    return row;
}

} // namespace Screening
