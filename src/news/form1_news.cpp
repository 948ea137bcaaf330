// The main window's per-stock information panel: the newest rumour and research titles, the investor comment,
// the announcements with the "所有公告" window, today's forum topics, and the panel's links.
#include "app/colours.h"
#include "app/fittext.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "news/cellpainter.h"
#include "news/companynews.h"
#include "news/forumtopics.h"
#include "news/noticelist.h"
#include "news/pagescan.h"
#include "news/stockcomment.h"
#include "news/tform2.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/gbk.h"
#include "platform/httpclient.h"
#include "platform/picture.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "ui_tform2.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>

namespace {

// Smaller than this a title is hard to read: a longer one is cut at the panel's edge, whole in its hint.
constexpr qreal kSmallestTitlePointSize = 7;
const QString kCommentFailedName = QStringLiteral("获取失败");
const QString kCommentFailedText = QStringLiteral("获取数据失败......");
const QString kPanelCaptionSuffix = QStringLiteral(")个股最新信息");
const QString kNoticeToday = QStringLiteral("今日有公告,点击查看最新公告");
const QString kNoNoticeToday = QStringLiteral("今日无公告,点击查看历史公告");
const QString kNoTopicToday = QStringLiteral("今日尚无留言");
const QString kForumReadFailed = QStringLiteral("读取数据出错,或今日无新帖");
const QString kNewestAt = QStringLiteral("最新于:");
const QString kNoticeWindowSuffix = QStringLiteral(") 的所有公告");
const QString kNoticeGroupSuffix = QStringLiteral(") 的所有公告（数据来自沪深证券交易所）单击查看公告内容");
const QStringList kNoticeHeadings = {QString(), QStringLiteral("公告内容"), QStringLiteral("发布日期")};
const QString kOpenBracket = QStringLiteral("(");

// Relative links of the announcement site live under its "/Notice/" folder, those of the forum at its root.
const QString kNoticeFolder = QStringLiteral("/Notice/");
const QString kForumFolder = QStringLiteral("/");
// The new-item icon beside the announcement verdict and the newest topic.
const QString kNewItemPicture = QStringLiteral(":/pictures/new.gif");

// One page of the panel on the given client, decoded from GBK. The connection is closed after the reply or
// the failure, as every reader of the panel does; a failure throws.
QString fetchPage(HttpClient& client, const QString& url) {
    try {
        const QByteArray body = client.get(url);
        client.close();
        return Gbk::decode(body);
    } catch (...) {
        client.close();
        throw;
    }
}

// A hint holding outside text: a tool tip would render text that looks like markup, so such text goes in
// escaped and shows as the characters the page sent.
void setPlainHint(QWidget* widget, const QString& text) {
    widget->setToolTip(Qt::mightBeRichText(text)
                           ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped())
                           : text);
}

// A title on a one-line label: the caption cut to 16 characters, the whole title in the hint.
void showTitle(QLabel* label, const QString& title) {
    label->setText(News::shortCaption(title));
    setPlainHint(label, title);
}

void clearLabel(QLabel* label) {
    label->clear();
    label->setToolTip(QString());
}

// The fetches block while clicks and timers run, so the user may switch stock meanwhile: a page read for a
// stock that is no longer the current one, or across a switch, is the old stock's and is dropped.
bool stillCurrent(const TForm1& form, const QString& code, int switches) {
    return form.state.curcode == code && form.infoPanelSwitches == switches;
}

// Copies a link into the hidden box Edit2 and opens it when there is one.
void openLink(TForm1& form, const QString& link) {
    form.ui->Edit2->setText(link);
    if (!form.ui->Edit2->text().trimmed().isEmpty())
        openInBrowser(form.ui->Edit2->text());
}

// The forum grid's headings and the widest texts it shows whole: a day's topic count, the longest click/reply
// counts the forum gives, and its longest author names. A title is shortened with "…" as it is drawn, so of the
// title column only the heading must fit; the column takes the width the others leave.
constexpr int kForumTitleColumn = 1;
const QList<QStringList> kForumWidestRows = {
    {QString(), QStringLiteral("帖子标题"), QStringLiteral("点击/回复"), QStringLiteral("作者")},
    {QStringLiteral("99"), QString(), QStringLiteral("99999/9999"), QStringLiteral("价值投资者")},
    {QString(), QString(), QString(), QStringLiteral("老股民2008")}};

} // namespace

