// Runs the real browser engine, offscreen, against pages served on the loopback interface.
#include "platform/gbk.h"
#include "platform/webbrowser_qt.h"

#include "support/servers/httpserver.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using Loopback::Delivery;
using Loopback::HttpReply;
using Loopback::HttpRequest;

namespace {

// The page's own script breaks functions that a script in the page's world would rely on.
const QByteArray firstPage = R"(<html><head><title>t</title>
<script>Function.prototype.apply = function () {}; Element.prototype.setAttribute = function () {};</script>
</head><body><p id="quote">你好 brennoc</p>
<a id="away" href="/second" target="_blank">second</a></body></html>)";
const QByteArray secondPage = "<html><body><b>second page</b></body></html>";

constexpr int loadTimeoutMs = 30000;

// Waits for the next documentComplete and returns its address; empty after a time-out.
QString waitForDocument(WebBrowser& browser) {
    QSignalSpy completed(&browser, &WebBrowser::documentComplete);
    if (!completed.wait(loadTimeoutMs))
        return QString();
    return completed.at(0).at(0).toString();
}

// Runs a script in the browser's page and waits for its result.
QVariant evaluate(QtWebBrowser& browser, const QString& script) {
    QVariant result;
    bool done = false;
    browser.page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, loadTimeoutMs))
        return QVariant();
    return result;
}

// Whether the engine loads a page at all here, asked of a bare engine page, apart from the browser under test.
// Where it cannot (no renderer process can start in the container), the smoke tests are skipped, not failed.
bool engineRuns() {
    static const bool runs = [] {
        QWebEnginePage page;
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.setHtml(QStringLiteral("<html><body>probe</body></html>"));
        return finished.wait(loadTimeoutMs) && finished.at(0).at(0).toBool();
    }();
    return runs;
}

class WebEngineSmoke : public ::testing::Test {
protected:
    void SetUp() override {
        if (!engineRuns())
            GTEST_SKIP() << "Qt WebEngine cannot load a page in this environment (no renderer process)";
        ASSERT_TRUE(server.listen());
        for (const auto& [path, page] : {std::pair{"/first", firstPage}, {"/second", secondPage}})
            server.route(path,
                         [page](const HttpRequest&) { return HttpReply::html(page, "text/html; charset=utf-8"); });
        // Keeps the connection open and never answers.
        server.route("/stall",
                     [](const HttpRequest&) { return HttpReply::html({}).withDelivery(Delivery::stalled(0)); });
    }

    Loopback::HttpServer server;
};

TEST_F(WebEngineSmoke, PageLoaderReadsBodyOfCompletedDocument) {
    QtWebBrowser browser(nullptr);
    EXPECT_EQ(browser.widget(), nullptr);
    const QString url = server.url(QStringLiteral("/first"));
    browser.navigate(url);
    EXPECT_EQ(browser.locationUrl(), url);

    EXPECT_EQ(waitForDocument(browser), url);
    EXPECT_TRUE(browser.bodyHtml().contains(QStringLiteral("<p id=\"quote\">你好 brennoc</p>")))
        << browser.bodyHtml().toStdString();
    EXPECT_TRUE(browser.bodyText().startsWith(QStringLiteral("你好 brennoc"))) << browser.bodyText().toStdString();
}

TEST_F(WebEngineSmoke, BodyWritesTakeHostileTextLiterally) {
    QtWebBrowser browser(nullptr);
    browser.navigate(server.url(QStringLiteral("/first")));
    ASSERT_FALSE(waitForDocument(browser).isEmpty());

    const QString hostile = QStringLiteral("x\"); document.title = 'owned'; ('\\\n</script>");
    browser.setBodyAttribute(QStringLiteral("data-note"), hostile);
    browser.setBodyAttribute(QStringLiteral("scroll"), QStringLiteral("no"));
    browser.setBodyStyle(QStringLiteral("margin"), QStringLiteral("0px"));
    browser.setBodyStyle(QStringLiteral("borderTopWidth"), QStringLiteral("3px"));
    const QVariantList seen = evaluate(browser, QStringLiteral("[document.body.getAttribute('data-note'), "
                                                               "document.title, document.body.getAttribute('scroll'), "
                                                               "getComputedStyle(document.documentElement).overflow, "
                                                               "document.body.style.margin, "
                                                               "document.body.style.borderTopWidth]"))
                                  .toList();
    ASSERT_EQ(seen.size(), 6);
    EXPECT_EQ(seen[0].toString(), hostile);
    EXPECT_EQ(seen[1].toString(), QStringLiteral("t"));
    EXPECT_EQ(seen[2].toString(), QStringLiteral("no"));
    EXPECT_EQ(seen[3].toString(), QStringLiteral("hidden"));
    EXPECT_EQ(seen[4].toString(), QStringLiteral("0px"));
    EXPECT_EQ(seen[5].toString(), QStringLiteral("3px"));
}

