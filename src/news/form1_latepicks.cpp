// The main window's late-day picks: the back-end's two stocks to watch at the close, read when the user clicks
// Label21, each opening its stock fund page.
#include "app/backend.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "news/latepicks.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/services.h"

#include <QScopeGuard>

namespace {

const QString kReadFailed = QStringLiteral("获取尾盘股数据发生错误，请重试！");
const QString kDatePrefix = QStringLiteral("发布日期:");

} // namespace

void TForm1::Label21Click() {
    // The screening query shares IdHTTP7: while either fetch waits, both starters are off, so the two never
    // wait on one client together.
    if (!ui->Label21->isEnabled())
        return;
    ui->Label21->setEnabled(false);
    ui->BitBtn8->setEnabled(false);
    const auto done = qScopeGuard([this] {
        ui->Label21->setEnabled(true);
        ui->BitBtn8->setEnabled(true);
    });
    ui->Panel25->show();
    QByteArray reply;
    try {
        reply = IdHTTP7->get(Backend::address(Backend::noticePage));
    } catch (...) {
        ui->Panel25->hide();
        showMessage(this, kReadFailed, errorCaption, MessageIcon::Error);
        IdHTTP7->close();
        throw SilentAbort();
    }
    IdHTTP7->close();
    const LatePicks::Notice notice = LatePicks::readNotice(reply);
    if (notice.date)
        ui->Label58->setText(kDatePrefix + *notice.date);
    if (const auto picks = notice.content ? LatePicks::splitPicks(*notice.content) : std::nullopt) {
        ui->Label18->setText(picks->first);
        ui->Label20->setText(picks->second);
        ui->Label18->show();
        ui->Label20->show();
        ui->Label58->show();
    }
    ui->Panel25->hide();
}