void TForm1::connectInfoPanel() {
    onClick(ui->Label15, [this] { Label15Click(); });
    onClick(ui->Label36, [this] { Label36Click(); });
    onClick(ui->Label39, [this] { Label39Click(); });
    onClick(ui->Label45, [this] { Label45Click(); });
    ui->StringGrid1->setItemDelegate(
        new CellPainter([this](QPainter& painter, int column, int row, const QRect& rect,
                               bool selected) { StringGrid1DrawCell(painter, column, row, rect, selected); },
                        ui->StringGrid1));
    // The four columns fill the grid's width beside the scroll bar; only the rows scroll.
    ui->StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->StringGrid1->fitColumns(kForumWidestRows, true, kForumTitleColumn);
    connect(ui->StringGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int column) { guarded([&] { StringGrid1SelectCell(column, row); }); });
    noticeLabelDesignText = ui->Label15->text();
    noticeLabelDesignColour = Colours::fontColour(ui->Label15);
    showPicture(ui->Image3, kNewItemPicture);
    showPicture(ui->Image13, kNewItemPicture);
}

void TForm1::getyg(const QString& code) {
    const int switches = infoPanelSwitches;
    News::CompanyNews news;
    try {
        news =
            News::readCompanyNews(fetchPage(*IdHTTP2, Hosts::base(Hosts::companyNews) + News::companyNewsPath(code)));
    } catch (...) {
        return; // the panel keeps what it showed
    }
    if (!stillCurrent(*this, code, switches))
        return;
    if (news.rumourLink)
        state.rumourlink = *news.rumourLink;
    if (news.rumourTitle)
        showTitle(ui->Label36, *news.rumourTitle);
    if (news.reportTitle) {
        // The report's title is shown whole: a long one in a smaller face, the whole of it in the hint as well.
        ui->Label39->setText(*news.reportTitle);
        fitTextToWidth(ui->Label39, ui->GroupBox6->font(), kSmallestTitlePointSize);
        setPlainHint(ui->Label39, *news.reportTitle);
    }
    if (news.reportLink)
        state.reportlink = *news.reportLink;
}

void TForm1::getqgqp(const QString& code) {
    const auto showFailure = [this] {
        ui->Label9->setText(kCommentFailedName);
        ui->Label10->setText(kCommentFailedText);
    };
    // Without the stock's name the comment could not be told apart from another stock's.
    if (state.curname.isEmpty())
        return showFailure();
    const int switches = infoPanelSwitches;
    std::optional<QString> comment;
    try {
        comment =
            News::readStockComment(fetchPage(*IdHTTP2, Hosts::base(Hosts::comments) + News::stockCommentPath(code)));
    } catch (...) {
        if (stillCurrent(*this, code, switches))
            showFailure();
        return;
    }
    if (!stillCurrent(*this, code, switches) || !comment)
        return;
    ui->Label9->setText(state.curname);
    ui->Label10->setText(*comment);
}

void TForm1::getgg(const QString& code) {
    ui->GroupBox6->setTitle(state.curname + kOpenBracket + state.curcode + kPanelCaptionSuffix);
    const int switches = infoPanelSwitches;
    News::NoticeList notices;
    try {
        notices =
            News::readNoticeList(fetchPage(*IdHTTP2, Hosts::base(Hosts::announcements) + News::noticeListPath(code)),
                                 Hosts::base(Hosts::announcements) + kNoticeFolder);
    } catch (...) {
        // A failure is neither this stock's verdict nor "no announcement today": the label shows its design text.
        if (stillCurrent(*this, code, switches)) {
            ui->Label15->setText(noticeLabelDesignText);
            Colours::setFontColour(ui->Label15, noticeLabelDesignColour);
            ui->Image3->hide();
        }
        return;
    }
    if (!stillCurrent(*this, code, switches))
        return;
    state.noticetitles += notices.titles;
    state.noticelinks += notices.links;
    state.noticedates += notices.dates;
    const bool today = News::hasNoticeOn(state.noticedates, Clock::today());
    ui->Label15->setText(today ? kNoticeToday : kNoNoticeToday);
    Colours::setFontColour(ui->Label15, today ? Colours::red : Colours::navy);
    ui->Image3->setVisible(today);
}

