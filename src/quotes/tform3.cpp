#include "quotes/tform3.h"

#include "app/backend.h"
#include "app/colours.h"
#include "app/hosts.h"
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/unreadablefile.h"
#include "app/widgetevents.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "quotes/quoterecord.h"
#include "quotes/quoteservice.h"
#include "quotes/settingstexts.h"
#include "quotes/settingswait.h"
#include "quotes/tform15.h"
#include "quotes/tform4.h"
#include "ui_tform3.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QString kSixDigits = QStringLiteral("必须输入六位股票代码!");
const QString kAlreadyListed = QStringLiteral("该股票已存在，请重新输入!");
const QString kUnknownCode = QStringLiteral("输入的股票代码不存在，请重新输入!");
const QString kChooseStock = QStringLiteral("请选择要删除的股票");
const QString kLeaveQuestion = QStringLiteral(" 确实不要保存所作的修改吗？");
const QString kAllSaved = QStringLiteral("所有记录保存成功！");
const QString kLookupFailed = QStringLiteral("获取股票信息失败，请检查网络!");
const QString kPricePrefix = QStringLiteral("最新价:");
const QString kPriceSuffix = QStringLiteral("元");

// A pick-only box shows a stored value; a value that is not one of its items shows as blank.
void showChoice(QComboBox* box, const QString& value) {
    box->setCurrentIndex(box->findText(value));
}

} // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
    ui->setupUi(this);
    // A fixed dialog border with only a close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    for (QLabel* label : {ui->Label12, ui->Label1, ui->Label4, ui->Label6})
        Colours::setFontColour(label, Colours::red);
    for (QLabel* label : {ui->Label14, ui->Label10})
        Colours::setFontColour(label, Colours::blue);
    IdHTTP1 = new HttpClient(this);
    enableSettingControls(false);
    connectHandlers();
}

TForm3::~TForm3() = default;

