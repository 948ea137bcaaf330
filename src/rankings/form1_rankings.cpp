// The main window's live ranking board: three boxes of twelve stock labels filled from the tdc and ddx
// rankings, refreshed by Timer9, which also drives the two back-end pop-up polls.
#include "app/colours.h"
#include "app/fittext.h"
#include "app/program.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "news/tform21.h"
#include "news/tform23.h"
#include "platform/clientsocket.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/services.h"
#include "platform/songface.h"
#include "rankings/form1_board.h"
#include "rankings/rankboard.h"
#include "rankings/tform25.h"
#include "ui_tform25.h"

#include <QComboBox>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

#include <array>

namespace {

const QString kConditionChanged = QStringLiteral("您修改了条件，将在下轮扫描数据时起作用");
// The caption of a label while its box waits for a page; a caption holding "XX" has no stock behind it.
const QString kEmptyCaption = QStringLiteral("XXXX");
const QString kNoStock = QStringLiteral("XX");
const QString kNotNoticed = QStringLiteral("0");

// The board's labels: the Song face at 9 points. A caption too wide for the label in it is set smaller until it
// reads whole: a name of four characters with a change of six ("-10.00") takes 8.5 points, one of five 7.5, the
// floor; the ink of either keeps within the label's height as the design face's does.
constexpr int kLabelPointSize = 9;
constexpr qreal kSmallestLabelPointSize = 7.5;
constexpr int kLabelWidth = 119;
constexpr int kLabelHeight = 12;
constexpr int kColumns = 3;
const QColor kHighlight(0, 255, 255);

// A box's rows (tops) and the gap between its columns; the first column stands at left 1.
struct BoxLayout {
    std::array<int, 4> tops;
    int gap;
};
constexpr BoxLayout kBox1{{50, 65, 80, 95}, 1};
constexpr BoxLayout kBox2{{132, 147, 162, 178}, 2};
constexpr BoxLayout kBox3{{212, 227, 242, 257}, 2};
constexpr int kFirstLeft = 1;

// Refresh ticks come every fifth tick, and until this time of day (the first tick refreshes at any hour).
constexpr int kRefreshEvery = 5;
const QTime kLastRefresh(15, 20, 0);

// A board label's design face: the face it takes from the board, made the Song face at 9 points.
QFont designFont(const QLabel* label) {
    QFont font = label->parentWidget()->font();
    font.setFamilies(SongFace::families());
    font.setPointSize(kLabelPointSize);
    return font;
}

// A caption in the design face, or in a smaller one when it is too wide for the label in that.
void showCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    fitTextToWidth(label, designFont(label), kSmallestLabelPointSize);
}

QLabel* makeBoardLabel(TForm1& form, const QRect& place) {
    auto* label = new QLabel(form.ui->Panel19);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    Colours::setFontColour(label, Colours::black);
    Colours::setBackground(label, Colours::white);
    showCaption(label, kEmptyCaption);
    onClick(label, [&form, label] { form.tsclick(label); });
    onHover(
        label, [&form, label] { form.tsin(label); }, [&form, label] { form.tsout(label); });
    label->show();
    return label;
}

QList<QLabel*> makeBox(TForm1& form, const BoxLayout& layout) {
    QList<QLabel*> box;
    for (int i = 0; i < Rankings::boxSize; ++i) {
        const int left = kFirstLeft + (i % kColumns) * (kLabelWidth + layout.gap);
        box << makeBoardLabel(form, QRect(left, layout.tops.at(i / kColumns), kLabelWidth, kLabelHeight));
    }
    return box;
}

void showStock(QLabel* label, const Rankings::BoardStock& stock) {
    showCaption(label, stock.caption());
    Colours::setFontColour(label, stock.colour());
}

// A refresh tick's step for one connection: one counted as open is closed, one closed is opened.
void openOrClose(ClientSocket* socket, int& active) {
    if (active != 0) {
        socket->setActive(false);
        active = 0;
        return;
    }
    socket->setActive(true);
    active = 1;
}

// Hands a box-3 stock to the strong-stock tracker: its key, flag and colour flags, and a row of the table.
void feedTracker(UnitState& state, const Rankings::BoardStock& stock) {
    const QTime now = Clock::timeOfDay();
    if (!Form25 || !Rankings::joinsTracker(state.trackitems, stock.key(), now, state.trackrows))
        return;
    state.trackitems << stock.key();
    state.trackflags << kNotNoticed;
    for (int i = 0; i < Rankings::trackColumns; ++i)
        state.trackcolours << kNotNoticed;
    StringGrid* grid = Form25->ui->StringGrid1;
    const QStringList cells = Rankings::trackerRow(stock, now);
    for (int column = 0; column < cells.size(); ++column)
        grid->setCell(column, state.trackrows + 1, cells.at(column));
    grid->setRowCount(grid->rowCount() + 1);
    ++state.trackrows;
}

} // namespace

