// The main window's TV station directory: the station list, the column of station labels, the station
// menus and the favourite-delete menu.
#include "app/backend.h"
#include "app/colours.h"
#include "app/program.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/services.h"
#include "tv/stationmenus.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace {

const QString kRecentLabel = QStringLiteral("最近观看");
const QString kFavouritesLabel = QStringLiteral("收 藏 夹");
const QString kDeleteAll = QStringLiteral("删除全部");
const QString kDeleteAllQuestion = QStringLiteral("注意:确定要删除全部收藏的电视台地址吗？");
const QString kDeletedAll = QStringLiteral("注意:收藏的电视台地址已被全部删除!");
const QString kDeleteQuestion = QStringLiteral("确定要删除\"%1\"吗？");
const QString kDeleted = QStringLiteral("注意:\"%1\"删除成功!");

// The column of labels: its distance from the panel's right edge, the first label's top, and each label's size.
constexpr int kColumnFromRight = 80;
constexpr int kFirstTop = 20;
constexpr int kLabelWidth = 60;
constexpr int kLabelHeight = 20;
constexpr int kLabelPointSize = 10;
// "最近观看" and "收 藏 夹", always the last two labels of the column.
constexpr int kFixedLabels = 2;

bool askOkCancel(QWidget* owner, const QString& question) {
    return showMessage(owner, question, noticeCaption, MessageIcon::Question, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

} // namespace

void TForm1::addtv() {
    // A failed or malformed reply leaves the directory empty; the recent and favourite labels are built all
    // the same, so the local lists stay reachable for the run.
    guarded([this] {
        const QByteArray reply = IdHTTP1->get(state.serverurl + Backend::tvStationsPage);
        state.tvstations = Tv::classifyStations(Tv::readStationList(reply));
    });
    IdHTTP1->close();
    buildTvLabels();
}

void TForm1::buildTvLabels() {
    // Only the group labels that fit on the panel above the two fixed ones are made: a list of thousands of
    // groups would otherwise stall the start and every repaint of the window with labels no one can see.
    const qsizetype rowsOnPanel = std::max(0, ui->Panel7->height() - kFirstTop) / kLabelHeight;
    const qsizetype groupLabels = std::clamp<qsizetype>(rowsOnPanel - kFixedLabels, 0, state.tvstations.groups.size());
    const Tv::StationDirectory& stations = state.tvstations;
    QStringList captions;
    for (qsizetype i = 0; i < groupLabels; ++i)
        captions << stations.records[stations.groups[i]].name().toString();
    captions << kRecentLabel << kFavouritesLabel;

    const int left = ui->Panel7->width() - kColumnFromRight;
    int top = kFirstTop;
    for (const QString& caption : captions) {
        auto* label = new QLabel(ui->Panel7);
        label->setTextFormat(Qt::PlainText);
        label->setText(caption);
        label->setGeometry(left, top, kLabelWidth, kLabelHeight);
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPointSize(kLabelPointSize);
        label->setFont(font);
        // No background of its own until the mouse first comes over it: the panel's picture shows through.
        Colours::setFontColour(label, Colours::black);
        label->setCursor(Qt::PointingHandCursor);
        onClick(label, [this, label] { mset(label); });
        onHover(
            label, [this, label] { msin(label); }, [this, label] { msout(label); });
        TvMenus::onMouseMove(label, [this, label] { msmove(label); });
        // Under the player, the banner and the cover, as labels drawn on the panel itself are.
        label->stackUnder(ui->Label30);
        label->show();
        tvlabels << label;
        top += kLabelHeight;
    }
}

void TForm1::mset(QLabel* label) {
    Colours::setBackground(label, TvMenus::lime);
    TvMenus::clear(PopupMenu3);
    const qsizetype position = tvlabels.indexOf(label);
    const qsizetype groups = tvlabels.size() - kFixedLabels; // the groups that have a label
    // Each label stands for its own list, so two groups of one name each show their own stations.
    if (position == groups) {
        for (qsizetype i = 0; i < state.recentnames.size(); ++i)
            TvMenus::addStation(this, PopupMenu3, state.recentnames[i], i, &TForm1::nclick1);
    } else if (position == groups + 1) {
        for (qsizetype i = 0; i < state.favnames.size(); ++i)
            TvMenus::addStation(this, PopupMenu3, state.favnames[i], i, &TForm1::nclick2);
    } else {
        for (const Tv::MenuItem& item : Tv::groupMenu(state.tvstations, position)) {
            if (item.channels.isEmpty()) {
                TvMenus::addStation(this, PopupMenu3, item.caption, item.record, &TForm1::nclick);
                continue;
            }
            QMenu* sub = PopupMenu3->addMenu(TvMenus::caption(item.caption));
            for (const Tv::MenuItem& channel : item.channels)
                TvMenus::addStation(this, sub, channel.caption, channel.record, &TForm1::nclick);
        }
    }
    // An empty list has nothing to show.
    if (PopupMenu3->isEmpty())
        return;
    // At the label's right edge on the screen, at the height of the cursor.
    const int x = label->mapToGlobal(QPoint(label->width(), 0)).x();
    PopupMenu3->popup(QPoint(x, QCursor::pos().y()));
}

void TForm1::msin(QLabel* label) {
    Colours::setBackground(label, TvMenus::lime);
}

void TForm1::msmove(QLabel* label) {
    Colours::setBackground(label, TvMenus::lime);
}

void TForm1::msout(QLabel* label) {
    Colours::setBackground(label, Colours::white);
}

void TForm1::Image24MouseMove() {
    if (state.tvstations.groups.isEmpty())
        return;
    for (QLabel* label : tvlabels)
        Colours::setBackground(label, Colours::white);
}

void TForm1::Chart1MouseMove() {
    Image24MouseMove();
}

void TForm1::Chart2MouseMove() {
    Image24MouseMove();
}

void TForm1::nclick3(QAction* item) {
    const QString name = item->data().toString();
    if (name == kDeleteAll) {
        if (!askOkCancel(this, kDeleteAllQuestion))
            return;
        state.favnames.clear();
        state.favurls.clear();
        TvMenus::clear(N9);
        appendFavouriteDeleteTail();
        showMessage(this, kDeletedAll, applicationTitle());
        return;
    }
    // Favourites that share a name are offered one after the other until one is deleted.
    for (qsizetype i = 0; i < state.favnames.size(); ++i) {
        if (state.favnames[i] != name || !askOkCancel(this, kDeleteQuestion.arg(name)))
            continue;
        QAction* entry = at(N9->actions(), i);
        N9->removeAction(entry);
        entry->deleteLater();
        state.favnames.removeAt(i);
        state.favurls.removeAt(i);
        showMessage(this, kDeleted.arg(name), applicationTitle());
        return;
    }
}
