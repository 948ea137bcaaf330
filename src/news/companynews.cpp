#include "news/companynews.h"

#include "news/pagescan.h"

namespace News {

namespace {

const QString kPathPrefix = QStringLiteral("/realstock/company/");
const QString kPathSuffix = QStringLiteral("/nc.shtml");
const QString kShanghai = QStringLiteral("sh");
const QString kShenzhen = QStringLiteral("sz");

const QString kRumourSection = QStringLiteral("资讯</a>]");
const QString kRumourHref = QStringLiteral("href=");
const QString kRumourLinkEnd = QStringLiteral(".shtml");
const QString kRumourTitle = QStringLiteral("title=");
const QString kRumourTitleEnd = QStringLiteral("</a></span>");
// The values start after the marker and the opening quote.
constexpr qsizetype kRumourHrefSkip = 6;
constexpr qsizetype kRumourTitleSkip = 7;

const QString kReportSection = QStringLiteral("<span>研究报告</span>");
const QString kReportTitle = QStringLiteral("title=\"");
const QString kReportTitleEnd = QStringLiteral("\" target=");
const QString kReportHref = QStringLiteral("href=\"");
const QString kReportLinkEnd = QStringLiteral("\">");
constexpr qsizetype kReportTitleSkip = 7;
constexpr qsizetype kReportHrefSkip = 6;

// The rumour item's scan.
class RumourScan {
public:
    // Looks at one position.
    void step(QStringView page, qsizetype i, CompanyNews& news) {
        if (done_)
            return;
        if (matchesAt(page, i, kRumourSection)) {
            open_ = true;
            return;
        }
        if (!open_)
            return;
        if (matchesAt(page, i, kRumourHref)) {
            linkStart_ = i + kRumourHrefSkip;
        } else if (matchesAt(page, i, kRumourLinkEnd)) {
            if (linkStart_ >= 0)
                news.rumourLink = between(page, linkStart_, i + kRumourLinkEnd.size()).trimmed();
            linkStart_ = -1;
        } else if (matchesAt(page, i, kRumourTitle)) {
            titleStart_ = i + kRumourTitleSkip;
        } else if (matchesAt(page, i, kRumourTitleEnd) && titleStart_ >= 0) {
            const QString taken = between(page, titleStart_, i);
            news.rumourTitle = taken.mid(taken.indexOf(u'>') + 1).trimmed();
            done_ = true;
        }
    }

private:
    bool open_ = false;
    bool done_ = false;
    qsizetype linkStart_ = -1;
    qsizetype titleStart_ = -1;
};

// The research report's scan.
class ReportScan {
public:
    // Looks at one position; false once the link is taken, which ends the whole scan.
    bool step(QStringView page, qsizetype i, CompanyNews& news) {
        if (matchesAt(page, i, kReportSection)) {
            open_ = true;
            return true;
        }
        if (!open_)
            return true;
        if (!news.reportTitle) {
            if (matchesAt(page, i, kReportTitle)) {
                start_ = i + kReportTitleSkip;
            } else if (matchesAt(page, i, kReportTitleEnd) && start_ >= 0) {
                news.reportTitle = between(page, start_, i);
                start_ = -1;
            }
            return true;
        }
        if (matchesAt(page, i, kReportHref)) {
            start_ = i + kReportHrefSkip;
        } else if (matchesAt(page, i, kReportLinkEnd) && start_ >= 0) {
            news.reportLink = between(page, start_, i);
            return false;
        }
        return true;
    }

private:
    bool open_ = false;
    qsizetype start_ = -1;
};

// Every marker of both scans starts with one of these characters; other positions need no look.
bool mayStartMarker(QChar c) {
    switch (c.unicode()) {
    case u'资':
    case u'h':
    case u'.':
    case u't':
    case u'<':
    case u'"':
        return true;
    default:
        return false;
    }
}

} // namespace

QString companyNewsPath(const QString& code) {
    const QString market = code.startsWith(u'6') ? kShanghai : kShenzhen;
    return stockPagePath(kPathPrefix + market, code, kPathSuffix);
}

CompanyNews readCompanyNews(QStringView page) {
    CompanyNews news;
    RumourScan rumour;
    ReportScan report;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (!mayStartMarker(page[i]))
            continue;
        rumour.step(page, i, news);
        if (!report.step(page, i, news))
            break;
    }
    return news;
}

} // namespace News
