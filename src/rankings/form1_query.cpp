// The main window's N-day ranking query: the day walk over one kept-alive connection (ClientSocket3 and
// Timer3 hand control to each other, one request out at a time), the days stored in `data`, their sums in
// `data1`, and the ranked result as three labels and a menu. The query's three panels lie at one place and
// show its state: the form (idle), the progress (running) and the result (shown).
#include "app/hosts.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "platform/clientsocket.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/services.h"
#include "rankings/ndayquery.h"
#include "rankings/rankpage.h"
#include "rankings/rankrequest.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <cmath>
#include <utility>

namespace {

const QString kConnectFailed = QStringLiteral("连接服务器失败，请重试！");
const QString kReadFailed = QStringLiteral("读取数据时发生错误，请重试！");
const QString kStepFailed = QStringLiteral("获取数据时失败!");
const QString kResultHead = QStringLiteral("以下为近");
const QString kResultMiddle = QStringLiteral("天以来“");
const QString kResultTail = QStringLiteral("”股票");

const QString kDeleteDays = QStringLiteral("delete from data");
const QString kDeleteSums = QStringLiteral("delete from data1");
const QString kAppendDays = QStringLiteral("select * from data where id=1");
const QString kSums = QStringLiteral("select sum(数值),股票代码,股票名称 from data group by 股票代码,股票名称");
const QString kAppendSums = QStringLiteral("select * from data1");
const QString kLargestFirst = QStringLiteral("select * from data1 order by 数值 desc");
const QString kSmallestFirst = QStringLiteral("select * from data1 order by 数值 asc");
const QString kName = QStringLiteral("股票名称");
const QString kCode = QStringLiteral("股票代码");
const QString kValue = QStringLiteral("数值");

// A page with ranking rows holds the rows' mouse-over handler; a holiday's page does not.
constexpr QByteArrayView kRowsMarker = "this.style.backgroundColor";

// A connection the site closes while a page is awaited is made again once; a second close without a page in
// between fails the query, so a site that always hangs up cannot keep it going round.
constexpr int kMaxRetries = 1;

enum class QueryPanel { Idle, Running, Shown };

void showPanel(TForm1& form, QueryPanel panel) {
    form.ui->GroupBox9->setVisible(panel == QueryPanel::Idle);
    form.ui->Panel24->setVisible(panel == QueryPanel::Running);
    form.ui->GroupBox10->setVisible(panel == QueryPanel::Shown);
}

bool walking(const TForm1& form) {
    return !form.ui->Panel24->isHidden();
}

int queryDays(const TForm1& form) {
    return toInt(form.ui->ComboBox3->currentText());
}

const Rankings::NdayCategory& queryCategory(const TForm1& form) {
    const Rankings::NdayCategory* category = Rankings::ndayCategory(form.ui->ComboBox4->currentText());
    if (!category)
        throw Failure(QStringLiteral("unknown query category"));
    return *category;
}

// Forgets the request that waits, so that whatever still arrives for it is dropped.
void forgetRequest(UnitState& state) {
    state.rankbuf3.clear();
    state.rankday3.clear();
    state.rankreconnect3 = 0;
}

// The walk ends on a failure of its own steps (the database, a send): back to the form.
void failDayStep(TForm1& form) {
    form.ClientSocket3->setActive(false);
    form.Timer3->stop();
    forgetRequest(form.state);
    showMessage(&form, kStepFailed, errorCaption, MessageIcon::Error);
    showPanel(form, QueryPanel::Idle);
    form.ui->ProgressBar1->setValue(0);
}

template <typename Step> void runStep(TForm1& form, Step&& step) {
    try {
        step();
    } catch (...) {
        failDayStep(form);
    }
}

// The request of the day that waits, on the open connection.
void sendDayRequest(TForm1& form) {
    const Rankings::NdayCategory& category = queryCategory(form);
    const QString host = QString::fromLatin1(Hosts::rankingHostName);
    for (const QByteArray& piece : Rankings::rankrequest(category.key, form.state.rankday3, category.sort, host))
        form.ClientSocket3->sendText(piece);
}

// Opens the connection again in the middle of the walk; the connect handler then sends the day that waits.
void reconnect(TForm1& form) {
    form.state.rankreconnect3 = 1;
    form.ClientSocket3->setActive(true);
}

double twoDecimals(double value) {
    return std::round(value * 100.0) / 100.0;
}

// Sums every stock's values of `data` into `data1`, emptied first, as one transaction.
void sumDays(TForm1& form) {
    inTransaction(form.ADOConnection1, [&form] {
        form.ADOConnection1.execute(kDeleteSums);
        form.ado2.open(kSums);
        form.ado3.open(kAppendSums);
        for (; !form.ado2.eof(); form.ado2.next()) {
            form.ado3.append();
            form.ado3.setField(kCode, form.ado2.text(kCode));
            form.ado3.setField(kName, form.ado2.text(kName));
            form.ado3.setField(kValue, twoDecimals(form.ado2.fieldAt(0).toDouble()));
            form.ado3.post();
        }
        form.ado2.close();
        form.ado3.close();
    });
}

// The stocks of `data1` in the order of their sums.
QList<Rankings::NdayStock> rankedStocks(TForm1& form, const Rankings::NdayCategory& category) {
    QList<Rankings::NdayStock> stocks;
    form.ado3.open(category.smallestFirst() ? kSmallestFirst : kLargestFirst);
    for (; !form.ado3.eof(); form.ado3.next())
        stocks << Rankings::NdayStock{form.ado3.text(kCode), form.ado3.text(kName)};
    form.ado3.close();
    return stocks;
}

// Ranks 1 to 3 on the labels (blank where the result is shorter), 4 and below in the menu, in rank order.
void showRanks(TForm1& form, const QStringList& captions) {
    const QList<QLabel*> labels{form.ui->Label85, form.ui->Label86, form.ui->Label87};
    for (qsizetype i = 0; i < labels.size(); ++i)
        labels.at(i)->setText(captions.value(i));
    form.PopupMenu4->clear();
    for (qsizetype i = labels.size(); i < captions.size(); ++i) {
        // A menu reads "&" as a shortcut marker; doubled, the caption shows as it is.
        QAction* item = form.PopupMenu4->addAction(QString(captions.at(i)).replace(u'&', QStringLiteral("&&")));
        item->setData(captions.at(i));
        QObject::connect(item, &QAction::triggered, &form, [&form, item] { guarded([&] { form.nclickk(item); }); });
    }
}

void openRankedStock(TForm1& form, const QString& caption) {
    const QString code = Rankings::leadingStockCode(caption);
    if (!code.isEmpty())
        form.getggsj(code);
}

void showNdayResult(TForm1& form) {
    form.ClientSocket3->setActive(false);
    const Rankings::NdayCategory& category = queryCategory(form);
    form.ui->GroupBox10->setTitle(kResultHead + form.ui->ComboBox3->currentText() + kResultMiddle + category.text +
                                  kResultTail);
    sumDays(form);
    showRanks(form, Rankings::ndayCaptions(rankedStocks(form, category), category));
    showPanel(form, QueryPanel::Shown);
}

} // namespace

