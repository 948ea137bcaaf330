#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The finance portal's news list page, whose newest entry the main window flashes as a headline. A plain
// function from text to data: no widgets, no network.
namespace NewsFlash {

// Path of the news list page on the news list site.
inline const QString listPagePath = QStringLiteral("/news/cgszb.html");

struct Headline {
    QString link;  // through its ".html"; empty when the entry had none
    QString title; // as the page writes it

    bool operator==(const Headline&) const = default;
};

// The headline of a list page. Only the text after the first "<li><span>" counts: each `href="` opens a link
// that the first ".html" after it closes (the link runs through ".html"), each `title="` opens a title, and
// the first `" targe` after an opened title closes it and ends the scan. A page with no title closed that way
// has no headline.
std::optional<Headline> readHeadline(QStringView page);
// The same over the page's GBK bytes.
std::optional<Headline> readHeadlineReply(const QByteArray& page);

} // namespace NewsFlash
