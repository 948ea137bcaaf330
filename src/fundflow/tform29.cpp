#include "fundflow/tform29.h"

#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widesttexts.h"
#include "app/widgetevents.h"
#include "fundflow/codeentry.h"
#include "fundflow/flowclient.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "quotes/quoterecord.h"
#include "quotes/quoteservice.h"

#include "ui_tform29.h"

namespace {

const QString kEndBeforeStart = QStringLiteral("结束日期必须大于开始日期！");
const QString kUnknownStock = QStringLiteral("您输入的股票不存在");
const QString kNameLookupFailed = QStringLiteral("获取股票名称失败...");

const QStringList kHeadings{QStringLiteral("交易日期"), QStringLiteral("净    额"), QStringLiteral("特大净买"),
                            QStringLiteral("大单净买"), QStringLiteral("中单净买"), QStringLiteral("小单净买")};
const QList<int> kColumnWidths{131, 88, 87, 89, 82, 80};
constexpr int kRowHeight = 16;
// The widest row of the table: a trading day and sums over a long range.
const QStringList kWidestRow{WidestTexts::shortDate, WidestTexts::fundSum, WidestTexts::fundSum,
                             WidestTexts::fundSum,   WidestTexts::fundSum, WidestTexts::fundSum};

} // namespace

TForm29::TForm29(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm29>()) {
    ui->setupUi(this);
    entry_.watch({ui->Edit1, ui->Button1});
    // A fixed dialog border with only a close box, above the other windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(size());
    Colours::setFontColour(ui->Label4, Colours::red);
    Colours::setBackground(ui->Panel1, Colours::navy);
    Colours::setFontColour(ui->Panel1, Colours::white);
    StringGrid* grid = ui->StringGrid1;
    grid->setColumnCount(static_cast<int>(kColumnWidths.size()));
    grid->setColumnWidths(kColumnWidths);
    grid->setRowHeight(kRowHeight);
    grid->resetWithHeadings(kHeadings);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->fitColumns({kWidestRow}, true);
    const QDate today = Clock::today();
    ui->DateTimePicker1->setDate(today);
    ui->DateTimePicker2->setDate(today);
    IdHTTP1 = new HttpClient(this);
    FlowPage::prepareClient(*IdHTTP1);
    connectHandlers();
}

TForm29::~TForm29() = default;

void TForm29::connectHandlers() {
    connect(ui->Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    // The main window's quote panel link opens the query for the current stock; the main window is made first.
    if (Form1)
        onClick(Form1->ui->Label72, [] {
            if (Form1)
                Form1->Label72Click();
        });
}

void TForm29::yzgp1(const QString& code, QString& name) {
    IdHTTP1->setFollowRedirects(true);
    try {
        if (const std::optional<QString> found = Quotes::yzgpName(Quotes::fetchQuotePage(*IdHTTP1, code)))
            name = *found;
    } catch (...) {
        name = kNameLookupFailed;
    }
}

void TForm29::openFor(const QString& code) {
    if (querying() || !Quotes::isStockCode(code))
        return;
    const EntryHold::Release held = entry_.take();
    const QDate today = Clock::today();
    ui->DateTimePicker1->setDate(PeriodQuery::openerStart(today));
    ui->DateTimePicker2->setDate(today);
    ui->Edit1->setText(code);
    QString name;
    yzgp1(code, name);
    ui->Label4->setText(name);
    getshzjmx(code);
    centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void TForm29::Button1Click() {
    if (querying())
        return;
    if (ui->DateTimePicker1->date() > ui->DateTimePicker2->date()) {
        showMessage(this, kEndBeforeStart, errorCaption, MessageIcon::Error);
        return;
    }
    const QString code = ui->Edit1->text();
    if (const std::optional<QString> problem = CodeEntry::problem(code)) {
        showMessage(this, *problem, errorCaption, MessageIcon::Error);
        ui->Edit1->setFocus();
        return;
    }
    const EntryHold::Release held = entry_.take();
    QString name;
    yzgp1(code, name);
    if (name.isEmpty()) {
        showMessage(this, kUnknownStock, errorCaption, MessageIcon::Error);
        return;
    }
    ui->Label4->setText(name);
    getshzjmx(code);
}

void TForm29::getshzjmx(const QString& code) {
    // The range the query was asked for, whatever the pickers show by the time the page arrives.
    const QDate start = ui->DateTimePicker1->date();
    const QDate end = ui->DateTimePicker2->date();
    ui->Panel1->show();
    PeriodQuery::Table table;
    try {
        table = PeriodQuery::readTable(FlowPage::fetch(*IdHTTP1, code), start, end);
    } catch (...) {
        ui->Panel1->hide();
        showMessage(this, FlowPage::readFailedMessage, errorCaption, MessageIcon::Error);
        throw SilentAbort();
    }
    rows = table.rows;
    showTable(table);
    ui->Panel1->hide();
}

void TForm29::showTable(const PeriodQuery::Table& table) {
    StringGrid* grid = ui->StringGrid1;
    grid->resetWithHeadings(kHeadings);
    const qsizetype dayCount = table.rows.perioddates.size();
    for (qsizetype day = 0; day < dayCount; ++day) {
        const int row = static_cast<int>(day) + 1;
        grid->setCell(0, row, at(table.rows.perioddates, day));
        const auto amounts = PeriodQuery::rowAmounts(table.rows, day);
        for (int column = 0; column < PeriodQuery::amountColumns; ++column)
            grid->setCell(column + 1, row, amounts[column]);
        grid->setRowCount(grid->rowCount() + 1);
    }
    const int totalsRow = static_cast<int>(dayCount) + 1;
    for (int column = 0; column < PeriodQuery::amountColumns; ++column)
        grid->setCell(column + 1, totalsRow, PeriodQuery::totalText(table.totals[column]));
}
