#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// GBK, the code page of every back-end page, data file and form body, through glibc's iconv.
namespace Gbk {

// GBK bytes to text. A byte sequence that is not GBK becomes U+FFFD and decoding goes on.
QString decode(const QByteArray& bytes);

// Text to GBK bytes; a character that GBK cannot hold becomes "?".
QByteArray encode(const QString& text);

// The road every quote reply takes: UTF-8 bytes to GBK ("?" for what GBK lacks), then to text. The result
// holds only characters that GBK can hold, so a name with a rarer character shows a "?" in its place.
QString fromUtf8ThroughGbk(const QByteArray& utf8);

// Number of bytes the text takes in GBK.
int byteLength(const QString& text);

// The text's GBK bytes cut or padded with zero bytes to exactly `size` bytes (fixed-size record fields).
// A cut never splits a two-byte character.
QByteArray padded(const QString& text, int size);

// Form encoding of one value over its GBK bytes: letters and digits stay, a blank becomes "+", every
// other byte becomes "%" and two upper-case hexadecimal digits.
QByteArray formEncode(const QString& value);

// A form body: each field as name "=" encoded value, in the order given, joined by "&", with leading and
// trailing blanks removed. Names are sent as written.
using FormFields = QList<QPair<QString, QString>>;
QByteArray formBody(const FormFields& fields);

} // namespace Gbk
