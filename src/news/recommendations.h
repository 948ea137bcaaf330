#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The back-end's list of the latest recommendations ("/gpjgshow.asp") and the rules the recommendation window
// keeps them by. Plain functions from text to data: no widgets, no network.
namespace Recommendations {

// One recommendation as it is stored: the address and the stock padded for the label's columns.
struct Tip {
    QString ip;     // recommender's IP address, blanks up to 16 characters
    QString stock;  // name and code in parentheses, padded (paddedStock)
    QString reason; // as the user wrote it
    QString time;   // moment of the recommendation, as the back-end writes it

    // A recommendation is known by its four stored texts joined.
    QString identity() const { return ip + stock + reason + time; }
    bool operator==(const Tip&) const = default;
};

// The list is laid out in a monospaced CJK font, where a Chinese character takes two columns and a Latin one
// one, as many as its GBK bytes; lengths below are counted in these columns.
int columns(QStringView text);
// An address narrower than 16 columns gets blanks up to 16; a wider one stays as it is.
QString paddedIp(QStringView ip);
// One blank after a stock whose text starts with "*" ("*ST" names), else two, unless it is exactly 16 columns
// wide. This stored form is part of a recommendation's identity; the caption lines up the columns itself.
QString paddedStock(QStringView stock);

// The records of a reply, in reply order. Only the text after the first `text="#000000">` counts; "$a0"
// opens a record and "$a4" closes it, the record being the trimmed text between. Inside it "$a1", "$a2" and
// "$a3" close the address, the stock and the reason, the time is the rest. A "$a4" with no record open, and a
// record that lacks one of the three field markers, give nothing.
QList<Tip> readTips(QStringView reply);
// The same over the reply's GBK bytes.
QList<Tip> readTipsReply(const QByteArray& reply);

// The stored recommendations after a load: the batch's new ones (those whose identity is neither stored nor
// earlier in the batch) appended after `known` on the run's first load, and on later loads put before
// `known` as one block in reply order, so the newest stay on top in the back-end's order.
QList<Tip> withNewTips(const QList<Tip>& known, const QList<Tip>& batch, bool firstLoad);

// The window labels the first ten stored recommendations.
inline constexpr int maxLabels = 10;
// A label's caption: the address, the stock and the reason in columns. The stock, without its stored blanks, is
// given blanks up to 16 columns, so that the reason of a name whose stored blanks leave it narrower or wider
// ("万科A(000002)  " has 15 columns, "京东方A(000725)  " 17) starts where the others do; a stock wider than 16
// columns without its blanks keeps its stored form and pushes its reason right.
QString caption(const Tip& tip);
// A label's hint: the reason with the time of the recommendation.
QString hint(const Tip& tip);

// The stock code of a caption: the text between its first "(" and the ")" after it, if that is six digits;
// anything else gives an empty code, so no other user's text reaches an address.
QString captionCode(const QString& caption);

} // namespace Recommendations
