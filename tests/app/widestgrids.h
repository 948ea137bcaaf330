#pragma once

// The main window's two grids filled with the widest texts they show, through the window's own filling: the
// forum's topics and the screening query's results.

#include "app/form1_fixture.h"
#include "app/tform1_ui.h"
#include "app/widesttexts.h"
#include "loopback/httpserver.h"
#include "platform/gbk.h"

// Twenty forum topics with the longest title, counts and author names, as the forum reader gives them at the
// next `start`.
inline void readWidestForumTopics(RecordingForm1& form) {
    form.forumReader = [](UnitState& state) {
        for (int i = 0; i < 20; ++i) {
            state.forumtitles << QStringLiteral("持有平安银行三年了，谈谈我对公司基本面的理解和后市的判断");
            state.forumcounts << QStringLiteral("99999/9999");
            state.forumauthors << (i % 2 ? QStringLiteral("价值投资者") : QStringLiteral("老股民2008"));
            state.forumlinks << QStringLiteral("http://127.0.0.1/%1").arg(i);
            state.forumdates << QStringLiteral("2024-1-3");
        }
    };
}

// The twenty widest topics, shown by `start`.
inline void showWidestForumTopics(RecordingForm1& form) {
    readWidestForumTopics(form);
    form.start();
}

// Forty screening results of five-character names and the widest sums, from a back-end on loopback.
inline void showWidestScreeningResults(RecordingForm1& form) {
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    QString records;
    for (int i = 0; i < 40; ++i)
        records += QStringLiteral("&0%1&1%1&2%1&3%1&4-99.99&5%1&6%2&7600000&8")
                       .arg(WidestTexts::fundSum, WidestTexts::stockName);
    server.route("/gpzjcx2.asp", [&](const Loopback::HttpRequest&) {
        return Loopback::HttpReply::html(R"(<body text="#000000">)" + Gbk::encode("2024-01-03&&" + records) +
                                         "</body>");
    });
    form.state.serverurl = server.url(QString());
    form.BitBtn8Click();
    ASSERT_EQ(form.ui->StringGrid2->rowCount(), 42);
}
