// The main window's news flash: the headline in Label48 and the picks check on Timer5's ticks, the back-end news
// button, and the tray switches of the back-end pop-ups.
#include "app/hosts.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "news/headline.h"
#include "news/tform11.h"
#include "news/tform20.h"
#include "news/tform21.h"
#include "news/tform23.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/httpclient.h"
#include "platform/picture.h"
#include "platform/services.h"
#include "quotes/tform3.h"

#include "ui_tform11.h"
#include "ui_tform21.h"
#include "ui_tform23.h"

#include <QAction>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

// The headline is fetched on the first tick and every 20th after it, i.e. every 600 s.
constexpr int kHeadlineEvery = 20;
const QString kFlashOpen = QStringLiteral("快讯(");
const QString kFlashClose = QStringLiteral(")");
// The icon before the headline, and the one that tells of a headline not yet opened.
const QString kNewsIcon = QStringLiteral(":/pictures/news.gif");
const QString kNewHeadlineIcon = QStringLiteral(":/pictures/newsflash.gif");

QString headlinePage() {
    return Hosts::base(Hosts::newsList) + NewsFlash::listPagePath;
}

// A hint shown exactly as the page wrote it: a title is never read as markup.
QString plainHint(const QString& text) {
    return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace

void TForm1::connectNewsFlashHandlers() {
    showPicture(ui->Image1, kNewsIcon);
    showPicture(ui->Image19, kNewHeadlineIcon);
    onClick(ui->Label48, [this] { Label48Click(); });
    onClick(ui->Label21, [this] { Label21Click(); });
    const auto wire = [this](QToolButton* button, void (TForm1::*handler)()) {
        connect(button, &QToolButton::clicked, this, [this, handler] {
            if (windowsCreated())
                guarded([&] { (this->*handler)(); });
        });
    };
    wire(ui->ToolButton15, &TForm1::ToolButton15Click);
    wire(ui->ToolButton17, &TForm1::ToolButton17Click);
}

void TForm1::Timer5Timer() {
    if (state.curname.isEmpty() || state.curcode.isEmpty() || newsFlashTickRunning)
        return;
    newsFlashTickRunning = true;
    Timer5->stop();
    const auto done = qScopeGuard([this] {
        newsFlashTickRunning = false;
        // The settings window holds the timer off until it closes, also when it opened while this tick waited.
        if (!settingsWindowOpen())
            Timer5->start();
    });
    try {
        if (state.newsflashtick % kHeadlineEvery == 0) {
            const QByteArray page = IdHTTP4->get(headlinePage());
            IdHTTP4->close();
            const std::optional<NewsFlash::Headline> headline = NewsFlash::readHeadlineReply(page);
            if (headline && headline->link != state.newsflashlink) {
                state.newsflashlink = headline->link;
                ui->Image19->show();
                ui->Image1->hide();
                ui->Label48->setToolTip(plainHint(headline->title));
                ui->Label48->setText(kFlashOpen + Formats::longTime(Clock::timeOfDay()) + kFlashClose +
                                     headline->title);
            }
        }
        ++state.newsflashtick;
        if (Form20 && !Form20->isVisible() && checkPicks())
            fillPicks();
    } catch (...) {
        IdHTTP4->close();
        ++state.newsflashtick;
        throw;
    }
}

void TForm1::Label48Click() {
    if (state.newsflashlink.isEmpty())
        return;
    // A link the page gave relative to itself is opened on the list page's site.
    openInBrowser(QUrl(headlinePage()).resolved(QUrl(state.newsflashlink)).toString());
    ui->Image19->hide();
    ui->Image1->show();
}

void TForm1::ToolButton17Click() {
    if (!Form21)
        return;
    state.savednews[0].clear();
    state.savednews[1].clear();
    Form21->getnews();
}

void TForm1::N7Click() {
    // Resumes the blog-mention notice; the item never pauses it.
    N7->setChecked(true);
    state.muteblog = 0;
    if (Form11)
        Form11->ui->CheckBox1->setChecked(false);
}

void TForm1::N15Click() {
    // Resumes the watched-list pop-up; the item never pauses it.
    N15->setChecked(true);
    state.mutefundletter = 0;
    if (Form23)
        Form23->ui->CheckBox1->setChecked(false);
}

void TForm1::N18Click() {
    // Resumes the back-end news pop-up; the item never pauses it.
    N18->setChecked(true);
    state.mutedigest = 0;
    if (Form21)
        Form21->ui->CheckBox1->setChecked(false);
}
