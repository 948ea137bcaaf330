#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The quote service's record (`quoteline`): one line of comma-separated fields, one record per stock, and the
// rules every reader of it shares. Plain functions from text to data: no widgets, no network, no clock.
namespace Quotes {

// The fixed value of the quote page's "hick" parameter; the service only needs it to be constant.
inline const QString hick = QStringLiteral("brennoc");

// Whether the text is a stock code as the quote service takes it: exactly six ASCII digits.
bool isStockCode(const QString& code);

// Path and query of the quote list page (`quotepage`) for one stock. Anything but a six-digit code throws
// Failure, so no unchecked text ever reaches an address.
QString quotePagePath(const QString& code);

// The last field any reader takes; the text after the 18th comma is never looked at.
inline constexpr int lastReadField = 18;

// The field scan: field n is the text between comma n-1 and comma n (field 1 is the text before the first
// comma), taken as it stands, never trimmed. A field exists only when the comma that closes it is in the text,
// so the result holds one entry per closing comma, at most `lastField` of them.
QStringList closedFields(QStringView text, int lastField = lastReadField);

// One decoded quote record. Fields 1 (not read) and 14 (skipped by every reader) are not kept.
struct QuoteRecord {
    int present = 0; // number of fields that closed in the text, at most 18: field n exists when n <= present

    QString code;          // 2: six digits
    QString name;          // 3
    QString price;         // 4: latest price, 元
    QString changePercent; // 5: "1.23%", "-0.45%" or exactly "0"
    QString change;        // 6: change amount, 元
    QString bidPrice;      // 7: best bid (买①), 元
    QString bidVolume;     // 8: 手 at the best bid
    QString askPrice;      // 9: best ask (卖①), 元
    QString askVolume;     // 10: 手 at the best ask
    QString volume;        // 11: 手 traded today
    QString turnover;      // 12: 万元 traded today
    QString open;          // 13
    QString high;          // 15
    QString low;           // 16
    QString lastSide;      // 17: holds "-" when the last trade was a sell
    QString lastVolume;    // 18: 手 of the last trade

    bool has(int field) const { return field >= 1 && field <= present; }
    // A kept field by its record number; empty for one the record lacks and for 1, 14 and numbers past 18.
    QString field(int number) const;
};

// Scans decoded text into a record.
QuoteRecord parseQuoteRecord(QStringView text);

// The road every quote reply takes: UTF-8 bytes through GBK ("?" for what GBK lacks) to text, then the scan.
QString decodeReply(const QByteArray& reply);
QuoteRecord readQuoteReply(const QByteArray& reply);

// `yzgp`'s reading of a reply (the look-up that tells whether a code exists): no value when the reply has
// fewer than three commas, else field 3, which may itself be empty for a code the service does not know.
std::optional<QString> yzgpName(const QByteArray& reply);

// Sign convention of every quote display: a text holding "-" anywhere is a fall; anything else, zero
// included, is a rise.
bool isFall(QStringView text);
inline const QColor riseColour = QColor(255, 0, 0); // the toolkit's red, 255
inline const QColor fallColour = QColor(0, 128, 0); // the toolkit's dark green, 32768
inline const QString riseArrow = QStringLiteral("↑");
inline const QString fallArrow = QStringLiteral("↓");
inline const QString riseWord = QStringLiteral("涨");
inline const QString fallWord = QStringLiteral("跌");
QColor signColour(QStringView text);
QString signArrow(QStringView text);
QString signWord(QStringView text);

// The monitor's quote lists (`quotelists`): one list per record field 2..13 and 15..18; entry i of every
// list is the i-th stock fetched in the pass.
class QuoteLists {
public:
    static constexpr std::array<int, 16> fields{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18};

    void clear();
    // `gestockgj`'s share: exactly one entry per list for the stock, empty where the record lacked the field,
    // so a short record never shifts the entries of the stocks fetched after it. A change percentage of
    // exactly "0" is kept as "0.0".
    void appendRecord(const QuoteRecord& record);

    // The list of one kept field; any other number throws Failure.
    const QStringList& list(int field) const;
    // Checked read of one entry; throws Failure outside the list.
    QString entry(int field, qsizetype index) const;
    // Number of stocks appended since the last clear().
    qsizetype size() const { return lists_[0].size(); }

private:
    std::array<QStringList, fields.size()> lists_;
};

// How `gestockgj` keeps a change percentage: exactly "0" becomes "0.0", anything else stays as sent.
QString storedChangePercent(const QString& field5);

} // namespace Quotes
