#pragma once

#include "platform/webbrowser.h"

#include <QPointer>

class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineView;

// The WebBrowser on Qt WebEngine. Given a parent widget it shows its pages in a QWebEngineView inside that
// parent; without one it is a page loader: a QWebEnginePage with no view, which loads and runs pages but is
// never shown. The browser owns its view and deletes it with itself.
//
// An engine page costs memory and, once it holds a document, a renderer process, and many browsers of the
// program show or load nothing for most of a run. So the engine page (and the view) is made when the browser
// is first given a document (navigate, setHtml); until then a view browser's widget is a plain white area, as
// an empty page looks, in which the view appears.
class QtWebBrowser final : public WebBrowser {
    Q_OBJECT
public:
    explicit QtWebBrowser(QWidget* parent);
    ~QtWebBrowser() override;

    QWidget* widget() override;

    void navigate(const QString& url) override;
    void setHtml(const QString& html) override;
    void refresh() override;
    QString locationUrl() const override;

    QString bodyHtml() const override;
    QString bodyText() const override;

    void setBodyAttribute(const QString& name, const QString& value) override;
    void setBodyStyle(const QString& property, const QString& value) override;
    void restrictToStaticDocuments() override;

    // The engine's page, for tests that look inside the loaded document; nullptr until the first document.
    QWebEnginePage* page() const { return page_; }

private:
    QWebEnginePage& enginePage();
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void finishDocument(const QString& url, quint64 load, const QString& html, const QString& text);

    QWebEnginePage* page_ = nullptr;
    // Where the view stands (nullptr for a page loader), and the view once the page is made.
    QPointer<QWidget> frame_;
    QPointer<QWebEngineView> view_;
    // Set by restrictToStaticDocuments before the page exists, to be applied when it is made.
    bool restricted_ = false;
    QString location_;
    QString bodyHtml_;
    QString bodyText_;
    // Counts the top-level loads started, so that a body read finishing after a newer load began is dropped.
    quint64 loadsStarted_ = 0;
    // Set while the destructor runs: body reads that the engine cancels then must not touch this object.
    bool closing_ = false;
};
