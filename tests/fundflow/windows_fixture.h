#pragma once

// The stock fund page and the period query against a fund-flow site and a quote service on 127.0.0.1, with the
// main window's other subsystems recorded.
#include "flowpages.h"

#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "fundflow/tform24.h"
#include "fundflow/tform29.h"
#include "loopback/httpserver.h"

#include <QMap>

#include <functional>
#include <memory>
#include <optional>

class FundFlowWindows : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
        server.route("/fundflow/gpdm.asp", [this](const Loopback::HttpRequest& request) {
            if (duringRead)
                duringRead();
            if (pageReply)
                return *pageReply;
            return Loopback::HttpReply::html(pages.value(request.queryValue("gpdm"), "<html>none</html>"));
        });
        server.route("/quotes/EM_Quote2007/optional.aspx", [this](const Loopback::HttpRequest& request) {
            if (quoteReply)
                return *quoteReply;
            const QByteArray code = request.queryValue("fav");
            return Loopback::HttpReply::html("1," + code + "," + names.value(code).toUtf8() + ",1.00,0,");
        });
        form1 = std::make_unique<RecordingForm1>();
        Form1 = form1.get();
        form1->state.curcode = QStringLiteral("000001");
        form24 = std::make_unique<TForm24>();
        Form24 = form24.get();
        form29 = std::make_unique<TForm29>();
        Form29 = form29.get();
    }
    void TearDown() override {
        Form29 = nullptr;
        Form24 = nullptr;
        Form1 = nullptr;
        form29.reset();
        form24.reset();
        form1.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    // The requests for the fund-flow page so far, as their request targets.
    QList<QByteArray> pageRequests() const {
        QList<QByteArray> targets;
        for (const Loopback::HttpRequest& request : server.requests()) {
            if (request.path == "/fundflow/gpdm.asp")
                targets << request.target;
        }
        return targets;
    }

    Loopback::HttpServer server;
    QMap<QByteArray, QByteArray> pages;            // fund-flow page by code
    QMap<QByteArray, QString> names;               // quote service's names by code
    std::optional<Loopback::HttpReply> pageReply;  // replaces every fund-flow page when set
    std::optional<Loopback::HttpReply> quoteReply; // replaces every quote record when set
    std::function<void()> duringRead;              // runs while a fund-flow page request waits
    std::unique_ptr<RecordingForm1> form1;
    std::unique_ptr<TForm24> form24;
    std::unique_ptr<TForm29> form29;
};
