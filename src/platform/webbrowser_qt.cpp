#include "platform/webbrowser_qt.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPalette>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <functional>
#include <utility>

namespace {

// Our scripts run in a world of their own: they share the document with the page but not its script
// globals, so a page cannot replace the functions they call.
constexpr quint32 browserWorld = QWebEngineScript::ApplicationWorld;

// Reads the body of the top-level document as [inner HTML, inner text]; a document without a body (a frameset,
// an empty reply) gives two empty texts.
const QString readBodyScript =
    QStringLiteral("(function () { var b = document.body; return b ? [b.innerHTML, b.innerText] : ['', '']; })()");

// Shows a picture opened as a document as the old browser did: at its natural size at the top-left of a plain
// white page, inside the page's ordinary margin, so that a window that takes the margin away puts it in the
// corner. Chromium makes such a document (its type is a picture's, its body one img) a viewer: the picture
// centred on a dark page, shrunk to fit a smaller view and zoomed at a click. The html and body lose the
// viewer's styles. The engine writes the picture's own style and size again whenever the view is resized, so
// an adopted style sheet (which no content policy of the picture's reply blocks) outranks them instead; and a
// click on a picture larger than the view would zoom it and scroll the page, so it goes no further than the
// window. Any other document is left as it is.
const QString plainPictureScript = QStringLiteral(
    "(function () {"
    "  var b = document.body, picture = b && b.firstElementChild;"
    "  if (document.contentType.indexOf('image/') !== 0 || !picture || picture.tagName !== 'IMG' ||"
    "      b.children.length !== 1) return;"
    "  document.documentElement.removeAttribute('style'); b.removeAttribute('style');"
    "  var sheet = new CSSStyleSheet();"
    "  sheet.replaceSync('img { margin: 0 !important; width: auto !important; height: auto !important;'"
    "                    + ' background: none !important; cursor: auto !important; }');"
    "  document.adoptedStyleSheets = [sheet];"
    "  window.addEventListener('click', function (e) { if (e.target === picture) e.stopImmediatePropagation(); },"
    "                          true);"
    "})()");

// Sets an attribute of the body. The old browser honoured scroll="no" by hiding the scroll bars; Chromium
// ignores that attribute, so the same request also hides the overflow of the document.
const QString setAttributeScript =
    QStringLiteral("function (name, value) {"
                   "  var b = document.body; if (!b) return;"
                   "  try { b.setAttribute(name, value); } catch (e) { return; }"
                   "  if (name.toLowerCase() !== 'scroll') return;"
                   "  var overflow = value.toLowerCase() === 'no' ? 'hidden' : '';"
                   "  b.style.overflow = overflow; document.documentElement.style.overflow = overflow;"
                   "}");

// Sets a style property of the body, by its script name ("borderWidth") or its CSS name ("border-width").
const QString setStyleScript =
    QStringLiteral("function (property, value) {"
                   "  var b = document.body; if (!b) return;"
                   "  if (property in b.style) b.style[property] = value; else b.style.setProperty(property, value);"
                   "}");

// A call of a two-argument script function. The arguments travel as a JSON array of strings, so no text from
// a caller or a page is ever spliced into the code.
QString scriptCall(const QString& function, const QString& first, const QString& second) {
    const QByteArray arguments = QJsonDocument(QJsonArray{first, second}).toJson(QJsonDocument::Compact);
    return QLatin1Char('(') + function + QStringLiteral(").apply(null, ") + QString::fromUtf8(arguments) +
           QLatin1Char(')');
}

// A page whose links and scripts that ask for a new window open their address in the page itself: the
// program shows pages in fixed places and has no use for pop-up windows. The engine needs a page to put
// the new window into, so a short-lived page takes it, hands its address over and goes away.
class SingleWindowPage final : public QWebEnginePage {
public:
    using OpenHere = std::function<void(const QUrl&)>;

