#include "fundflow/tform24.h"

#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "fundflow/codeentry.h"
#include "fundflow/flowclient.h"
#include "fundflow/tform29.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include "ui_tform24.h"

namespace {

const QString kUnknownStock = QStringLiteral("您输入的股票不存在,请重新输入！");
const QString kFillFailed = QStringLiteral("获取数据失败，请稍后再试！");

// What a loaded picture page gets, so the picture fills the view without scroll bars or frame.
const QString kScrollAttribute = QStringLiteral("scroll");
const QString kNo = QStringLiteral("no");
const QString kBorderStyle = QStringLiteral("border");
const QString kNone = QStringLiteral("none");
const QString kMarginStyle = QStringLiteral("margin");
const QString kNoMargin = QStringLiteral("0px");

const QColor kVerdictColour(255, 255, 0);

void showFlow(QLabel* label, const FundPage::Flow& flow) {
    label->setText(flow.text);
    Colours::setFontColour(label, flow.colour);
}

} // namespace

TForm24::TForm24(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm24>()) {
    ui->setupUi(this);
    entry_.watch({ui->Edit1, ui->Button1});
    // A fixed dialog border with only a close box, above the other windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(size());
    Colours::setBackground(this, Colours::white);
    for (QLabel* heading : {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label7}) {
        Colours::setBackground(heading, Colours::green);
        Colours::setFontColour(heading, Colours::white);
    }
    Colours::setFontColour(ui->Label10, Colours::navy);
    Colours::setBackground(ui->Panel1, Colours::navy);
    Colours::setFontColour(ui->Panel1, Colours::white);
    for (QLabel* hint : {ui->Label26, ui->Label27, ui->Label38, ui->Label39})
        Colours::setFontColour(hint, Colours::red);
    for (QLabel* hint : {ui->Label28, ui->Label40})
        Colours::setFontColour(hint, Colours::green);
    Colours::setBackground(ui->Label42, Colours::black);
    Colours::setFontColour(ui->Label42, kVerdictColour);
    for (QLabel* link : {ui->Label15, ui->Label16, ui->Label43, ui->Label44})
        Colours::setFontColour(link, Colours::navy);
    connectHandlers();
}

TForm24::~TForm24() = default;

