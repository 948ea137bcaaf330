// The back-end's pages that are only shown in a browser: the banner and the page about one stock.
#include "sites.h"

#include "app/backend.h"
#include "app/hosts.h"
#include "market.h"
#include "platform/gbk.h"

namespace {

const QString bannerText = QStringLiteral("brennoc 股票行情 · 资金流向 · 实时预警");
const QString stockTitle = QStringLiteral("个股资料");
const QString codeLabel = QStringLiteral("股票代码");
const QString nameLabel = QStringLiteral("股票名称");
const QString unknownStock = QStringLiteral("没有找到该股票");

Loopback::HttpReply banner(const Loopback::HttpRequest&) {
    return Sites::gbkPage(Sites::envelope(QStringLiteral("<center><b>%1</b></center>").arg(bannerText)));
}

QString row(const QString& label, const QString& value) {
    return QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(label, value.toHtmlEscaped());
}

// "/gpgetstock.asp?name=CODE": code and name of the stock, or a note that the code is not listed.
Loopback::HttpReply stock(const Loopback::HttpRequest& request) {
    const QString code = Gbk::decode(request.queryValue("name")).trimmed();
    const Market::Listing* listing = Market::find(code);
    QString payload = QStringLiteral("<h3>%1</h3><table>").arg(stockTitle) + row(codeLabel, code);
    payload += listing ? row(nameLabel, listing->name) : row(nameLabel, unknownStock);
    return Sites::gbkPage(Sites::envelope(payload + QStringLiteral("</table>")));
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::backend.key, Backend::bannerPage.toLatin1(), banner);
    sites.addPage(Hosts::backend.key, Backend::stockPage.section(QLatin1Char('?'), 0, 0).toLatin1(), stock);
});

} // namespace
