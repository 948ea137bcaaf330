// The quote service's two pages, drawn from the simulated market at the market clock's moment: the quote list
// page, one stock's record, and the index page with the Shanghai and Shenzhen index lines. Both are UTF-8.
#include "sites.h"

#include "app/hosts.h"
#include "market.h"

namespace {

const QByteArray utf8Html = "text/html; charset=utf-8";

// The live service answers only the query forms it knows; anything else gets an empty page, as an unknown
// code with a malformed `fav` does.
Loopback::HttpReply emptyPage() {
    return Loopback::HttpReply::html(QByteArray(), utf8Html);
}

// "/EM_Quote2007/optional.aspx?type=z&fav=CODE&hick=VALUE"
Loopback::HttpReply quoteList(const Loopback::HttpRequest& request) {
    if (request.queryValue("type") != "z" || request.queryValue("hick").isEmpty())
        return emptyPage();
    const QString fav = QString::fromUtf8(request.queryValue("fav"));
    return Loopback::HttpReply::html(Market::quotePage(fav, Market::now()), utf8Html);
}

// "/EM_Quote2007/default.aspx?type=fs&stk=6000361"
Loopback::HttpReply indexes(const Loopback::HttpRequest& request) {
    if (request.queryValue("type") != "fs" || request.queryValue("stk") != "6000361")
        return emptyPage();
    return Loopback::HttpReply::html(Market::indexPage(Market::now()), utf8Html);
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::quotes.key, "/EM_Quote2007/optional.aspx", quoteList);
    sites.addPage(Hosts::quotes.key, "/EM_Quote2007/default.aspx", indexes);
});

} // namespace