TEST_F(WebEngineSmoke, ViewOpensNewWindowLinksInItself) {
    QWidget window;
    window.resize(400, 300);
    QtWebBrowser browser(&window);
    ASSERT_NE(browser.widget(), nullptr);
    EXPECT_EQ(browser.widget()->parentWidget(), &window);
    window.show();
    browser.navigate(server.url(QStringLiteral("/first")));
    ASSERT_FALSE(waitForDocument(browser).isEmpty());

    QSignalSpy completed(&browser, &WebBrowser::documentComplete);
    browser.page()->runJavaScript(QStringLiteral("document.getElementById('away').click()"));
    ASSERT_TRUE(completed.wait(loadTimeoutMs));
    EXPECT_EQ(completed.at(0).at(0).toString(), server.url(QStringLiteral("/second")));
    EXPECT_EQ(browser.locationUrl(), server.url(QStringLiteral("/second")));
    EXPECT_EQ(browser.bodyHtml(), QStringLiteral("<b>second page</b>"));
}

TEST_F(WebEngineSmoke, FailedLoadCompletesWithEmptyBody) {
    QtWebBrowser browser(nullptr);
    browser.navigate(server.url(QStringLiteral("/first")));
    ASSERT_FALSE(waitForDocument(browser).isEmpty());

    // A port on which nothing listens: bind one, note it, close it.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/page").arg(closed.serverPort());
    closed.close();
    browser.navigate(refused);
    EXPECT_EQ(waitForDocument(browser), refused);
    EXPECT_EQ(browser.bodyHtml(), QString());
    EXPECT_EQ(browser.bodyText(), QString());

    // An error status completes too, and its error page is no body of the page asked for.
    browser.navigate(server.url(QStringLiteral("/missing")));
    EXPECT_EQ(waitForDocument(browser), server.url(QStringLiteral("/missing")));
    EXPECT_EQ(browser.bodyHtml(), QString());
}

TEST_F(WebEngineSmoke, NavigationThatReplacesAPendingOneCompletesOnce) {
    QtWebBrowser browser(nullptr);
    QSignalSpy completed(&browser, &WebBrowser::documentComplete);
    browser.navigate(server.url(QStringLiteral("/stall")));
    QTest::qWait(200);
    browser.navigate(server.url(QStringLiteral("/second")));
    ASSERT_TRUE(completed.wait(loadTimeoutMs));
    QTest::qWait(300);
    ASSERT_EQ(completed.size(), 1);
    EXPECT_EQ(completed.at(0).at(0).toString(), server.url(QStringLiteral("/second")));
    EXPECT_EQ(browser.bodyHtml(), QStringLiteral("<b>second page</b>"));
}

// A document from the network shown from a file or from memory: its scripts do not run, and a file that names
// no character set is read as GBK.
TEST_F(WebEngineSmoke, RestrictedBrowserRunsNoScriptOfItsDocuments) {
    const QString script = QStringLiteral("<script>document.body.textContent = 'script ran';</script>");
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("news.html")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Gbk::encode(QStringLiteral("<p>新闻正文</p>") + script));
    file.close();
    QtWebBrowser browser(nullptr);
    browser.restrictToStaticDocuments();
    browser.navigate(QUrl::fromLocalFile(file.fileName()).toString());
    ASSERT_FALSE(waitForDocument(browser).isEmpty());
    EXPECT_EQ(browser.bodyText(), QStringLiteral("新闻正文"));
    browser.setHtml(QStringLiteral("<p>内存</p>") + script);
    ASSERT_FALSE(waitForDocument(browser).isEmpty());
    EXPECT_EQ(browser.bodyText(), QStringLiteral("内存"));
}

} // namespace

// A page that opens windows it never navigates (scripts writing into a blank pop-up, as advertising does)
// must not leave one engine page behind per window for the whole run.
TEST_F(WebEngineSmoke, BlankPopupsDoNotPileUp) {
    server.route("/ads", [](const HttpRequest&) {
        return HttpReply::html(R"(<html><body>ads<script>
for (var i = 0; i < 5; i++) { var w = window.open(''); if (w) w.document.write('<p>ad</p>'); }
</script></body></html>)");
    });
    QtWebBrowser browser(nullptr);
    browser.navigate(server.url(QStringLiteral("/ads")));
    ASSERT_FALSE(waitForDocument(browser).isEmpty());
    QTest::qWait(500); // pop-ups that were let go are deleted once the loop runs
    EXPECT_LE(browser.page()->findChildren<QWebEnginePage*>().size(), 1);
}