void TForm24::connectHandlers() {
    connect(ui->Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    // Only the user's pick recomputes; the fills set nothing in the box.
    connect(ui->ComboBox1, &QComboBox::activated, this, [this] { guarded([this] { ComboBox1Change(); }); });
    onKeyPress(ui->ComboBox1, [this](QChar& key) { ComboBox1KeyPress(key); });
    onClick(ui->Label15, [this] { Label15Click(); });
    onClick(ui->Label16, [this] { Label16Click(); });
    onClick(ui->Label43, [this] { Label43Click(); });
    onClick(ui->Label44, [this] { Label44Click(); });

    // The main window's tool button opens this page for the current stock; the main window is made first.
    if (Form1) {
        connect(Form1->ui->ToolButton16, &QToolButton::clicked, this, [] {
            if (Form1)
                guarded([] { Form1->ToolButton16Click(); });
        });
    }
}

WebBrowser& TForm24::pictureBrowser() {
    if (!WebBrowser1) {
        WebBrowser1 = platformServices().createBrowser(this);
        if (QWidget* view = WebBrowser1->widget()) {
            view->setObjectName(QStringLiteral("WebBrowser1"));
            view->setGeometry(ui->WebBrowser1Place->geometry());
            view->show();
            ui->WebBrowser1Place->hide();
        }
        connect(WebBrowser1.get(), &WebBrowser::documentComplete, this,
                [this] { guarded([this] { WebBrowser1DocumentComplete(); }); });
    }
    return *WebBrowser1;
}

void TForm24::showFundPage(const QString& code) {
    // The window shows one stock: a fill asked for while another reads is refused.
    if (reading())
        return;
    const FundPage::Read read = getshzjmx(code);
    fill(code, read);
    centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

FundPage::Read TForm24::getshzjmx(const QString& code) {
    const EntryHold::Release held = entry_.take();
    try {
        HttpClient client;
        FlowPage::prepareClient(client);
        const QByteArray page = FlowPage::fetch(client, code);
        return FundPage::readPage(page, FundPage::startingSummary(code, flowcode, summary));
    } catch (...) {
        showMessage(this, FlowPage::readFailedMessage, errorCaption, MessageIcon::Error);
        throw SilentAbort();
    }
}

int TForm24::chosenDays() const {
    return toInt(ui->ComboBox1->currentText());
}

void TForm24::fill(const QString& code, const FundPage::Read& read) {
    const FundPage::Sums sums = FundPage::sums(read.days, chosenDays());
    const QString kline = FundPage::klinePicture(code);
    summary = read.summary;
    days = read.days;
    flowcode = code;
    pictureBrowser().navigate(kline);
    showSummary();
    showSums(sums);
    showVerdict(sums, FundPage::Wording::Fill);
}

void TForm24::showSummary() {
    ui->Label8->setText(summary.summarydate + QLatin1Char(' ') + summary.summarytime);
    ui->Label9->setText(summary.summarycode);
    ui->Label10->setText(summary.summaryname);
    ui->Label11->setText(summary.summaryprice);
    ui->Label12->setText(summary.summaryddx);
    ui->Label13->setText(summary.summarype);
    ui->Label14->setText(summary.summaryeps);
    showFlow(ui->Label18, FundPage::todayFlow(summary.summarynet));
    showFlow(ui->Label23, FundPage::todayFlow(summary.summaryxl));
    showFlow(ui->Label24, FundPage::todayFlow(summary.summarylarge));
    showFlow(ui->Label25, FundPage::todayFlow(summary.summaryretail));
}

void TForm24::showSums(const FundPage::Sums& sums) {
    showFlow(ui->Label30, FundPage::sumFlow(sums.net));
    showFlow(ui->Label35, FundPage::sumFlow(sums.xl));
    showFlow(ui->Label36, FundPage::sumFlow(sums.large));
    showFlow(ui->Label37, FundPage::sumFlow(sums.retail));
}

void TForm24::showVerdict(const FundPage::Sums& sums, FundPage::Wording wording) {
    // With no clear direction the label goes back to its design text rather than keep another stock's verdict.
    ui->Label42->setText(FundPage::verdict(ui->Label10->text(), sums, wording).value_or(FundPage::verdictDesignText));
}

void TForm24::refuseCode(const QString& message) {
    showMessage(this, message, errorCaption, MessageIcon::Error);
    ui->Edit1->setFocus();
}

void TForm24::Button1Click() {
    if (reading())
        return;
    const QString code = ui->Edit1->text();
    if (const std::optional<QString> problem = CodeEntry::problem(code))
        return refuseCode(*problem);
    if (lookUpName(code).isEmpty())
        return refuseCode(kUnknownStock);
    ui->Panel1->show();
    const bool filled = guarded([&] { fill(code, getshzjmx(code)); });
    ui->Panel1->hide();
    if (!filled)
        showMessage(this, kFillFailed, errorCaption, MessageIcon::Error);
}

QString TForm24::lookUpName(const QString& code) {
    if (!Form1)
        return {};
    const EntryHold::Release held = entry_.take();
    // The look-up only answers whether the stock exists: the main window's current stock keeps its name.
    const QString currentName = Form1->state.curname;
    const QString name = Form1->yzgp(code);
    Form1->state.curname = currentName;
    return name;
}

void TForm24::ComboBox1Change() {
    // Computed before anything is shown, so an entry that is not an integer leaves the labels as they were.
    const FundPage::Sums sums = FundPage::sums(days, chosenDays());
    showSums(sums);
    showVerdict(sums, FundPage::Wording::ChoiceOfN);
}

void TForm24::ComboBox1KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm24::Label15Click() {
    const QString address = FundPage::klinePicture(flowcode);
    pictureBrowser().navigate(address);
}

void TForm24::Label16Click() {
    const QString address = FundPage::realtimePicture(flowcode);
    pictureBrowser().navigate(address);
}

void TForm24::Label43Click() {
    if (WebBrowser1)
        WebBrowser1->refresh();
}

void TForm24::Label44Click() {
    if (Form29)
        Form29->openFor(flowcode);
}

void TForm24::WebBrowser1DocumentComplete() {
    WebBrowser& browser = pictureBrowser();
    browser.setBodyAttribute(kScrollAttribute, kNo);
    browser.setBodyStyle(kBorderStyle, kNone);
    browser.setBodyStyle(kMarginStyle, kNoMargin);
}
