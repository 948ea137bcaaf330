#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The company news page of a finance portal (`getyg`'s page): the stock's newest rumour item and newest
// research report title. A plain function from the decoded page to data.
namespace News {

// Path of the page: "/realstock/company/" + "sh" (code starting with 6) or "sz" + code + "/nc.shtml".
// Anything but a six-digit code throws Failure.
QString companyNewsPath(const QString& code);

// What the page gave; a value the scan did not reach stays empty.
struct CompanyNews {
    std::optional<QString> rumourLink;  // trimmed, ending in ".shtml"
    std::optional<QString> rumourTitle; // the anchor text, trimmed
    std::optional<QString> reportTitle; // as the title attribute holds it
    std::optional<QString> reportLink;

    bool operator==(const CompanyNews&) const = default;
};

// Two scans over the same text, position by position:
// - the rumour item opens at "资讯</a>]"; inside it "href=" and ".shtml" give the link, "title=" and
//   "</a></span>" the title (the text after its first ">"), which closes the item for good;
// - the report section opens at "<span>研究报告</span>"; `title="` and `" target=` give the title, then
//   `href="` and `">` the link, which ends the whole scan.
// An end marker met before its start marker is ignored, and each start serves one end.
CompanyNews readCompanyNews(QStringView page);

} // namespace News
