#include "news/tform27.h"

#include "platform/screen.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include "ui_tform27.h"

#include <QUrl>

TForm27::TForm27(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm27>()) {
    ui->setupUi(this);
}

TForm27::~TForm27() = default;

WebBrowser& TForm27::browser() {
    if (!WebBrowser1) {
        WebBrowser1 = platformServices().createBrowser(this);
        WebBrowser1->restrictToStaticDocuments();
        if (QWidget* view = WebBrowser1->widget()) {
            view->setObjectName(QStringLiteral("WebBrowser1"));
            ui->browserLayout->addWidget(view);
        }
    }
    return *WebBrowser1;
}

void TForm27::showFile(const QString& path) {
    centreOnScreen(this);
    browser().navigate(QUrl::fromLocalFile(path).toString());
    show();
    raise();
}

void TForm27::showHtml(const QString& html) {
    centreOnScreen(this);
    browser().setHtml(html);
    show();
    raise();
}
