#include "news/tform16.h"

#include "app/backend.h"
#include "app/colours.h"
#include "app/hosts.h"
#include "app/program.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "news/holdinglines.h"
#include "news/hoverchartplace.h"
#include "news/recommendations.h"
#include "news/tform17.h"
#include "platform/failures.h"
#include "platform/gbk.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "platform/webbrowser.h"
#include "quotes/settingswait.h"
#include "quotes/tform3.h"
#include "ui_tform16.h"

#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QValidator>

#include <algorithm>

namespace {

const QString kUnknownCode = QStringLiteral("输入的股票代码不存在，请重新输入!");
const QString kSixDigits = QStringLiteral("必须输入六位股票代码!");
const QString kRightCode = QStringLiteral("必须输入正确的股票代码!");
const QString kNeedReason = QStringLiteral("必须输入荐股理由!");
const QString kOverLimit = QStringLiteral("今日您荐股的次数超过2次，提交失败!");
const QString kPosted = QStringLiteral("本次您的荐股操作成功，感谢您的参与！");
const QString kNetworkFault = QStringLiteral("网络故障，请稍后再试");
// The back-end's answer to a post holds one of these words, wherever it stands.
const QString kOverWord = QStringLiteral("超过");
const QString kSuccessWord = QStringLiteral("成功");
const QString kCodeField = QStringLiteral("gpdm");
const QString kNameField = QStringLiteral("gpmc");
const QString kReasonField = QStringLiteral("tjly");

// The reason box holds at most this many GBK bytes: 30 Chinese characters.
constexpr int kReasonBytes = 60;
// A hover waits at most this long for the holdings page.
constexpr int kHoldingsReadTimeoutMs = 5000;

constexpr int kCodeLength = 6;
constexpr int kLabelLeft = 1;
constexpr int kLabelTop = 120;
constexpr int kLabelHeight = 20;
constexpr int kLabelMargin = 10;
const QColor kHoverColour(0, 255, 0);
// The captions line up their columns by counting a Chinese character as two Latin ones, which holds only in a
// monospaced CJK face: the Noto one first, since a system without a Song face matches that name to a
// proportional one.
const QStringList kLabelFonts = {QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("宋体"),
                                 QStringLiteral("SimSun")};
// Size 10 as the desktop draws it at 96 dots per inch: 13 pixels, 6.5 for a Latin character, which puts the
// stock and the reason under their headings. A reason too long for the label is cut at its edge and reads whole
// in its hint.
constexpr int kLabelPixelSize = 13;

// Limits a box to a number of GBK bytes, as an edit box of the old code page did: what is typed or pasted
// beyond the limit is dropped from its end, and a character is never split.
class GbkByteLimit final : public QValidator {
public:
    GbkByteLimit(int bytes, QObject* parent) : QValidator(parent), bytes_(bytes) {}