void TForm1::BitBtn7Click() {
    ui->BitBtn7->setEnabled(false);
    try {
        ClientSocket3->setActive(false);
        forgetRequest(state);
        ui->ProgressBar1->setValue(0);
        ui->ProgressBar1->setMaximum(queryDays(*this));
        ClientSocket3->setActive(true);
    } catch (...) {
        showMessage(this, kConnectFailed, errorCaption, MessageIcon::Error);
        ui->BitBtn7->setEnabled(true);
    }
}

void TForm1::ClientSocket3Connect() {
    runStep(*this, [this] {
        if (std::exchange(state.rankreconnect3, 0) != 0) {
            // Made again in the middle of the walk: the days taken stay, the day that waits is asked for.
            if (!state.rankday3.isEmpty())
                sendDayRequest(*this);
            return;
        }
        Timer3->start();
        state.daysdone = 1;
        state.dayoffset = 1;
        state.rankretries3 = 0;
        ui->BitBtn7->setEnabled(true);
        showPanel(*this, QueryPanel::Running);
        forgetRequest(state);
        ADOConnection1.execute(kDeleteDays);
    });
}

void TForm1::Timer3Timer() {
    Timer3->stop();
    runStep(*this, [this] {
        if (queryDays(*this) < state.daysdone) {
            showNdayResult(*this);
            return;
        }
        const QDate day = Clock::today().addDays(-state.dayoffset);
        if (Rankings::passedOver(day)) {
            ++state.dayoffset;
            Timer3->start();
            return;
        }
        // Timer3 stays off until the day's page has been handled.
        state.rankday3 = Rankings::rankDateText(day);
        state.rankbuf3.clear();
        if (ClientSocket3->active())
            sendDayRequest(*this);
        else
            reconnect(*this);
    });
}

