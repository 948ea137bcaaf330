#include "quotes/tform4.h"

#include "app/backend.h"
#include "app/colours.h"
#include "app/hosts.h"
#include "app/program.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/widgetevents.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "quotes/settingsstore.h"
#include "quotes/settingstexts.h"
#include "quotes/settingswait.h"
#include "quotes/tform3.h"
#include "ui_tform4.h"

#include <QCloseEvent>

namespace {

const QString kNoNumberYet = QStringLiteral("您尚未添加要接收股价的手机号码！");
const QString kReplacingNumber = QStringLiteral("您现在替换要接收股价的手机号码！");
const QString kNewNumber = QStringLiteral("新添加手机号码");
const QString kChangeNumber = QStringLiteral("更改手机号码");
const QString kElevenDigits = QStringLiteral("必须输入11位手机号码!");
const QString kAlreadyRegistered = QStringLiteral("手机号码已存在");
const QString kRegistered = QStringLiteral("手机号码保存成功,稍候您将收到 \"Brennoc股票\" 字样的飞信邀请");
// The back-end's reply names a number it already has with this word, wherever it stands.
const QString kExistsWord = QStringLiteral("存在");
const QString kPhoneField = QStringLiteral("sn");

} // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm4>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    for (QLabel* label : {ui->Label3, ui->Label10})
        Colours::setFontColour(label, Colours::blue);
    IdHTTP1 = new HttpClient(this);

    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    acceptDigitsOnly(ui->Edit1);
    onKeyPress(ui->Edit1, [this](QChar& key) { Edit1KeyPress(key); });
    onClick(ui->Label3, [this] { Label3Click(); });
    onClick(ui->Label10, [this] { Label10Click(); });
}

TForm4::~TForm4() = default;

void TForm4::showRegistration(bool phoneknown, const QString& shownNumber) {
    ui->GroupBox1->setTitle(phoneknown ? kChangeNumber : kNewNumber);
    ui->Edit1->setText(phoneknown ? shownNumber : QString());
    ui->Label1->setText(phoneknown ? kReplacingNumber : kNoNumberYet);
    Colours::setFontColour(ui->Label1, phoneknown ? Colours::blue : Colours::red);
    centreOnScreen(this);
    show();
    activateWindow();
}

void TForm4::fail(const QString& message) {
    showMessage(this, message, errorCaption, MessageIcon::Error);
}

void TForm4::BitBtn1Click() {
    const QString number = ui->Edit1->text();
    if (!WatchList::isPhoneNumber(number)) {
        fail(kElevenDigits);
        ui->Edit1->setFocus();
        return;
    }

    const WaitingWindow waiting(this);
    QByteArray reply;
    const bool posted = guarded([&] {
        Backend::prepareFormClient(*IdHTTP1);
        reply = IdHTTP1->post(Backend::address(Backend::phonePost), {{kPhoneField, number}});
    });
    IdHTTP1->close();
    // Stored only once the back-end has it, so the save never sends a number the back-end does not know.
    if (!posted || !guarded([&] { SettingsStore::savePhoneNumber(Form1->ado, number); })) {
        fail(SettingsTexts::serverFault);
        return;
    }
    if (Form3)
        Form3->phoneRegistered(number);
    const bool known = Backend::replyContains(reply, kExistsWord);
    showMessage(this, number + (known ? kAlreadyRegistered : kRegistered), applicationTitle());
    hide();
    FormCloseQuery();
}

void TForm4::Edit1KeyPress(QChar& key) {
    passDigitKeys(key);
}

void TForm4::Label3Click() {
    openInBrowser(Hosts::base(Hosts::messenger) + QStringLiteral("/"));
}

void TForm4::Label10Click() {
    openInBrowser(Hosts::base(Hosts::contact) + SettingsTexts::contactPage);
}

bool TForm4::FormCloseQuery() {
    if (Form3)
        Form3->setEnabled(true);
    return true;
}

void TForm4::closeEvent(QCloseEvent* event) {
    // Disabled while the registration waits: the close box does nothing then.
    if (isVisible() && !isEnabled()) {
        event->ignore();
        return;
    }
    FormCloseQuery();
    event->accept();
}
