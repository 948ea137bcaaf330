#include "rankings/tform25.h"

#include "app/backend.h"
#include "app/calendar.h"
#include "app/colours.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1.h"
#include "app/widesttexts.h"
#include "app/widgetevents.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/httpclient.h"
#include "platform/secondstimer.h"
#include "quotes/quoterecord.h"
#include "quotes/quoteservice.h"
#include "rankings/rankboard.h"
#include "rankings/tform26.h"
#include "rankings/tracking.h"

#include "ui_tform25.h"

#include <QLabel>
#include <QPainter>
#include <QScopeGuard>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace {

// The tracking table: the stock, when and at what change its tracking began, the poll's cursor, the current
// change and its direction, and when it rallied.
const QStringList kGridHeadings = {QStringLiteral("股票名称及代码"), QStringLiteral("监控开始"),
                                   QStringLiteral("监控开始涨幅"),   QString(),
                                   QStringLiteral("目前涨幅"),       QString(),
                                   QStringLiteral("拉升时间"),       QStringLiteral("拉升")};
const QList<int> kGridColumnWidths = {96, 71, 84, 29, 54, 27, 64, 32};
constexpr int kGridRowHeight = 16;
// The widest row the tracker writes: a code with a five-character name, times, changes and marks.
const QStringList kWidestRow = {QStringLiteral("600000") + WidestTexts::stockName,
                                WidestTexts::timeOfDay,
                                QStringLiteral("-10.02"),
                                QStringLiteral("→"),
                                WidestTexts::changePercent,
                                QStringLiteral("↑"),
                                WidestTexts::timeOfDay,
                                QStringLiteral("√")};
enum Column {
    KeyColumn = 0,
    StartColumn = 2,
    CursorColumn = 3,
    ChangeColumn = 4,
    DirectionColumn = 5,
    RallyTimeColumn = 6,
    RalliedColumn = 7
};

const QString kCursor = QStringLiteral("→");
const QString kRallied = QStringLiteral("√");
const QString kNotNoticed = QStringLiteral("0");
const QString kNoticed = QStringLiteral("1");

// The status bar's panels: the least width of each (the last one also takes the rest) and the texts at load,
// between which stands the count of rallied stocks.
const QList<int> kStatusWidths = {90, 160, 100};
// Keeps a panel's text off the window's edge and off the panel before it.
constexpr int kStatusIndent = 2;
const QString kClickHint = QStringLiteral("单击看个股详情");
const QString kTip = QStringLiteral("提示：一般，最早监控到的强势股最出黑马");

constexpr int kPollMs = 2000;
constexpr int kRestTickMs = 1000;
const QColor kLegendWaiting(192, 192, 192);

// Every cell of the tracking grid is drawn by the window's handler, centred on the whole cell as the grid's
// cells always were.
class TrackingCells : public QStyledItemDelegate {
public:
    TrackingCells(const TForm25* form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        form_->StringGrid1DrawCell(painter, option.rect, index.row(), index.column(), selected);
    }

private:
    const TForm25* form_;
};

} // namespace

TForm25::TForm25(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm25>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Colours::setBackground(this, Colours::white);
    Colours::setBackground(ui->Shape2, Tracking::ralliedBackground);
    Colours::setBackground(ui->Shape1, kLegendWaiting);
    Colours::setFontColour(ui->Label5, Colours::blue);
    ui->ComboBox1->addItems(Tracking::marginItems());
    ui->ComboBox1->setCurrentText(Tracking::defaultMargin);
    setUpTrackingGrid();
    createStatusPanels();

    IdHTTP1 = new HttpClient(this);
    IdHTTP1->setFollowRedirects(true);
    // The quote panel's read time-out, for the same quote service: a poll can wait inside the quote panel's own
    // fetch, which a stalled service must not hold longer than it holds the quote panel.
    IdHTTP1->setReadTimeout(Backend::mainWindowReadTimeoutMs);
    Timer1 = newSecondsTimer(this, kPollMs);
    Timer2 = newSecondsTimer(this, kRestTickMs);
    connectHandlers();
    // Tracking polls from program start, shown or not.
    Timer1->start();
}

TForm25::~TForm25() = default;

void TForm25::setUpTrackingGrid() {
    // The ranking board appends rows from the first ranking page on, so the table stands from creation: the
    // heading row and one empty row below it.
    StringGrid* grid = ui->StringGrid1;
    grid->setColumnWidths(kGridColumnWidths);
    grid->setRowHeight(kGridRowHeight);
    grid->resetWithHeadings(kGridHeadings);
    grid->setItemDelegate(new TrackingCells(this, grid));
    // All eight columns stay in view beside the scroll bar, up to the most stocks the tracker takes.
    grid->fitColumns({kWidestRow}, true);
}

void TForm25::createStatusPanels() {
    const QStringList texts = {kClickHint, Tracking::ralliedCount(0), kTip};
    // Each panel is wide enough for the widest text it shows: the count panel for the largest count.
    const QStringList widest = {kClickHint, Tracking::ralliedCount(Rankings::trackLimit), kTip};
    for (qsizetype i = 0; i < texts.size(); ++i) {
        auto* panel = new QLabel(texts.at(i), ui->StatusBar1);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        panel->setIndent(kStatusIndent);
        const int textWidth = kStatusIndent + panel->fontMetrics().horizontalAdvance(widest.at(i));
        panel->setMinimumWidth(std::max(kStatusWidths.at(i), textWidth));
        ui->StatusBar1->addWidget(panel, i == texts.size() - 1 ? 1 : 0);
        statusPanels_ << panel;
    }
    // A font wider than the one the window was drawn for widens the window, so that no panel cuts its text.
    const int needed = ui->StatusBar1->minimumSizeHint().width();
    if (needed > width()) {
        setFixedWidth(needed);
        ui->StatusBar1->resize(needed, ui->StatusBar1->height());
    }
}