    State validate(QString& input, int& pos) const override {
        if (Gbk::byteLength(input) <= bytes_)
            return Acceptable;
        // The text after the cursor was there before the edit; the new text stands right before the cursor.
        pos = std::clamp(pos, 0, static_cast<int>(input.size()));
        const int budget = bytes_ - Gbk::byteLength(input.mid(pos));
        int used = 0;
        int kept = 0;
        while (kept < pos) {
            const bool pair = kept + 1 < pos && input[kept].isHighSurrogate() && input[kept + 1].isLowSurrogate();
            const int length = pair ? 2 : 1;
            const int bytes = input[kept].unicode() < 0x80 ? 1 : Gbk::byteLength(input.mid(kept, length));
            if (used + bytes > budget)
                break;
            used += bytes;
            kept += length;
        }
        input.remove(kept, pos - kept);
        pos = kept;
        return Gbk::byteLength(input) <= bytes_ ? Acceptable : Invalid;
    }

private:
    int bytes_;
};

QList<Recommendations::Tip> storedTips(const UnitState& state) {
    QList<Recommendations::Tip> tips;
    for (qsizetype i = 0; i < state.tipips.size(); ++i)
        tips.append({at(state.tipips, i), at(state.tipstocks, i), at(state.tipreasons, i), at(state.tiptimes, i)});
    return tips;
}

void storeTips(UnitState& state, const QList<Recommendations::Tip>& tips) {
    state.tipips.clear();
    state.tipstocks.clear();
    state.tipreasons.clear();
    state.tiptimes.clear();
    for (const Recommendations::Tip& tip : tips) {
        state.tipips << tip.ip;
        state.tipstocks << tip.stock;
        state.tipreasons << tip.reason;
        state.tiptimes << tip.time;
    }
}

// A hint shown exactly as written: other users' texts are never read as markup.
QString plainHint(const QString& text) {
    return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace

TForm16::TForm16(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm16>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    Colours::setFontColour(ui->Label10, Colours::blue);
    Colours::setFontColour(ui->Label8, Colours::red);
    ui->Edit2->setValidator(new GbkByteLimit(kReasonBytes, ui->Edit2));
    IdHTTP1 = new HttpClient(this);
    holdingsHttp = new HttpClient(this);
    holdingsHttp->setReadTimeout(kHoldingsReadTimeoutMs);
    connectHandlers();
}

TForm16::~TForm16() = default;

void TForm16::connectHandlers() {
    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    connect(ui->Edit1, &QLineEdit::textChanged, this, [this] { guarded([this] { Edit1Change(); }); });
    acceptDigitsOnly(ui->Edit1);
    onKeyPress(ui->Edit1, [this](QChar& key) { Edit1KeyPress(key); });
    onClick(ui->Label10, [this] { Label10Click(); });
    setMouseTracking(true);
    for (QWidget* widget : {static_cast<QWidget*>(ui->Edit2), static_cast<QWidget*>(ui->BitBtn1)}) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }

    // The main window's tool button opens this window; the main window is made before this one.
    if (Form1) {
        connect(Form1->ui->ToolButton11, &QToolButton::clicked, this, [] {
            if (Form1)
                guarded([] { Form1->ToolButton11Click(); });
        });
    }
}

WebBrowser& TForm16::banner() {
    if (!WebBrowser66) {
        WebBrowser66 = platformServices().createBrowser(this);
        if (QWidget* view = WebBrowser66->widget()) {
            view->setObjectName(QStringLiteral("WebBrowser66"));
            view->setGeometry(ui->WebBrowser66Place->geometry());
            view->show();
        }
    }
    return *WebBrowser66;
}

void TForm16::addlabel() {
    listLoading_ = true;
    const auto loaded = qScopeGuard([this] { listLoading_ = false; });
    QByteArray reply;
    try {
        reply = IdHTTP1->get(Backend::address(Backend::recommendationsPage));
    } catch (...) {
        IdHTTP1->close();
        throw;
    }
    IdHTTP1->close();
    UnitState& state = Form1->state;
    storeTips(state, Recommendations::withNewTips(storedTips(state), Recommendations::readTipsReply(reply),
                                                  state.tipsloaded == 0));
    state.tipsloaded = 1;
    makeTipLabels();
}

void TForm16::makeTipLabels() {
    freeTipLabels();
    const QList<Recommendations::Tip> tips = storedTips(Form1->state);
    QFont font;
    font.setFamilies(kLabelFonts);
    font.setPixelSize(kLabelPixelSize);
    // Hinting would round a Latin character's 6.5 pixels to 7 but leave a Chinese one at 13, and the columns
    // would drift apart.
    font.setHintingPreference(QFont::PreferNoHinting);
    const int count = static_cast<int>(std::min<qsizetype>(tips.size(), Recommendations::maxLabels));
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(kLabelLeft, kLabelTop + i * kLabelHeight, width() - kLabelMargin, kLabelHeight);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFont(font);
        Colours::setFontColour(label, Colours::black);
        Colours::setBackground(label, Colours::white);
        label->setCursor(Qt::PointingHandCursor);
        label->setText(Recommendations::caption(tips[i]));
        label->setToolTip(plainHint(Recommendations::hint(tips[i])));
        label->installEventFilter(this);
        label->show();
        tiplabels_.append(label);
    }
}

void TForm16::freeTipLabels() {
    for (QLabel* label : std::as_const(tiplabels_))
        label->hide();
    retiredlabels_ += tiplabels_;
    tiplabels_.clear();
    deleteRetiredLabels();
}

void TForm16::deleteRetiredLabels() {
    if (hoversRunning_ > 0)
        return;
    for (QLabel* label : std::as_const(retiredlabels_))
        label->deleteLater();
    retiredlabels_.clear();
}

void TForm16::showExchange() {
    banner().navigate(Backend::address(Backend::bannerPage));
    centreOnScreen(this);
    ui->Edit1->clear();
    ui->Edit2->clear();
    ui->Label9->clear();
    show();
    activateWindow();
}

