#pragma once

#include <QObject>
#include <QString>

class QWidget;

// An embedded web browser, the stand-in for the old browser control. A visible browser has a widget that the
// window places; a hidden page loader has none. When the top-level document of a navigation has finished
// loading, the browser reads the document body (inner HTML, text) and then emits documentComplete, so a
// handler can read bodyHtml() and bodyText() at once, as the old synchronous automation reads did. A picture
// opened as a document shows as in the old control: at its natural size at the top-left of a plain white page,
// inside the page's ordinary margin.
class WebBrowser : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~WebBrowser() override = default;

    // The view, or nullptr for a page loader without one.
    virtual QWidget* widget() = 0;

    virtual void navigate(const QString& url) = 0;
    // Shows a document held in memory. It has no address of its own, so nothing in it resolves to a local file.
    virtual void setHtml(const QString& html) = 0;
    virtual void refresh() = 0;
    // Address of the last navigation.
    virtual QString locationUrl() const = 0;

    // The body of the last completed top-level document.
    virtual QString bodyHtml() const = 0;
    virtual QString bodyText() const = 0;

    // Sets an attribute or a style property of the loaded document's body ("scroll" = "no", "margin" = "0px").
    virtual void setBodyAttribute(const QString& name, const QString& value) = 0;
    virtual void setBodyStyle(const QString& property, const QString& value) = 0;

    // For documents that came from the network and are shown from a local file or from memory: from now on no
    // script of a document runs and no document reaches another local file, and a document that names no
    // character set is read as GBK, the code page the program's sites write in.
    virtual void restrictToStaticDocuments() = 0;

signals:
    void documentComplete(const QString& url);
};