void TForm25::connectHandlers() {
    // The poll waits for every window: it ticks from this window's creation, and a rally reaches the notice.
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (windowsCreated())
            guarded([this] { Timer1Timer(); });
    });
    connect(Timer2, &QTimer::timeout, this, [this] { guarded([this] { Timer2Timer(); }); });
    connect(ui->StringGrid1, &QTableWidget::cellPressed, this,
            [this](int row) { guarded([this, row] { StringGrid1MouseDown(row); }); });
    onKeyPress(ui->ComboBox1, [this](QChar& key) { ComboBox1KeyPress(key); });
    onClick(ui->Label5, [this] { Label5Click(); });
}

QLabel* TForm25::statusPanel(int index) const {
    return at(statusPanels_, index);
}

QString TForm25::getjkgj(const QString& code) {
    const Quotes::QuoteRecord record = Quotes::readQuoteReply(Quotes::fetchQuotePage(*IdHTTP1, code));
    return record.has(5) ? record.changePercent : QString();
}

void TForm25::Timer1Timer() {
    if (!Form1 || !Tracking::pollsAt(todayweekday(), Clock::timeOfDay()))
        return;
    Timer1->stop();
    UnitState& state = Form1->state;
    if (state.trackfails >= Tracking::failuresBeforeRest) {
        state.trackwait = 0;
        Timer2->start();
        return;
    }
    const auto resume = qScopeGuard([this] { Timer1->start(); });
    if (state.trackrow > state.trackitems.size()) {
        state.trackrow = 1;
        return;
    }
    const int row = state.trackrow;
    StringGrid* grid = ui->StringGrid1;
    // A failed fetch and a change that is not a number count alike, and the poll moves on to the next row.
    std::optional<Tracking::RowPoll> poll;
    guarded([&] {
        const QString change = getjkgj(grid->cell(KeyColumn, row).left(6));
        poll = Tracking::pollRow(grid->cell(StartColumn, row), grid->cell(ChangeColumn, row), change,
                                 ui->ComboBox1->currentText());
    });
    ++state.trackrow;
    if (!poll) {
        ++state.trackfails;
        return;
    }
    // The board may have appended rows while the fetch waited.
    const auto tracked = static_cast<int>(state.trackitems.size());
    if (poll->direction)
        grid->setCell(DirectionColumn, row, *poll->direction);
    grid->setCell(ChangeColumn, row, poll->change);
    grid->setCell(CursorColumn, Tracking::rowBefore(row, tracked), QString());
    grid->setCell(CursorColumn, row, kCursor);
    grid->setRow(Tracking::nextSelection(grid->row(), tracked));
    if (poll->rallies)
        rally(state, row);
}

void TForm25::rally(UnitState& state, int row) {
    StringGrid* grid = ui->StringGrid1;
    grid->setCell(RalliedColumn, row, kRallied);
    const qsizetype entry = row - 1;
    if (at(state.trackflags, entry) != kNotNoticed)
        return;
    state.trackflags[entry] = kNoticed;
    for (int column = 0; column < Rankings::trackColumns; ++column)
        at(state.trackcolours, entry * Rankings::trackColumns + column) = kNoticed;
    grid->viewport()->update();
    ++state.trackcount;
    statusPanel(1)->setText(Tracking::ralliedCount(state.trackcount));
    const QTime now = Clock::timeOfDay();
    grid->setCell(RallyTimeColumn, row, Formats::longTime(now));
    if (Form26)
        Form26->showNotice(at(state.trackitems, entry), now);
}

void TForm25::Timer2Timer() {
    if (!Form1)
        return;
    UnitState& state = Form1->state;
    if (++state.trackwait < Tracking::restTicks)
        return;
    Timer2->stop();
    state.trackfails = 0;
    Timer1->start();
}

void TForm25::StringGrid1DrawCell(QPainter* painter, const QRect& rect, int row, int column, bool selected) const {
    const StringGrid* grid = ui->StringGrid1;
    const UnitState* state = Form1 ? &Form1->state : nullptr;
    const int tracked = state ? static_cast<int>(state->trackitems.size()) : 0;
    const bool rallied = state && state->trackcolours.value((row - 1) * Rankings::trackColumns) == kNoticed;
    const QColor text = grid->palette().color(QPalette::Text);
    // The heading and the empty row keep the grid's own colours: the heading's fixed face, the base below.
    const QTableWidgetItem* item = grid->item(row, column);
    const QBrush own =
        item && item->background().style() != Qt::NoBrush ? item->background() : grid->palette().brush(QPalette::Base);
    const std::optional<Tracking::CellLook> look = Tracking::cellLook(row, tracked, rallied, selected, text);
    painter->fillRect(rect, look ? QBrush(look->background) : own);
    painter->setPen(look ? look->text : text);
    StringGrid::drawCellText(*painter, rect, grid->cell(column, row));
}

void TForm25::StringGrid1MouseDown(int row) {
    // Only rows that hold a tracked stock name one: the heading's and the empty row's texts are no codes.
    if (!Form1 || row < 1 || row > Form1->state.trackitems.size())
        return;
    Form1->getgpzj(ui->StringGrid1->cell(KeyColumn, row).left(6));
}

void TForm25::ComboBox1KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm25::Label5Click() {
    toexcel();
}
