// A page that opens windows it never navigates (scripts that write into a blank pop-up, as advertising does)
// must not leave one engine page behind per window for the whole run.
#include "platform/webbrowser_qt.h"
#include "support/servers/httpserver.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>

#include <gtest/gtest.h>

namespace {

constexpr int loadTimeoutMs = 30000;

// Whether the engine can load a page here at all; where it cannot, the test is skipped.
bool engineRuns() {
    static const bool runs = [] {
        QWebEnginePage page;
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.setHtml(QStringLiteral("<html><body>probe</body></html>"));
        return finished.wait(loadTimeoutMs) && finished.at(0).at(0).toBool();
    }();
    return runs;
}

const QByteArray blankPopups = R"(<html><body>ads<script>
for (var i = 0; i < 5; i++) { var w = window.open(''); if (w) w.document.write('<p>ad</p>'); }
</script></body></html>)";

} // namespace

TEST(ReviewPopups, BlankPopupsDoNotPileUp) {
    if (!engineRuns())
        GTEST_SKIP() << "Qt WebEngine cannot load a page in this environment";
    Loopback::HttpServer server;
    ASSERT_TRUE(server.listen());
    server.route("/ads", [](const Loopback::HttpRequest&) { return Loopback::HttpReply::html(blankPopups); });

    QtWebBrowser browser(nullptr);
    QSignalSpy completed(&browser, &WebBrowser::documentComplete);
    browser.navigate(server.url(QStringLiteral("/ads")));
    ASSERT_TRUE(completed.wait(loadTimeoutMs));
    QTest::qWait(500); // pop-ups that were let go are deleted once the loop runs
    EXPECT_LE(browser.page()->findChildren<QWebEnginePage*>().size(), 1);
}
