#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The fund-flow screening on the back-end: the form's check, the request and the reader of its reply. Plain
// functions over the form's texts and the reply's bytes.
namespace Screening {

// The form's texts as they stand.
struct Inputs {
    QString days;       // rq: the last N days
    QString extraLarge; // tdzj: extra-large-order inflow at least, 万元
    QString large;      // ddzj: large-order inflow at least, 万元
    QString rise;       // zf: cumulative rise at most, %
    QString freeFloat;  // ltp: float at most, 亿股, when asked for
    bool filterFloat = false;
};

// The boxes the check can send the user back to.
enum class Box { ExtraLarge, FreeFloat, Large, Rise };
struct MissingInput {
    Box box;
    QString message;
};
// The first missing input, in the order extra-large, float (only when asked for), large, rise; nothing when
// the form is complete.
std::optional<MissingInput> firstMissingInput(const Inputs& inputs);

// The float sent when none is asked for: no stock is that big.
inline const QString anyFloat = QStringLiteral("9999");

// A value in the request: digits, "-" and "." as typed, every other byte of its GBK text as "%" and two
// upper-case hexadecimal digits, so that nothing pasted into a box can add or change a field.
QString encodeValue(const QString& value);

// serverurl + "/gpzjcx2.asp?rq=..&tdzj=..&ddzj=..&zf=..&ltp=..".
QString screeningAddress(const QString& serverurl, const Inputs& inputs);

// The fields of a record, numbered 1 to 8.
inline constexpr int recordFields = 8;

struct Reply;

// One record of a reply: its fields, 1 to 8, as the back-end sent them. The records of a reply share its one
// decoded text and keep where their fields lie in it, so a reply of many records is not a heap of small texts;
// a record keeps the text alive however long it outlives the reply.
class Record {
public:
    // Field `number`, empty for a number outside 1 to 8.
    QStringView field(int number) const;

private:
    friend Reply readReply(const QByteArray& reply);

    QString text;
    // Where each field starts, then where a ninth would: each field ends at the marker before the next start.
    std::array<qsizetype, recordFields + 1> starts{};
};

struct Reply {
    std::optional<QString> date; // the text before the first "&&", trimmed; nothing when there is none
    QList<Record> records;
    bool malformed = false; // a record lacks one of its field markers "&1" to "&7"; the records stop there
};

// The reply's payload (after `text="#000000">`, up to "</body>") scanned for its markers: the update date ends at
// the first "&&"; each record runs from an "&0" to the next "&8", its fields split at "&1" ... "&7" in order.
// An "&8" with no record open is ignored, a second "&0" moves the record's start. A reply without the
// marker has no records.
Reply readReply(const QByteArray& reply);

// The grid row of record `number` (from 1): the number, then fields 7, 8, 6, 1, 2, 3, 4, 5.
QStringList gridRow(int number, const Record& record);

} // namespace Screening

// A text and its field starts: the list of records grows by moving their bytes rather than each record.
Q_DECLARE_TYPEINFO(Screening::Record, Q_RELOCATABLE_TYPE);
