#pragma once

// The quote service on 127.0.0.1 for the tests of the quote readers and of the windows that use them, and a
// builder of its records. While a QuoteService lives every outside site points at its server.
//
//     QuoteService service;
//     service.records["600519"] = Quote{.code = "600519", .name = u"贵州茅台"_s, .price = "1688.00"}.bytes();
//     form.getvtdate("600519");
//     EXPECT_EQ(service.asked(), QStringList{"600519"});

#include "app/hosts.h"
#include "loopback/httpserver.h"

#include <QMap>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

// One record of the quote list page, all twenty fields; a test names only the fields it cares about.
struct Quote {
    QString code = QStringLiteral("600000");
    QString name = QStringLiteral("浦发银行");
    QString price = "10.95", percent = "1.00%", change = "0.10";
    QString bid = "10.94", bidVolume = "100", ask = "10.96", askVolume = "100";
    QString volume = "88000", turnover = "9600.00", open = "10.10", high = "10.96", low = "10.05";
    QString side = "1", last = "20";

    QString text() const {
        return QStringList{"1",    code,     name, price,   percent, change, bid,  bidVolume, ask,    askVolume,
                           volume, turnover, open, "10.00", high,    low,    side, last,      "9.1%", "10:00:00"}
            .join(u',');
    }
    QByteArray bytes() const { return text().toUtf8(); }
};

class QuoteService {
public:
    static constexpr const char* quotePath = "/quotes/EM_Quote2007/optional.aspx";
    static constexpr const char* indexPath = "/quotes/EM_Quote2007/default.aspx";

    QuoteService() {
        EXPECT_TRUE(http.listen());
        Hosts::setSitesOverrideForTests(http.url());
        http.route(quotePath, [this](const Loopback::HttpRequest& request) {
            if (onRequest)
                onRequest();
            if (reply)
                return *reply;
            const QString code = QString::fromLatin1(request.queryValue("fav"));
            return Loopback::HttpReply::html(records.value(code, unknown(code))).withDelivery(delivery);
        });
    }
    ~QuoteService() { Hosts::setSitesOverrideForTests(QString()); }
    QuoteService(const QuoteService&) = delete;
    QuoteService& operator=(const QuoteService&) = delete;

    // The service's answer for a code it does not list: the code and empty fields, no name.
    static QByteArray unknown(const QString& code) { return "," + code.toLatin1() + QByteArray(19, ','); }

    // The codes of the quote pages asked for so far, "index" for the index page.
    QStringList asked() const {
        QStringList codes;
        for (const Loopback::HttpRequest& request : http.requests())
            codes << (request.path == indexPath ? QStringLiteral("index")
                                                : QString::fromLatin1(request.queryValue("fav")));
        return codes;
    }

    Loopback::HttpServer http;
    QMap<QString, QByteArray> records;        // the record of each listed code
    std::optional<Loopback::HttpReply> reply; // answers every quote page instead, when set
    Loopback::Delivery delivery;              // how the listed records go out
    std::function<void()> onRequest;          // runs as each quote page is asked for
};
