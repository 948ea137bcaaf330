// The fund-flow site's detail page and the quote portal's two chart pictures, drawn from the simulated market
// at the market clock's moment.
#include "sites.h"

#include "app/hosts.h"
#include "flowmarket.h"

namespace {

const QByteArray pngType = "image/png";

// "/gpdm.asp?gpdm=CODE"
Loopback::HttpReply detail(const Loopback::HttpRequest& request) {
    const QString code = QString::fromLatin1(request.queryValue("gpdm"));
    return Sites::gbkPage(FlowMarket::detailPage(code, Market::now()));
}

// "/k/CODE1.png" and "/r/CODE2.png": the code, the market digit (1 Shanghai, 2 Shenzhen) and ".png". The query
// the program adds ("?=1") only defeats caches.
template <QByteArray (*draw)(const Market::Listing&, const QDateTime&)>
Loopback::HttpReply picture(const Loopback::HttpRequest& request) {
    const QByteArray name = request.path.mid(request.path.lastIndexOf('/') + 1);
    const Market::Listing* listing = Market::find(QString::fromLatin1(name.left(6)));
    if (!listing || name.size() != 11 || !name.endsWith(".png"))
        return Loopback::HttpReply::error(404);
    const char market = listing->code.startsWith(QLatin1Char('6')) ? '1' : '2';
    if (name.at(6) != market)
        return Loopback::HttpReply::error(404);
    return Loopback::HttpReply::html(draw(*listing, Market::now()), pngType);
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::fundflow.key, "/gpdm.asp", detail);
    sites.addPagePrefix(Hosts::klinePictures.key, "/k/", picture<FlowMarket::klinePicture>);
    sites.addPagePrefix(Hosts::realtimePictures.key, "/r/", picture<FlowMarket::realtimePicture>);
});

} // namespace
