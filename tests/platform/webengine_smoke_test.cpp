// Runs the real browser engine, offscreen, against pages served on the loopback interface.
#include "platform/gbk.h"
#include "platform/webbrowser_qt.h"

#include "loopback/httpserver.h"
#include "support/closedport.h"

#include <QBuffer>
#include <QHostAddress>
#include <QImage>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
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

// Runs a script in the browser's page and waits for its result. It runs in a world of its own, so it reads pages
// whose scripts are off as well, and no page's script changes what it sees.
QVariant evaluate(QtWebBrowser& browser, const QString& script) {
    QVariant result;
    bool done = false;
    browser.page()->runJavaScript(script, QWebEngineScript::UserWorld, [&](const QVariant& value) {
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
            server.route(
                path, [page = page](const HttpRequest&) { return HttpReply::html(page, "text/html; charset=utf-8"); });
        // Keeps the connection open and never answers.
        server.route("/stall",
                     [](const HttpRequest&) { return HttpReply::html({}).withDelivery(Delivery::stalled(0)); });
    }

    Loopback::HttpServer server;
};

TEST_F(WebEngineSmoke, PageLoaderReadsTheDocumentWritesItsBodySafelyAndAFailedLoadHasNoBody) {
    QtWebBrowser browser(nullptr);
    EXPECT_EQ(browser.widget(), nullptr);
    const QString url = server.url(QStringLiteral("/first"));
    browser.navigate(url);
    EXPECT_EQ(browser.locationUrl(), url);
    EXPECT_EQ(waitForDocument(browser), url);
    EXPECT_TRUE(browser.bodyHtml().contains(QStringLiteral("<p id=\"quote\">你好 brennoc</p>")));
    EXPECT_TRUE(browser.bodyText().startsWith(QStringLiteral("你好 brennoc")));

    // Body writes take hostile text literally: nothing of it runs as script.
    const QString hostile = QStringLiteral("x\"); document.title = 'owned'; ('\\\n</script>");
    browser.setBodyAttribute(QStringLiteral("data-note"), hostile);
    browser.setBodyStyle(QStringLiteral("borderTopWidth"), QStringLiteral("3px"));
    EXPECT_EQ(evaluate(browser, QStringLiteral("[document.body.getAttribute('data-note'), document.title, "
                                               "document.body.style.borderTopWidth]")),
              QVariantList({hostile, QStringLiteral("t"), QStringLiteral("3px")}));

    // A refused connection and an error status complete too, without the body of an error page.
    for (const QString& failing : {QStringLiteral("http://127.0.0.1:%1/page").arg(closedLoopbackPort()),
                                   server.url(QStringLiteral("/missing"))}) {
        browser.navigate(failing);
        EXPECT_EQ(waitForDocument(browser), failing);
        EXPECT_EQ(browser.bodyHtml() + browser.bodyText(), QString());
    }
}

// A page asked to show without scroll bars (scroll="no", which the engine itself ignores) hides its overflow.
TEST_F(WebEngineSmoke, ScrollNoHidesTheOverflow) {
    QtWebBrowser browser(nullptr);
    browser.navigate(server.url(QStringLiteral("/first")));
    ASSERT_FALSE(waitForDocument(browser).isEmpty());
    browser.setBodyAttribute(QStringLiteral("scroll"), QStringLiteral("no"));
    EXPECT_EQ(evaluate(browser, QStringLiteral("[document.body.getAttribute('scroll'), "
                                               "getComputedStyle(document.documentElement).overflow]")),
              QVariantList({QStringLiteral("no"), QStringLiteral("hidden")}));
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

// A browser costs no engine page, and so no renderer, until it is given a document: a view browser stands as a
// plain white area in its parent, and what was asked of it before (the restriction) holds for its first page.
TEST(WebBrowserQt, MakesItsEnginePageAtTheFirstDocument) {
    QWidget window;
    window.resize(400, 300);
    QtWebBrowser view(&window);
    QtWebBrowser loader(nullptr);
    window.show();
    for (QtWebBrowser* browser : {&view, &loader}) {
        browser->restrictToStaticDocuments();
        browser->refresh();
        browser->setBodyStyle(QStringLiteral("margin"), QStringLiteral("0px"));
        EXPECT_EQ(browser->page(), nullptr);
    }
    ASSERT_NE(view.widget(), nullptr);
    EXPECT_EQ(view.widget()->parentWidget(), &window);
    EXPECT_TRUE(window.findChildren<QWebEngineView*>().isEmpty());

    view.setHtml(QStringLiteral("<p>x</p>"));
    loader.navigate(QStringLiteral("about:blank"));
    for (QtWebBrowser* browser : {&view, &loader}) {
        ASSERT_NE(browser->page(), nullptr);
        EXPECT_FALSE(browser->page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    }
    const QList<QWebEngineView*> views = view.widget()->findChildren<QWebEngineView*>();
    ASSERT_EQ(views.size(), 1);
    EXPECT_EQ(views.at(0)->page(), view.page());
    EXPECT_FALSE(views.at(0)->isHidden());
}

// A picture document, also one bigger than the view (which the engine would shrink, and zoom at a click), stands
// at its natural size on a white page, so the body styles a window sets as the completion is announced put it in
// the view's corner. The page's scripts are off: the browser's own run apart. A page that merely looks like the
// engine's picture viewer keeps its styles.
TEST_F(WebEngineSmoke, PictureDocumentStandsPlainAtTheTopLeft) {
    for (const int width : {520, 800}) {
        QImage picture(width, width * 5 / 8, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QBuffer png;
        picture.save(&png, "PNG");
        server.route("/" + QByteArray::number(width) + ".png",
                     [png = png.data()](const HttpRequest&) { return HttpReply::html(png, "image/png"); });
    }
    server.route("/viewer", [](const HttpRequest&) {
        return HttpReply::html("<body style='margin: 0px; background: #0e0e0e'><img src='520.png'></body>");
    });
    QWidget window;
    QtWebBrowser browser(&window);
    browser.restrictToStaticDocuments();
    browser.widget()->resize(580, 318);
    window.show();
    QObject::connect(&browser, &WebBrowser::documentComplete, &window, [&] {
        browser.setBodyAttribute(QStringLiteral("scroll"), QStringLiteral("no"));
        browser.setBodyStyle(QStringLiteral("border"), QStringLiteral("none"));
        browser.setBodyStyle(QStringLiteral("margin"), QStringLiteral("0px"));
    });
    for (const auto& [width, corner] : {std::pair{520, Qt::white}, {800, Qt::blue}}) {
        browser.navigate(server.url(QStringLiteral("/%1.png").arg(width)));
        ASSERT_FALSE(waitForDocument(browser).isEmpty());
        EXPECT_TRUE(QTest::qWaitFor(
            [&, corner = corner] {
                const QImage shot = browser.widget()->grab().toImage();
                return shot.pixelColor(0, 0) == Qt::blue && shot.pixelColor(579, 317) == corner;
            },
            loadTimeoutMs))
            << width;
        const QString click = QStringLiteral("document.images[0].dispatchEvent(new MouseEvent('click', {clientX: 400, "
                                             "clientY: 250})); [document.images[0].width, scrollY]");
        EXPECT_EQ(evaluate(browser, click), QVariantList({width, 0}));
    }
    browser.navigate(server.url(QStringLiteral("/viewer")));
    ASSERT_FALSE(waitForDocument(browser).isEmpty());
    EXPECT_EQ(evaluate(browser, QStringLiteral("getComputedStyle(document.body).backgroundColor")),
              QStringLiteral("rgb(14, 14, 14)"));
}

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