    SingleWindowPage(QObject* parent, OpenHere openHere) : QWebEnginePage(parent), openHere_(std::move(openHere)) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override {
        // One pop-up waits for its address at a time: a page that opens windows it never sends anywhere (a blank
        // window that its script writes into, as advertising does) would otherwise leave an engine page behind for
        // each of them, for the whole run.
        if (pending_)
            pending_->deleteLater();
        auto* popup = new QWebEnginePage(profile(), this);
        pending_ = popup;
        connect(popup, &QWebEnginePage::urlChanged, this, [this, popup](const QUrl& url) {
            if (url.isEmpty() || url.scheme() == QLatin1String("about"))
                return;
            popup->disconnect(this);
            popup->deleteLater();
            openHere_(url);
        });
        return popup;
    }

private:
    OpenHere openHere_;
    QPointer<QWebEnginePage> pending_; // the last pop-up, until it goes
};

// Applies the settings for documents shown from a file or from memory (restrictToStaticDocuments).
void restrict(QWebEnginePage& page) {
    QWebEngineSettings* settings = page.settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setDefaultTextEncoding(QStringLiteral("GBK"));
}

// Stands where the view goes and holds it once it is made: white like an empty page, and it keeps the mouse
// to itself as the view does, so nothing under it reacts to clicks on an empty browser.
QWidget* makeFrame(QWidget* parent) {
    auto* frame = new QWidget(parent);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, Qt::white);
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    frame->setAttribute(Qt::WA_NoMousePropagation);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return frame;
}

} // namespace

QtWebBrowser::QtWebBrowser(QWidget* parent) {
    if (parent)
        frame_ = makeFrame(parent);
}

QtWebBrowser::~QtWebBrowser() {
    closing_ = true;
    delete view_.data();
    delete page_;
    delete frame_.data();
}

QWebEnginePage& QtWebBrowser::enginePage() {
    if (page_)
        return *page_;
    page_ = new SingleWindowPage(this, [this](const QUrl& url) { navigate(url.toString()); });
    connect(page_, &QWebEnginePage::loadingChanged, this, &QtWebBrowser::onLoadingChanged);
    if (restricted_)
        restrict(*page_);
    if (frame_) {
        view_ = new QWebEngineView(frame_);
        view_->setPage(page_);
        frame_->layout()->addWidget(view_);
        view_->show();
    }
    return *page_;
}

QWidget* QtWebBrowser::widget() {
    return frame_.data();
}

void QtWebBrowser::navigate(const QString& url) {
    location_ = url;
    enginePage().load(QUrl(url));
}

void QtWebBrowser::setHtml(const QString& html) {
    location_.clear();
    enginePage().setHtml(html, QUrl());
}

// A browser that was never given a document has nothing to reload.
void QtWebBrowser::refresh() {
    if (page_)
        page_->triggerAction(QWebEnginePage::Reload);
}

QString QtWebBrowser::locationUrl() const {
    return location_;
}

QString QtWebBrowser::bodyHtml() const {
    return bodyHtml_;
}

QString QtWebBrowser::bodyText() const {
    return bodyText_;
}

// Without a document there is no body to write to.
void QtWebBrowser::setBodyAttribute(const QString& name, const QString& value) {
    if (page_)
        page_->runJavaScript(scriptCall(setAttributeScript, name, value), browserWorld);
}

void QtWebBrowser::setBodyStyle(const QString& property, const QString& value) {
    if (page_)
        page_->runJavaScript(scriptCall(setStyleScript, property, value), browserWorld);
}

// The browser's own scripts (the body reads) run in a world of their own, which this leaves running.
void QtWebBrowser::restrictToStaticDocuments() {
    restricted_ = true;
    if (page_)
        restrict(*page_);
}

// Only the loads of the top-level document are reported here, not those of its frames. A load that was
// stopped (by a newer navigation) completes nothing. A load that failed (no connection, or an error status
// such as 404) completes with an empty body, so a reader still runs and finds no figures, as it does for a
// page of the wrong layout, and never takes an error page for the page it asked for.
void QtWebBrowser::onLoadingChanged(const QWebEngineLoadingInfo& info) {
    const QString url = info.url().toString();
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        ++loadsStarted_;
        return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        finishDocument(url, loadsStarted_, QString(), QString());
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        break;
    }
    // Scripts of one world run in the order asked: the picture is restyled before the body is read, and so before
    // the handlers of documentComplete style the body themselves.
    page_->runJavaScript(plainPictureScript, browserWorld);
    const QPointer<QtWebBrowser> self(this);
    const quint64 load = loadsStarted_;
    page_->runJavaScript(readBodyScript, browserWorld, [self, url, load](const QVariant& result) {
        if (!self || self->closing_)
            return;
        const QVariantList parts = result.toList();
        if (parts.size() != 2)
            self->finishDocument(url, load, QString(), QString());
        else
            self->finishDocument(url, load, parts[0].toString(), parts[1].toString());
    });
}

void QtWebBrowser::finishDocument(const QString& url, quint64 load, const QString& html, const QString& text) {
    if (load != loadsStarted_)
        return;
    bodyHtml_ = html;
    bodyText_ = text;
    emit documentComplete(url);
}
