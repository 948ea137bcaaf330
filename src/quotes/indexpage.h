#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The quote service's index page (`indexpage`): the two market index lines, each introduced by its name and
// followed by comma-separated fields. Plain functions from text to data.
namespace Quotes {

// Path and query of the index page; fixed, no parameter.
inline const QString indexPagePath = QStringLiteral("/EM_Quote2007/default.aspx?type=fs&stk=6000361");

// Section names as the page writes them.
inline const QString shanghaiIndexName = QStringLiteral("上证指数");
inline const QString shenzhenIndexName = QStringLiteral("深证成指");

enum class IndexMarket { Shanghai, Shenzhen };

// One section of the page: from a section name up to the next name or the end of the text. Field k is the
// text between comma k-1 and comma k counted from the name; fields 2 to 5 are kept, as sent.
struct IndexSection {
    IndexMarket market = IndexMarket::Shanghai;
    int present = 0;       // number of fields that closed in the section, at most 5
    QString value;         // 2: index points
    QString change;        // 3: 涨跌, "-" first for a fall
    QString range;         // 4: 幅度
    QString turnover;      // 5: 万元, decimal text
    qint64 turnoverYi = 0; // field 5 in 亿元 (see turnoverInYi); 0 while the section lacks field 5

    bool has(int field) const { return field >= 1 && field <= present; }
};

// The sections in page order. A name met again starts a new section, whose fields restart from its own
// name, so a display that applies the sections in order ends with what the last one reached.
struct IndexPage {
    QList<IndexSection> sections;

    // The last section of a market, if the page named it at all.
    std::optional<IndexSection> latest(IndexMarket market) const;
};

// Turnover in 亿元: field 5 (万元) as a number, divided by 10000.0 and taken to the nearest integer, a half
// going to the even neighbour (12345 -> 1, 15000 -> 2, 25000 -> 2). Text that is not a number, or a value
// too large for a count, throws Failure.
qint64 turnoverInYi(const QString& field5);

// Scans decoded page text. A section whose field 5 does not convert throws Failure, so the caller shows none
// of the page rather than half of it.
IndexPage parseIndexPage(QStringView text);

// The reply's road: UTF-8 bytes through GBK to text, then the scan.
IndexPage readIndexReply(const QByteArray& reply);

} // namespace Quotes

// Texts and numbers: the list of sections grows by moving their bytes rather than each text.
Q_DECLARE_TYPEINFO(Quotes::IndexSection, Q_RELOCATABLE_TYPE);