void TForm1::getgbdata(const QString& code) {
    const int switches = infoPanelSwitches;
    const QDate today = Clock::today();
    QList<News::ForumTopic> topics;
    try {
        topics = News::readForumTopics(fetchPage(*IdHTTP5, Hosts::base(Hosts::forum) + News::forumTopicsPath(code)),
                                       Hosts::base(Hosts::forum) + kForumFolder, today.year());
    } catch (...) {
        if (stillCurrent(*this, code, switches) && state.forumtitles.isEmpty())
            ui->Label45->setText(kForumReadFailed);
        return;
    }
    if (!stillCurrent(*this, code, switches))
        return;
    const bool found = News::addTodaysTopics(state, topics, today) > 0;

    if (state.forumtitles.isEmpty()) {
        ui->Label45->setText(kNoTopicToday);
        state.newestpostlink.clear();
        // The first display of a stock needs a topic to show; without one it reads as a failed load.
        if (state.forumloaded == 0)
            ui->Label45->setText(kForumReadFailed);
        return;
    }
    if (state.forumloaded == 1 && !found)
        return;
    // The first display shows the page's first topic, later ones the last topic added.
    const qsizetype newest = state.forumloaded == 0 ? 0 : state.forumtitles.size() - 1;
    showTitle(ui->Label45, at(state.forumtitles, newest));
    state.newestpostlink = at(state.forumlinks, newest);
    state.forumloaded = 1;
    ui->Image13->show();
    ui->Label19->setText(kNewestAt + Formats::longTime(Clock::timeOfDay()));
    ui->Label19->show();
}

void TForm1::resetInfoPanelState() {
    ++infoPanelSwitches;
    state.forumloaded = 0;
    state.rumourlink.clear();
    state.reportlink.clear();
    state.newestpostlink.clear();
    // Nothing of the old stock may show under the new one, whatever the new stock's pages give.
    for (QLabel* label : {ui->Label36, ui->Label39, ui->Label45, ui->Label9, ui->Label10})
        clearLabel(label);
    ui->Label15->setText(noticeLabelDesignText);
    Colours::setFontColour(ui->Label15, noticeLabelDesignColour);
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->Image3), static_cast<QWidget*>(ui->Image13), static_cast<QWidget*>(ui->Label19)})
        widget->hide();
}

void TForm1::ggggdraw() {
    if (!Form2)
        return;
    StringGrid* grid = Form2->ui->StringGrid1;
    grid->resetWithHeadings(kNoticeHeadings);
    // Entry 0 is the list's heading row; the grid ends with one empty row.
    for (int i = 1; i < state.noticetitles.size(); ++i) {
        grid->setCell(0, i, QString::number(i));
        grid->setCell(1, i, state.noticetitles[i]);
        grid->setCell(2, i, state.noticedates.value(i));
        grid->setRowCount(grid->rowCount() + 1);
    }
}

void TForm1::Label15Click() {
    if (state.curname.isEmpty() || !Form2)
        return;
    setEnabled(false);
    ggggdraw();
    ui->Image3->hide();
    const QString stock = state.curname + kOpenBracket + state.curcode;
    Form2->setWindowTitle(stock + kNoticeWindowSuffix);
    Form2->ui->GroupBox1->setTitle(stock + kNoticeGroupSuffix);
    centreOnScreen(Form2);
    Form2->show();
    Form2->activateWindow();
}

void TForm1::Label36Click() {
    openLink(*this, state.rumourlink);
}

void TForm1::Label39Click() {
    openLink(*this, state.reportlink);
}

void TForm1::Label45Click() {
    ui->Image13->hide();
    ui->Label19->hide();
    openLink(*this, state.newestpostlink);
}
