#include "news/forumtopics.h"

#include "app/unitstate.h"
#include "news/pagescan.h"
#include "platform/formats.h"

#include <QSet>

namespace News {

namespace {

const QString kPathPrefix = QStringLiteral("/topic,");
const QString kPathSuffix = QStringLiteral(".html");

const QString kHeading = QStringLiteral("发表日期");
const QString kClicks = QStringLiteral("<li class=l1>");
const QString kReplies = QStringLiteral("<li class=l2>");
const QString kAuthor = QStringLiteral("<li class=l4>");
const QString kDate = QStringLiteral("<li class=l5>");
const QString kRecordEnd = QStringLiteral("<li class=l6>");
const QString kFieldTag = QStringLiteral("<li class=l"); // the start the five tags above share
const QString kFieldEnd = QStringLiteral("</li>");
const QString kAnchor = QStringLiteral("<a href=");
const QString kAnchorEnd = QStringLiteral(" >");
const QString kAnchorClose = QStringLiteral("</a>");
// The address starts after `<a href="` and ends before the quote that precedes " >".
constexpr qsizetype kAddressSkip = 9;
constexpr qsizetype kAddressQuote = 1;

const QString kUnreadFlag = QStringLiteral("1");
constexpr int kFlagsPerRow = 4;

enum class Field { None, Clicks, Replies, Address, Title, Author, Date, RecordEnd };

// An author field that holds a link gives the link's text.
QString authorOf(QStringView field) {
    const QStringView trimmed = field.trimmed();
    const qsizetype close = indexOfMarker(trimmed, kAnchorClose);
    if (close < 0)
        return trimmed.toString();
    const QStringView before = trimmed.left(close);
    return before.sliced(before.lastIndexOf(u'>') + 1).toString();
}

class TopicScan {
public:
    TopicScan(QStringView page, const QString& linkBase, int year) : page_(page), linkBase_(linkBase), year_(year) {}

    QList<ForumTopic> run() {
        const qsizetype heading = page_.indexOf(kHeading);
        if (heading < 0)
            return {};
        // Every marker but the address's end starts with "<", so the scan jumps from one to the next.
        qsizetype i = heading + kHeading.size();
        while (i < page_.size()) {
            const qsizetype next = open_ == Field::Address ? anchorEndFrom(i) : page_.indexOf(u'<', i);
            if (next < 0)
                break;
            step(next);
            i = next + 1;
        }
        return topics_;
    }

private:
    // The first " >" at or after `from`, or -1.
    qsizetype anchorEndFrom(qsizetype from) const {
        for (qsizetype close = page_.indexOf(u'>', from + 1); close >= 0; close = page_.indexOf(u'>', close + 1)) {
            if (page_[close - 1] == u' ')
                return close - 1;
        }
        return -1;
    }

    void step(qsizetype i) {
        switch (open_) {
        case Field::None:
            openField(i);
            return;
        case Field::Address:
            if (matchesAt(page_, i, kAnchorEnd)) {
                record_.link = linkBase_;
                record_.link.append(page_.sliced(start_, qMax(qsizetype(0), i - kAddressQuote - start_)));
                hasAddress_ = true;
                open(Field::Title, i + kAnchorEnd.size());
            }
            return;
        case Field::Title:
            if (matchesAt(page_, i, kAnchorClose)) {
                record_.title = between(page_, start_, i);
                open_ = Field::None;
            }
            return;
        default:
            if (matchesAt(page_, i, kFieldEnd))
                closeField(start_ < i ? page_.sliced(start_, i - start_) : QStringView());
            return;
        }
    }

    void openField(qsizetype i) {
        if (matchesAt(page_, i, kAnchor)) {
            open(Field::Address, i + kAddressSkip);
            return;
        }
        // The field tags differ only in their digit: find which one, then check the whole tag.
        if (!matchesAt(page_, i, kFieldTag) || i + kFieldTag.size() >= page_.size())
            return;
        const Field field = fieldOfDigit(page_[i + kFieldTag.size()]);
        const QString& tag = tagOf(field);
        if (field == Field::None || !matchesAt(page_, i, tag))
            return;
        // A record starts with its clicks: nothing of the one before carries over.
        if (field == Field::Clicks)
            startRecord();
        open(field, i + tag.size());
    }

    static Field fieldOfDigit(QChar digit) {
        switch (digit.unicode()) {
        case u'1':
            return Field::Clicks;
        case u'2':
            return Field::Replies;
        case u'4':
            return Field::Author;
        case u'5':
            return Field::Date;
        case u'6':
            return Field::RecordEnd;
        default:
            return Field::None;
        }
    }

    static const QString& tagOf(Field field) {
        switch (field) {
        case Field::Clicks:
            return kClicks;
        case Field::Replies:
            return kReplies;
        case Field::Author:
            return kAuthor;
        case Field::Date:
            return kDate;
        default:
            return kRecordEnd;
        }
    }

    void closeField(QStringView text) {
        switch (open_) {
        case Field::Clicks:
            record_.clicks = text.toString();
            break;
        case Field::Replies:
            record_.replies = text.toString();
            break;
        case Field::Author:
            record_.author = authorOf(text);
            break;
        case Field::Date:
            record_.date = forumDate(text, year_);
            if (hasAddress_)
                topics_.append(record_);
            break;
        case Field::RecordEnd:
            startRecord();
            break;
        default:
            break;
        }
        open_ = Field::None;
    }

    void open(Field field, qsizetype start) {
        open_ = field;
        start_ = start;
    }

    void startRecord() {
        record_ = ForumTopic();
        hasAddress_ = false;
    }

    QStringView page_;
    const QString& linkBase_;
    int year_;
    QList<ForumTopic> topics_;
    ForumTopic record_;
    bool hasAddress_ = false;
    Field open_ = Field::None;
    qsizetype start_ = 0;
};

} // namespace

QString forumTopicsPath(const QString& code) {
    return stockPagePath(kPathPrefix, code, kPathSuffix);
}

QString forumDate(QStringView field, int year) {
    QStringView date = field.trimmed();
    if (date.startsWith(u'0'))
        date = date.sliced(1);
    const qsizetype dashZero = indexOfMarker(date, u"-0");
    const qsizetype blank = date.indexOf(u' ');
    if (blank >= 0)
        date.truncate(blank);
    QString result = QString::number(year) + u'-';
    // The "0" after the first "-0" goes; a "-0" past the blank lies in the time and changes nothing kept.
    if (dashZero >= 0 && dashZero + 1 < date.size())
        return result.append(date.left(dashZero + 1)).append(date.sliced(dashZero + 2));
    return result.append(date);
}

QList<ForumTopic> readForumTopics(QStringView page, const QString& linkBase, int year) {
    return TopicScan(page, linkBase, year).run();
}

int addTodaysTopics(UnitState& state, const QList<ForumTopic>& topics, const QDate& today) {
    const QString todayText = Formats::shortDate(today);
    QSet<QString> listed(state.forumlinks.cbegin(), state.forumlinks.cend());
    int added = 0;
    for (const ForumTopic& topic : topics) {
        if (listed.contains(topic.link) || topic.date != todayText)
            continue;
        listed.insert(topic.link);
        state.forumtitles.append(topic.title);
        state.forumdates.append(topic.date);
        state.forumlinks.append(topic.link);
        state.forumcounts.append(topic.clicks + u'/' + topic.replies);
        state.forumauthors.append(topic.author);
        for (int flag = 0; flag < kFlagsPerRow; ++flag)
            state.forumunread.append(kUnreadFlag);
        ++added;
    }
    return added;
}

} // namespace News
