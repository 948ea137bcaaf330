// The recommendation window and the news and notice pop-ups filled with the largest texts they are given: every
// text reads whole inside its window, but for a recommendation's reason, which reads whole in its hint.
#include "app/registry.h"
#include "news/tform21.h"
#include "news/tform23.h"
#include "platform/gbk.h"
#include "recommendation_fixture.h"
#include "support/wholetexts.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <utility>

namespace {

// The longest names the quote service gives have five Chinese characters.
const QString kLongestName = QStringLiteral("墨岚财闻网");
// As many Chinese characters as the reason box takes.
const QString kLongestReason = QStringLiteral("放量突破前期平台主力资金持续流入业绩预增估值偏低中线持有待涨");

int wrappedLines(const QLabel* label, const QString& text) {
    QTextLayout layout(text, label->font());
    layout.setTextOption(QTextOption(label->alignment()));
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines)
        line.setLineWidth(label->contentsRect().width());
    layout.endLayout();
    return lines;
}

// A headline that fills two lines of the label: one character more would wrap into a third.
QString twoLineHeadline(const QLabel* label) {
    QString headline = QStringLiteral("盘中异动：%1(300059)主力资金动向").arg(kLongestName);
    const QString more = QStringLiteral("，券商板块午后全线拉升，多股封板，成交放大");
    for (int i = 0; wrappedLines(label, headline + more[i % more.size()]) <= 2; ++i)
        headline += more[i % more.size()];
    return headline;
}

class NewsWindowTexts : public RecommendationWindows {
protected:
    void SetUp() override {
        RecommendationWindows::SetUp();
        QString list;
        for (int i = 0; i < 10; ++i)
            list += QStringLiteral("$a0222.222.222.%1$a1%2(30005%3)$a2%4$a32025-3-12 9:3%3:00$a4\n")
                        .arg(QString::number(200 + i), kLongestName, QString::number(i), kLongestReason);
        server.route("/backend/gpjgshow.asp", [list](const Loopback::HttpRequest&) {
            return Loopback::HttpReply::html(Gbk::encode("<body text=\"#000000\">" + list));
        });
        server.route("/quotes/EM_Quote2007/optional.aspx", [](const Loopback::HttpRequest&) {
            return Loopback::HttpReply::html(
                ("1,x," + kLongestName + ",1688.88,1.0%" + QString(",0").repeated(14)).toUtf8());
        });
        makeWindows();
    }
};

} // namespace

TEST_F(NewsWindowTexts, RecommendationWindowCutsOnlyReasonsAndTheirHintsHoldThemWhole) {
    form1->N14Click();
    ASSERT_EQ(Form16->tipLabels().size(), 10);
    widgetNamed<QLineEdit>(Form16, "Edit1")->setText(QStringLiteral("300059"));
    ASSERT_EQ(widgetNamed<QLabel>(Form16, "Label9")->text(), kLongestName);
    // The reason box is left empty: at the window's design width it scrolls through a long reason, as an entry does.

    // A caption may run out of its row at the right only, where its reason ends; the rest of it reads whole.
    QStringList cuts = cutTexts(Form16);
    for (const QLabel* label : Form16->tipLabels()) {
        const QString text = label->text();
        SCOPED_TRACE(text.toStdString());
        const QRegularExpression reasonCut(QStringLiteral("^ \"%1\": drawn 0 pixels beyond the left, \\d+ the right, "
                                                          "0 the top, 0 the bottom")
                                               .arg(QRegularExpression::escape(text)));
        EXPECT_EQ(cuts.removeIf([&](const QString& cut) { return reasonCut.match(cut).hasMatch(); }), 1);
        EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(text.chopped(kLongestReason.size())),
                  label->contentsRect().width());
        EXPECT_EQ(QTextDocumentFragment::fromHtml(label->toolTip()).toPlainText().section(u'【', 0, 0), kLongestReason);
    }
    EXPECT_EQ(cuts.join(u'\n').toStdString(), "");
}

TEST_F(NewsWindowTexts, NewsAndNoticePopUpsShowATwoLineHeadlineWhole) {
    TForm21 news;
    auto* headline = widgetNamed<QLabel>(&news, "Label1");
    headline->setText(twoLineHeadline(headline));
    EXPECT_EQ(cutTexts(&news).join(u'\n').toStdString(), "");

    TForm23 notice;
    widgetNamed<QLabel>(&notice, "Label1")->setText(QStringLiteral("最新发现时间:23:59:59"));
    EXPECT_EQ(cutTexts(&notice).join(u'\n').toStdString(), "");
}