bool TForm16::eventFilter(QObject* watched, QEvent* event) {
    if (auto* label = qobject_cast<QLabel*>(watched); label && tiplabels_.contains(label)) {
        if (event->type() == QEvent::Enter)
            guarded([&] { msin1(label); });
        else if (event->type() == QEvent::Leave)
            guarded([&] { msout1(label); });
    } else if (event->type() == QEvent::MouseMove) {
        FormMouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void TForm16::mouseMoveEvent(QMouseEvent* event) {
    FormMouseMove();
    QWidget::mouseMoveEvent(event);
}

void TForm16::FormMouseMove() {
    if (Form17)
        Form17->hide();
}

void TForm16::msin1(QLabel* label) {
    ++hoversRunning_;
    const auto over = qScopeGuard([this] {
        --hoversRunning_;
        deleteRetiredLabels();
    });
    const int hover = ++hoverSerial_;
    const QPointer<QLabel> hovered(label);
    Colours::setBackground(label, kHoverColour);
    const QString code = Recommendations::captionCode(label->text());
    if (code.isEmpty() || !Form17)
        return;
    // All taken at the hover: the chart is placed again by them once the window manager has framed it. The chart
    // goes on the screen that shows this window, wherever that screen stands on the desktop.
    const int besideLeft = geometry().left() - frameMargins(this).left();
    const QPoint pointer = QCursor::pos();
    const QRect row(label->mapToGlobal(QPoint(0, 0)), label->size());
    const QRect area = workAreaOf(this);
    placeByFrame(Form17, [area, besideLeft, pointer, row](const QSize& frame) {
        return hoverChartPlace(area, frame, besideLeft, pointer, row);
    });
    if (!getcc1(code))
        return;
    // The page may come after the mouse has left, another label was entered or the window closed.
    if (hover != hoverSerial_ || !hovered || !hovered->isVisible() || !isVisible())
        return;
    Form17->browser().navigate(Backend::address(Backend::stockPage) + code);
    Form17->show();
}

void TForm16::msout1(QLabel* label) {
    ++hoverSerial_;
    Colours::setBackground(label, Colours::white);
    if (Form17)
        Form17->hide();
}

bool TForm16::getcc1(const QString& code) {
    const int hover = hoverSerial_;
    QByteArray page;
    try {
        page = holdingsHttp->get(Hosts::base(Hosts::holdings) + Holdings::holdingsPath(code));
    } catch (...) {
        holdingsHttp->close();
        throw;
    }
    holdingsHttp->close();
    const QList<Holdings::HoldingPoint> points = Holdings::readHoldingLines(page);
    if (hover != hoverSerial_ || !Form17)
        return false;
    Form17->showHoldingLines(points);
    return true;
}

void TForm16::Edit1KeyPress(QChar& key) {
    passDigitKeys(key);
}

void TForm16::Edit1Change() {
    // The name shown always belongs to the code in the box: a look-up that fails leaves no earlier name behind.
    ui->Label9->clear();
    const QString code = ui->Edit1->text();
    if (code.size() != kCodeLength || !Form3)
        return;
    UnitState& state = Form1->state;
    state.lookupname.clear();
    const auto typing = qScopeGuard([this] { ui->Edit1->setFocus(); });
    {
        const WaitingWindow waiting(this);
        Form3->getvt(code);
    }
    if (ui->Edit1->text() != code)
        return;
    if (!state.lookupname.isEmpty()) {
        ui->Label9->setText(state.lookupname);
        return;
    }
    showMessage(this, kUnknownCode, errorCaption, MessageIcon::Error);
    ui->Label9->clear();
}

void TForm16::refuse(const QString& message, QWidget* box) {
    showMessage(this, message, errorCaption, MessageIcon::Error);
    box->setFocus();
}

void TForm16::BitBtn1Click() {
    if (ui->Edit1->text().size() != kCodeLength)
        return refuse(kSixDigits, ui->Edit1);
    if (ui->Label9->text().isEmpty())
        return refuse(kRightCode, ui->Edit1);
    if (ui->Edit2->text().trimmed().isEmpty())
        return refuse(kNeedReason, ui->Edit2);

    QByteArray reply;
    bool posted = false;
    {
        const WaitingWindow waiting(this);
        posted = guarded([&] {
            Backend::prepareFormClient(*IdHTTP1);
            reply = IdHTTP1->post(
                Backend::address(Backend::recommendPost),
                {{kCodeField, ui->Edit1->text()}, {kNameField, ui->Label9->text()}, {kReasonField, ui->Edit2->text()}});
        });
        IdHTTP1->close();
    }
    if (!posted) {
        showMessage(this, kNetworkFault, errorCaption, MessageIcon::Error);
        return;
    }
    const bool refused = Backend::replyContains(reply, kOverWord);
    const bool accepted = Backend::replyContains(reply, kSuccessWord);
    if (refused)
        showMessage(this, kOverLimit, errorCaption, MessageIcon::Error);
    if (accepted)
        showMessage(this, kPosted, applicationTitle());
    if (refused || accepted)
        close();
}

void TForm16::Label10Click() {
    openInBrowser(Backend::address(Backend::recommendBrowserPage));
}

bool TForm16::FormCloseQuery() {
    ++hoverSerial_;
    freeTipLabels();
    if (Form1)
        Form1->setEnabled(true);
    if (Form17)
        Form17->hide();
    return true;
}

void TForm16::closeEvent(QCloseEvent* event) {
    // Disabled while a look-up or the post waits: the close box does nothing then.
    if (isVisible() && !isEnabled()) {
        event->ignore();
        return;
    }
    FormCloseQuery();
    event->accept();
}