void TForm1::ClientSocket3Read() {
    const QByteArray piece = ClientSocket3->receiveText();
    // Nothing waits once a page has been taken: the rest of its reply (the tail after "</body>") is dropped.
    if (state.rankday3.isEmpty())
        return;
    switch (Rankings::gatherReply(state.rankbuf3, piece)) {
    case Rankings::Gathering::Waiting:
        return;
    case Rankings::Gathering::TooLarge:
        ClientSocket3Error();
        return;
    case Rankings::Gathering::Complete:
        break;
    }
    const QByteArray page = std::exchange(state.rankbuf3, QByteArray());
    state.rankday3.clear();
    state.rankretries3 = 0;
    runStep(*this, [this, &page] {
        // A day without rows (a holiday) is passed over and does not count.
        if (page.contains(kRowsMarker)) {
            getshdjtzh(page, ui->ComboBox4->currentText());
            ++state.daysdone;
            ui->ProgressBar1->setValue(ui->ProgressBar1->value() + 1);
        }
        ++state.dayoffset;
        Timer3->start();
    });
}

void TForm1::ClientSocket3Error() {
    ClientSocket3->setActive(false);
    Timer3->stop();
    forgetRequest(state);
    showMessage(this, kReadFailed, errorCaption, MessageIcon::Error);
    showPanel(*this, QueryPanel::Idle);
    ui->BitBtn7->setEnabled(true);
}

void TForm1::ClientSocket3Disconnect() {
    // The last bytes before the close may complete the page.
    ClientSocket3Read();
    // Closed between two requests: the next request opens the connection again. Already opened again: done.
    if (!walking(*this) || state.rankday3.isEmpty() || ClientSocket3->active())
        return;
    if (state.rankretries3 >= kMaxRetries) {
        ClientSocket3Error();
        return;
    }
    ++state.rankretries3;
    state.rankbuf3.clear();
    runStep(*this, [this] { reconnect(*this); });
}

void TForm1::getshdjtzh(const QByteArray& page, const QString& category) {
    const Rankings::NdayCategory* taken = Rankings::ndayCategory(category);
    if (!taken)
        throw Failure(QStringLiteral("unknown query category"));
    const QList<Rankings::NdayRow> rows = Rankings::readNdayRows(Rankings::rankpage(page), *taken);
    inTransaction(ADOConnection1, [this, &rows] {
        ado2.open(kAppendDays);
        for (const Rankings::NdayRow& row : rows) {
            ado2.append();
            ado2.setField(kName, row.name);
            ado2.setField(kCode, row.code);
            ado2.setField(kValue, row.value);
            ado2.post();
        }
        ado2.close();
    });
}

void TForm1::Label83Click() {
    showPanel(*this, QueryPanel::Idle);
    Timer3->stop();
    ClientSocket3->setActive(false);
    forgetRequest(state);
}

void TForm1::Label89Click() {
    showPanel(*this, QueryPanel::Idle);
    Timer3->stop();
}

void TForm1::Label85Click() {
    openRankedStock(*this, ui->Label85->text());
}

void TForm1::Label86Click() {
    openRankedStock(*this, ui->Label86->text());
}

void TForm1::Label87Click() {
    openRankedStock(*this, ui->Label87->text());
}

void TForm1::nclickk(QAction* item) {
    openRankedStock(*this, item->data().toString());
}

void TForm1::Label88Click() {
    const int x = ui->Label88->mapToGlobal(QPoint(ui->Label88->width(), 0)).x();
    PopupMenu4->popup(QPoint(x, QCursor::pos().y()));
}

void TForm1::ComboBox3KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm1::connectQueryHandlers() {
    const auto on = [this](auto signal, void (TForm1::*handler)(), Qt::ConnectionType type = Qt::AutoConnection) {
        connect(
            ClientSocket3, signal, this, [this, handler] { guarded([&] { (this->*handler)(); }); }, type);
    };
    on(&ClientSocket::connected, &TForm1::ClientSocket3Connect);
    on(&ClientSocket::readable, &TForm1::ClientSocket3Read);
    on(&ClientSocket::errorOccurred, &TForm1::ClientSocket3Error);
    // Queued: the socket finishes tidying up its closed connection before the handler opens a new one.
    on(&ClientSocket::disconnected, &TForm1::ClientSocket3Disconnect, Qt::QueuedConnection);
    connect(ui->BitBtn7, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn7Click(); }); });
    onClick(ui->Label83, [this] { Label83Click(); });
    onClick(ui->Label85, [this] { Label85Click(); });
    onClick(ui->Label86, [this] { Label86Click(); });
    onClick(ui->Label87, [this] { Label87Click(); });
    onClick(ui->Label88, [this] { Label88Click(); });
    onClick(ui->Label89, [this] { Label89Click(); });
    // A right click on "【更多】" opens the same menu where the mouse is.
    ui->Label88->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->Label88, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu4->popup(ui->Label88->mapToGlobal(at)); });
    onKeyPress(ui->ComboBox3, [this](QChar& key) { ComboBox3KeyPress(key); });
}
