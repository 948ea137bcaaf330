#pragma once

#include "platform/webbrowser.h"

#include <QPointer>

class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineView;

// The WebBrowser on Qt WebEngine. Given a parent widget it shows its pages in a QWebEngineView inside that
// parent; without one it is a page loader: a QWebEnginePage with no view, which loads and runs pages but is
// never shown. The browser owns its view and deletes it with itself.
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

    // The engine's page, for tests that look inside the loaded document.
    QWebEnginePage* page() const { return page_; }

private:
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void finishDocument(const QString& url, quint64 load, const QString& html, const QString& text);

    QWebEnginePage* page_ = nullptr;
    QPointer<QWebEngineView> view_;
    QString location_;
    QString bodyHtml_;
    QString bodyText_;
    // Counts the top-level loads started, so that a body read finishing after a newer load began is dropped.
    quint64 loadsStarted_ = 0;
    // Set while the destructor runs: body reads that the engine cancels then must not touch this object.
    bool closing_ = false;
};