void TForm3::connectHandlers() {
    const auto wire = [this](auto* sender, auto signal, void (TForm3::*handler)()) {
        connect(sender, signal, this, [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    wire(ui->BitBtn1, &QPushButton::clicked, &TForm3::BitBtn1Click);
    wire(ui->BitBtn2, &QPushButton::clicked, &TForm3::BitBtn2Click);
    wire(ui->BitBtn3, &QPushButton::clicked, &TForm3::BitBtn3Click);
    wire(ui->BitBtn4, &QPushButton::clicked, &TForm3::BitBtn4Click);
    // Only the user's clicks edit the lists; showing a stock sets the boxes without writing anything back.
    wire(ui->CheckBox1, &QCheckBox::clicked, &TForm3::CheckBox1Click);
    wire(ui->CheckBox2, &QCheckBox::clicked, &TForm3::CheckBox2Click);
    wire(ui->CheckBox3, &QCheckBox::clicked, &TForm3::CheckBox3Click);
    wire(ui->CheckBox4, &QCheckBox::clicked, &TForm3::CheckBox4Click);
    wire(ui->CheckBox5, &QCheckBox::clicked, &TForm3::CheckBox5Click);
    wire(ui->CheckBox6, &QCheckBox::clicked, &TForm3::CheckBox6Click);
    wire(ui->CheckBox7, &QCheckBox::clicked, &TForm3::CheckBox7Click);
    wire(ui->CheckBox8, &QCheckBox::clicked, &TForm3::CheckBox8Click);
    wire(ui->ComboBox1, &QComboBox::activated, &TForm3::ComboBox1Change);
    wire(ui->ComboBox2, &QComboBox::activated, &TForm3::ComboBox2Change);
    wire(ui->ComboBox3, &QComboBox::activated, &TForm3::ComboBox3Change);
    wire(ui->ComboBox4, &QComboBox::activated, &TForm3::ComboBox4Change);
    // A selection by mouse or by the arrow keys; the window's own selections block this signal.
    wire(ui->ListBox1, &QListWidget::currentRowChanged, &TForm3::delclick);

    acceptDigitsOnly(ui->Edit1);
    onKeyPress(ui->Edit1, [this](QChar& key) { Edit1KeyPress(key); });
    onKeyPress(ui->ComboBox1, [this](QChar& key) { ComboBox1KeyPress(key); });
    onKeyPress(ui->ComboBox2, [this](QChar& key) { ComboBox2KeyPress(key); });
    onKeyPress(ui->ComboBox3, [this](QChar& key) { ComboBox3KeyPress(key); });
    onKeyPress(ui->ComboBox4, [this](QChar& key) { ComboBox4KeyPress(key); });
    onClick(ui->Label10, [this] { Label10Click(); });
    onClick(ui->Label14, [this] { Label14Click(); });

    // The main window's tool button opens this window; the main window is made before this one.
    if (Form1) {
        connect(Form1->ui->ToolButton5, &QToolButton::clicked, this, [] {
            if (Form1)
                guarded([] { Form1->ToolButton5Click(); });
        });
    }
}

QList<QWidget*> TForm3::settingControls() const {
    return {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5,
            ui->CheckBox6, ui->ComboBox1, ui->ComboBox2, ui->ComboBox3, ui->ComboBox4};
}

void TForm3::enableSettingControls(bool enabled) {
    for (QWidget* control : settingControls())
        control->setEnabled(enabled);
}

void TForm3::showSettings(const SettingsStore::Settings& stored, bool readable) {
    UnitState& state = Form1->state;
    storeUnreadable_ = !readable;
    WatchList::setStocks(state, stored.stocks);
    state.phoneknown = stored.phone.hasNumber() ? 1 : 0;
    state.smsalerts = stored.phone.smsalerts ? 1 : 0;
    state.localalerts = stored.phone.localalerts ? 1 : 0;
    state.settingsrow = -1;
    storedLocally_ = false;

    enableSettingControls(false);
    ui->Edit1->clear();
    ui->Label12->clear();
    ui->Label13->clear();
    {
        const QSignalBlocker quiet(ui->ListBox1);
        ui->ListBox1->clear();
        for (const WatchList::Stock& stock : stored.stocks)
            ui->ListBox1->addItem(WatchList::listLine(stock.name, stock.code));
        ui->ListBox1->setCurrentRow(-1);
    }
    ui->Label1->setText(state.phoneknown == 1 ? stored.phone.number : WatchList::placeholderPhone);
    ui->CheckBox7->setEnabled(state.phoneknown == 1);
    ui->CheckBox7->setChecked(stored.phone.smsalerts);
    ui->CheckBox8->setChecked(stored.phone.localalerts);

    centreOnScreen(this);
    show();
    activateWindow();
}

void TForm3::getvt(const QString& code) {
    UnitState& state = Form1->state;
    state.lookupname.clear();
    Quotes::QuoteRecord record;
    const bool fetched = guarded([&] { record = Quotes::readQuoteReply(Quotes::fetchQuotePage(*IdHTTP1, code)); });
    if (!fetched) {
        showMessage(this, kLookupFailed, errorCaption, MessageIcon::Error);
        throw SilentAbort();
    }
    // A record that names no stock shows that empty name, so the refusal does not stand beside an earlier name.
    if (record.has(3) && record.name.isEmpty())
        ui->Label12->clear();
    // Found only when the record reaches the change percentage: the name, the price line and the list line
    // come together or not at all, so the list box never falls out of step with the lists.
    if (record.name.isEmpty() || !record.has(5))
        return;
    state.lookupname = record.name;
    ui->Label12->setText(record.name);
    ui->Label13->setText(kPricePrefix + record.price + kPriceSuffix);
    Colours::setFontColour(ui->Label13, Quotes::signColour(record.changePercent));
    const QSignalBlocker quiet(ui->ListBox1);
    ui->ListBox1->addItem(WatchList::listLine(record.name, code));
    ui->ListBox1->setCurrentRow(ui->ListBox1->count() - 1);
    state.settingsrow = ui->ListBox1->count() - 1;
}

void TForm3::delclick() {
    const int row = ui->ListBox1->currentRow();
    if (row < 0) {
        enableSettingControls(false);
        return;
    }
    enableSettingControls(true);
    Form1->state.settingsrow = row;
    ui->Label12->setText(at(Form1->state.watchnames, row));
    ui->Label13->clear();
    showStockSettings(row);
}

void TForm3::showStockSettings(int row) {
    const UnitState& state = Form1->state;
    const QString flags = at(state.watchflags, row);
    ui->CheckBox1->setChecked(at(state.watchopenclose, row) == WatchList::switchOn);
    ui->CheckBox2->setChecked(WatchList::flagOn(flags, WatchList::LimitFlag));
    ui->CheckBox4->setChecked(WatchList::flagOn(flags, WatchList::DealFlag));
    ui->CheckBox5->setChecked(WatchList::flagOn(flags, WatchList::OrderFlag));
    ui->CheckBox3->setChecked(WatchList::flagOn(flags, WatchList::ChangeFlag));
    showChoice(ui->ComboBox1, at(state.watchpct, row));
    showChoice(ui->ComboBox2, at(state.watchdealdigits, row));
    showChoice(ui->ComboBox3, at(state.watchorderdigits, row));
    showChoice(ui->ComboBox4, at(state.watchinterval, row));
    ui->CheckBox6->setChecked(at(state.watchperiodic, row) == WatchList::switchOn);
}

QStringList TForm3::listLines() const {
    QStringList lines;
    for (int i = 0; i < ui->ListBox1->count(); ++i)
        lines << ui->ListBox1->item(i)->text();
    return lines;
}

void TForm3::refuseCode(const QString& message) {
    showMessage(this, message, errorCaption, MessageIcon::Error);
    ui->Edit1->setFocus();
}

void TForm3::BitBtn1Click() {
    const QString code = ui->Edit1->text();
    if (code.size() != 6)
        return refuseCode(kSixDigits);
    if (WatchList::listed(listLines(), code))
        return refuseCode(kAlreadyListed);
    {
        const WaitingWindow waiting(this);
        getvt(code);
    }
    if (Form1->state.lookupname.isEmpty())
        return refuseCode(kUnknownCode);
    enableSettingControls(true);
    WatchList::appendStock(Form1->state, WatchList::newStock(code, ui->Label12->text()));
    showStockSettings(Form1->state.settingsrow);
}

void TForm3::BitBtn2Click() {
    UnitState& state = Form1->state;
    if (state.settingsrow == -1) {
        showMessage(this, kChooseStock, errorCaption, MessageIcon::Error);
        return;
    }
    WatchList::removeStock(state, state.settingsrow);
    {
        const QSignalBlocker quiet(ui->ListBox1);
        delete ui->ListBox1->takeItem(state.settingsrow);
        ui->ListBox1->setCurrentRow(ui->ListBox1->count() > 0 ? 0 : -1);
    }
    if (ui->ListBox1->count() > 0)
        return delclick();
    state.settingsrow = -1;
    enableSettingControls(false);
    ui->Label12->clear();
    ui->Label13->clear();
}

void TForm3::setSelectedEntry(QStringList UnitState::*list, const QString& value) {
    UnitState& state = Form1->state;
    at(state.*list, state.settingsrow) = value;
}

void TForm3::setSelectedFlag(WatchList::Flag flag, bool on) {
    UnitState& state = Form1->state;
    QString& flags = at(state.watchflags, state.settingsrow);
    flags = WatchList::withFlag(flags, flag, on);
}

void TForm3::CheckBox1Click() {
    setSelectedEntry(&UnitState::watchopenclose, WatchList::switchText(ui->CheckBox1->isChecked()));
}

void TForm3::CheckBox2Click() {
    setSelectedFlag(WatchList::LimitFlag, ui->CheckBox2->isChecked());
}

void TForm3::CheckBox3Click() {
    setSelectedFlag(WatchList::ChangeFlag, ui->CheckBox3->isChecked());
}

void TForm3::CheckBox4Click() {
    setSelectedFlag(WatchList::DealFlag, ui->CheckBox4->isChecked());
}

void TForm3::CheckBox5Click() {
    setSelectedFlag(WatchList::OrderFlag, ui->CheckBox5->isChecked());
}

void TForm3::CheckBox6Click() {
    setSelectedEntry(&UnitState::watchperiodic, WatchList::switchText(ui->CheckBox6->isChecked()));
}

void TForm3::CheckBox7Click() {
    Form1->state.smsalerts = ui->CheckBox7->isChecked() ? 1 : 0;
}

void TForm3::CheckBox8Click() {
    Form1->state.localalerts = ui->CheckBox8->isChecked() ? 1 : 0;
}

void TForm3::ComboBox1Change() {
    setSelectedEntry(&UnitState::watchpct, ui->ComboBox1->currentText());
}

void TForm3::ComboBox2Change() {
    setSelectedEntry(&UnitState::watchdealdigits, ui->ComboBox2->currentText());
}

void TForm3::ComboBox3Change() {
    setSelectedEntry(&UnitState::watchorderdigits, ui->ComboBox3->currentText());
}

void TForm3::ComboBox4Change() {
    setSelectedEntry(&UnitState::watchinterval, ui->ComboBox4->currentText());
}

void TForm3::Edit1KeyPress(QChar& key) {
    passDigitKeys(key);
}

void TForm3::ComboBox1KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm3::ComboBox2KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm3::ComboBox3KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm3::ComboBox4KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm3::Label10Click() {
    openInBrowser(Hosts::base(Hosts::contact) + SettingsTexts::contactPage);
}

void TForm3::Label14Click() {
    if (!Form4)
        return;
    setEnabled(false);
    Form4->showRegistration(Form1->state.phoneknown == 1, ui->Label1->text());
}

void TForm3::phoneRegistered(const QString& number) {
    ui->Label1->setText(number);
    ui->CheckBox7->setEnabled(true);
}

void TForm3::BitBtn3Click() {
    if (storeUnreadable_)
        return reportUnreadableFile(this, LocalStore::alertDatabaseFile);
    const WaitingWindow waiting(this);
    UnitState& state = Form1->state;
    // The local settings come first and stand on their own: they are stored whether or not the back-end
    // can be reached, so local alerts never depend on it.
    QList<WatchList::Stock> stocks;
    const bool stored = guarded([&] {
        stocks = WatchList::stocks(state);
        SettingsStore::save(Form1->ado, stocks, state.localalerts == 1, state.smsalerts == 1);
    });
    if (!stored) {
        showMessage(this, SettingsTexts::serverFault, errorCaption, MessageIcon::Error);
        return;
    }
    storedLocally_ = true;
    Form1->statusPanel(1)->setText(LocalStore::alertStatusText(state.localalerts == 1, state.smsalerts == 1));

    const bool synchronised = guarded([&] { synchronise(stocks); });
    IdHTTP1->close();
    if (!synchronised) {
        showMessage(this, SettingsTexts::serverFault, errorCaption, MessageIcon::Error);
        return;
    }
    showMessage(this, kAllSaved, noticeCaption, MessageIcon::Information);
    finishSave();
}

void TForm3::synchronise(const QList<WatchList::Stock>& stocks) {
    // Without a registered number the back-end has nobody to send to; the placeholder is never sent.
    const SettingsStore::Phone phone = SettingsStore::loadPhone(Form1->ado);
    if (!phone.hasNumber())
        return;
    for (const WatchList::Post& post : WatchList::syncPosts(stocks, phone.number, Form1->state.smsalerts == 1)) {
        Backend::prepareFormClient(*IdHTTP1);
        IdHTTP1->post(Backend::address(post.path), post.fields);
    }
}

void TForm3::finishSave() {
    // The alert state is rebuilt with the lists, so every alert of the new watch list is armed again.
    guarded([] { Form1->sendbase(); });
    if (Form15)
        guarded([] { Form15->rebuildStockLabels(); });
    restartMainWindow();
    hide();
}

void TForm3::leave() {
    if (storedLocally_) {
        finishSave();
        return;
    }
    // The monitor and the widget read the lists by position next to the alert state and the labels of the
    // last load, so the unsaved edits go: the lists and switches are what the tables hold again (nothing, when
    // the tables cannot be read, as the last load found).
    SettingsStore::Settings stored;
    guarded([&stored] { stored = SettingsStore::load(Form1->ado); });
    WatchList::setStocks(Form1->state, stored.stocks);
    Form1->state.localalerts = stored.phone.localalerts ? 1 : 0;
    Form1->state.smsalerts = stored.phone.smsalerts ? 1 : 0;
    restartMainWindow();
    hide();
}

void TForm3::restartMainWindow() {
    Form1->setEnabled(true);
    Form1->Timer4->start();
    Form1->Timer5->start();
    // A hidden widget's timer stays off: the widget switch starts it when it shows the widget.
    if (Form15 && Form15->isVisible())
        Form15->Timer1->start();
}

bool TForm3::agreesToLeave() {
    return showMessage(this, kLeaveQuestion, noticeCaption, MessageIcon::Question, MessageButtons::OkCancel) ==
           MessageAnswer::Ok;
}

// Leaves as the close box does: the monitor and the widget run again.
void TForm3::BitBtn4Click() {
    if (agreesToLeave())
        leave();
}

bool TForm3::FormCloseQuery() {
    if (!agreesToLeave())
        return false;
    leave();
    return true;
}

void TForm3::closeEvent(QCloseEvent* event) {
    // Disabled means a request is waiting or the phone dialog is open: the close box does nothing then.
    if (!isVisible() || !isEnabled()) {
        event->setAccepted(!isVisible());
        return;
    }
    bool mayClose = false;
    guarded([&] { mayClose = FormCloseQuery(); });
    event->setAccepted(mayClose);
}