namespace Board {

void switchOn(QTimer* timer) {
    if (!timer->isActive())
        timer->start();
}

void resetBox(const QList<QLabel*>& box) {
    for (QLabel* label : box) {
        showCaption(label, kEmptyCaption);
        Colours::setFontColour(label, Colours::black);
    }
}

} // namespace Board

void TForm1::createsj() {
    if (!tdclabels.isEmpty())
        return;
    tdclabels = makeBox(*this, kBox1);
    tdclowlabels = makeBox(*this, kBox2);
    ddxlabels = makeBox(*this, kBox3);
}

void TForm1::tsin(QLabel* label) {
    label->setCursor(Qt::PointingHandCursor);
    Colours::setBackground(label, kHighlight);
}

void TForm1::tsout(QLabel* label) {
    label->unsetCursor();
    Colours::setBackground(label, Colours::white);
}

void TForm1::tsclick(QLabel* label) {
    const QString caption = label->text();
    if (caption.contains(kNoStock))
        return;
    getgpzj(caption.left(6));
}

void TForm1::getshdjttdc(const QByteArray& page, const QString& threshold) {
    const Rankings::TdcBoard board = Rankings::readTdcPage(Rankings::rankpage(page), threshold);
    if (board.stamp)
        ui->Label60->setText(*board.stamp);
    for (const Rankings::BoardStock& stock : board.top)
        showStock(at(tdclabels, stock.row - 1), stock);
    for (qsizetype i = 0; i < board.low.size(); ++i)
        showStock(at(tdclowlabels, i), board.low.at(i));
}

void TForm1::getshdjtddx(const QByteArray& page, const QString& threshold) {
    const QList<Rankings::BoardStock> box = Rankings::readDdxPage(Rankings::rankpage(page), threshold);
    for (qsizetype i = 0; i < box.size(); ++i) {
        showStock(at(ddxlabels, i), box.at(i));
        feedTracker(state, box.at(i));
    }
}

void TForm1::Timer9Timer() {
    if (rankTickRunning)
        return;
    rankTickRunning = true;
    const auto done = qScopeGuard([this] {
        rankTickRunning = false;
        Board::switchOn(Timer9);
    });
    Timer9->stop();
    if (state.ranktick % kRefreshEvery == 0) {
        state.rankbuf1.clear();
        state.rankbuf2.clear();
        if (state.ranktick == 0 || Clock::timeOfDay() <= kLastRefresh) {
            // The connections' handlers fill the labels, so they exist before a connection opens.
            createsj();
            openOrClose(ClientSocket1, state.rankactive1);
            openOrClose(ClientSocket2, state.rankactive2);
        }
    }
    ++state.ranktick;
    if (state.mutefundletter == 0 && Form23)
        Form23->getsmmh();
    if (state.mutedigest == 0 && Form21)
        Form21->getnews();
}

void TForm1::ComboBox1Change() {
    showMessage(this, kConditionChanged, applicationTitle());
    state.ranktick = 0;
}

void TForm1::Label49Click() {
    ui->Panel19->show();
}

void TForm1::Label66Click() {
    ui->Panel19->hide();
}

void TForm1::connectRankingHandlers() {
    const auto on = [this](ClientSocket* socket, auto signal, void (TForm1::*handler)()) {
        connect(socket, signal, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    on(ClientSocket1, &ClientSocket::connected, &TForm1::ClientSocket1Connect);
    on(ClientSocket1, &ClientSocket::readable, &TForm1::ClientSocket1Read);
    on(ClientSocket1, &ClientSocket::errorOccurred, &TForm1::ClientSocket1Error);
    on(ClientSocket2, &ClientSocket::connected, &TForm1::ClientSocket2Connect);
    on(ClientSocket2, &ClientSocket::readable, &TForm1::ClientSocket2Read);
    on(ClientSocket2, &ClientSocket::errorOccurred, &TForm1::ClientSocket2Error);
    // A peer that closes before "</body>" has failed the page like an error does: what is left is read, and
    // a connection whose page did not complete goes to the error handler.
    connect(ClientSocket1, &ClientSocket::disconnected, this, [this] {
        guarded([this] { ClientSocket1Read(); });
        if (state.rankactive1 != 0)
            guarded([this] { ClientSocket1Error(); });
    });
    connect(ClientSocket2, &ClientSocket::disconnected, this, [this] {
        guarded([this] { ClientSocket2Read(); });
        if (state.rankactive2 != 0)
            guarded([this] { ClientSocket2Error(); });
    });
    // Connected after the window definition set the boxes' design text, so start-up brings no notice.
    for (QComboBox* box : {ui->ComboBox1, ui->ComboBox2})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { guarded([this] { ComboBox1Change(); }); });
    onClick(ui->Label49, [this] { Label49Click(); });
    onClick(ui->Label66, [this] { Label66Click(); });
    onClick(ui->Label69, [this] { Label69Click(); });
}
