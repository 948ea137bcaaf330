#include "news/tform23.h"

#include "app/colours.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/widgetevents.h"
#include "app/workareacorner.h"
#include "news/watchedlist.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/httpclient.h"

#include "ui_tform23.h"

#include <QAction>

namespace {

const QString kFoundAt = QStringLiteral("最新发现时间:");

} // namespace

TForm23::TForm23(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm23>()) {
    ui->setupUi(this);
    makeNoticeWindow(this);
    setFixedSize(size());
    ui->Panel1Text->setAttribute(Qt::WA_TransparentForMouseEvents);
    Colours::setFontColour(ui->Panel1Text, Colours::red);
    IdHTTP1 = new HttpClient(this);
    IdHTTP1->setFollowRedirects(false);
    onClick(ui->Panel1, [this] { Panel1Click(); });
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox1Click(); }); });
}

TForm23::~TForm23() = default;

void TForm23::getsmmh() {
    if (!Form1)
        return;
    QByteArray page;
    try {
        page = IdHTTP1->get(Hosts::base(Hosts::watchedList) + WatchedList::listPage);
    } catch (...) {
        // An outside page that fails is no reason to end the ranking tick that called: the back-end news
        // still has its turn after this.
        IdHTTP1->close();
        return;
    }
    IdHTTP1->close();
    UnitState& state = Form1->state;
    const QList<QByteArray> items = WatchedList::readItems(page);
    const WatchedList::Scan scan = WatchedList::compare(state.fundletterlist, items);
    if (scan == WatchedList::Scan::Unchanged)
        return;
    state.fundletterlist = items;
    if (scan == WatchedList::Scan::Baseline || state.mutefundletter == 1)
        return;
    ui->Label1->setText(kFoundAt + Formats::longTime(Clock::timeOfDay()));
    popupAtWorkAreaCorner(this);
}

void TForm23::Panel1Click() {
    if (!Form1)
        return;
    // The same as the main window's "私募密函" tool button: the area on top, the list page loaded or refreshed.
    Form1->ToolButton13Click();
    hide();
    Form1->N1Click();
}

void TForm23::CheckBox1Click() {
    if (!Form1)
        return;
    const bool muted = ui->CheckBox1->isChecked();
    Form1->state.mutefundletter = muted ? 1 : 0;
    Form1->N15->setChecked(!muted);
}
