#include "quotes/tform15.h"

#include "app/colours.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "platform/formats.h"
#include "platform/httpclient.h"
#include "platform/screen.h"
#include "platform/secondstimer.h"
#include "quotes/quoterecord.h"
#include "quotes/quoteservice.h"
#include "quotes/tform3.h"
#include "quotes/widgetlayout.h"

#include "ui_tform15.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

// The widget's client keeps the client library's own user agent, unlike the program's other clients.
const QString widgetUserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");
const QString toolButtonHint = QStringLiteral("半透明显示您设置的股票价格变动");

constexpr double opacity = 80 / 255.0;
constexpr int topMargin = 30;

} // namespace

TForm15::TForm15(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm15>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(opacity);
    for (QLabel* label : findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);

    Timer1 = newSecondsTimer(this, 1000);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (windowsCreated())
            guarded([this] { Timer1Timer(); });
    });
    IdHTTP1 = new HttpClient(this);
    IdHTTP1->setUserAgent(widgetUserAgent);
    // Wide enough from the start for the widest volume at the font the desktop gives, so that a busy stock's
    // volume is not cut at the right edge and the widget does not widen under the user's eyes.
    const int volumeWidth =
        QFontMetrics(font()).boundingRect(QRect(), Qt::TextSingleLine, WidgetLayout::widestVolume()).width();
    widenTo(WidgetLayout::roleLeft(WidgetLayout::Volume) + volumeWidth + WidgetLayout::rightMargin);
    FormCreate();
}

TForm15::~TForm15() = default;

void TForm15::FormCreate() {
    widgetcreated = 1;
    const QRect screen = screenRect();
    moveFrameTo(this, screen.topLeft() + QPoint(screen.width() - ::frameSize(this).width(), topMargin));
    // The main window's tool button switches this widget, so it is wired once the widget exists.
    if (Form1) {
        Form1->ui->ToolButton12->setToolTip(toolButtonHint);
        connect(Form1->ui->ToolButton12, &QToolButton::clicked, this, [] {
            if (Form1)
                guarded([] { Form1->ToolButton12Click(); });
        });
    }
}

void TForm15::Timer1Timer() {
    Timer1->stop();
    if (!isVisible())
        return;
    ui->Label20->setText(Formats::dateTime(Clock::now()));
    ensureStockLabels();
    if (widgetindex <= watchedCount() - 1) {
        // Moved on before the fetch, so a stock whose fetch fails does not hold up the others.
        const int position = widgetindex++;
        guarded([this, position] {
            // A copy: the watch list may change while the fetch waits.
            const QString code = at(Form1->state.watchcodes, position);
            getgj(code, QString::number(WidgetLayout::firstLabel(position)),
                  QString::number(WidgetLayout::rowTop(position)));
        });
    } else {
        widgetindex = 0;
    }
    // The switch may have hidden the widget while the fetch waited; a hidden widget fetches nothing.
    if (isVisible() && !settingsWindowOpen())
        Timer1->start();
}

void TForm15::getgj(const QString& code, const QString& firstLabel, const QString& rowTop) {
    const int first = toInt(firstLabel);
    const int top = toInt(rowTop);
    const WidgetLayout::RowUpdate update =
        WidgetLayout::rowUpdate(Quotes::readQuoteReply(Quotes::fetchQuotePage(*IdHTTP1, code)));

    // The labels are looked up after the fetch: a save of the settings may have rebuilt them meanwhile.
    for (int role = 0; role < WidgetLayout::labelsPerStock; ++role) {
        if (!update.texts[role])
            continue;
        QLabel* label = at(widgetlabels, first + role);
        label->setText(*update.texts[role]);
        const int left = WidgetLayout::roleLeft(static_cast<WidgetLayout::Role>(role));
        if (role == WidgetLayout::Name)
            label->setGeometry(left, top, std::max(WidgetLayout::nameWidth, label->sizeHint().width()),
                               WidgetLayout::labelHeight);
        else
            label->setGeometry(left, top, label->sizeHint().width(), WidgetLayout::labelHeight);
        label->show();
    }
    // A value longer than the design allows for (a longer name, or digits wider than the design's font draws
    // them) pushes the labels after it to the right, and the widget widens, its right edge staying where it was.
    for (int role = WidgetLayout::Price; role < WidgetLayout::labelsPerStock; ++role) {
        QLabel* label = at(widgetlabels, first + role);
        label->move(std::max(label->x(), at(widgetlabels, first + role - 1)->geometry().right() + 2), label->y());
    }
    widenTo(at(widgetlabels, first + WidgetLayout::Volume)->geometry().right() + 1 + WidgetLayout::rightMargin);
    if (update.background) {
        for (int role = WidgetLayout::Price; role < WidgetLayout::labelsPerStock; ++role)
            Colours::setBackground(at(widgetlabels, first + role), *update.background);
    }
}

void TForm15::rebuildStockLabels() {
    const int count = watchedCount();
    makeStockLabels(count, WidgetLayout::heightAfterSave(count));
    widgetbuilt = 1;
}

void TForm15::buildStockLabelsForShow() {
    if (widgetbuilt == 1)
        return;
    widgetbuilt = 1;
    const int count = watchedCount();
    makeStockLabels(count, WidgetLayout::heightForShow(count));
}

void TForm15::ensureStockLabels() {
    const int count = watchedCount();
    if (widgetlabels.size() == qsizetype(WidgetLayout::labelsPerStock) * count)
        return;
    makeStockLabels(count, WidgetLayout::heightForShow(count));
    widgetbuilt = 1;
}

void TForm15::makeStockLabels(int count, int height) {
    qDeleteAll(widgetlabels);
    widgetlabels.clear();
    for (int position = 0; position < count; ++position) {
        for (int role = 0; role < WidgetLayout::labelsPerStock; ++role) {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            const int left = WidgetLayout::roleLeft(static_cast<WidgetLayout::Role>(role));
            const int width = role == WidgetLayout::Name ? WidgetLayout::nameWidth : 0;
            label->setGeometry(left, WidgetLayout::rowTop(position), width, WidgetLayout::labelHeight);
            if (role != WidgetLayout::Name)
                Colours::setFontColour(label, Colours::white);
            label->show();
            widgetlabels.append(label);
        }
    }
    resize(width(), height);
}

void TForm15::widenTo(int newWidth) {
    if (newWidth <= width())
        return;
    move(x() - (newWidth - width()), y());
    resize(newWidth, height());
    ui->Shape1->resize(newWidth, ui->Shape1->height());
}

int TForm15::watchedCount() const {
    return Form1 ? static_cast<int>(Form1->state.watchcodes.size()) : 0;
}

void TForm15::showIndexRow(int row, const QString& value, const QString& change, const QString& range,
                           const QString& turnover, bool fall) {
    QLabel* const shanghai[] = {ui->Label8, ui->Label9, ui->Label11, ui->Label12};
    QLabel* const shenzhen[] = {ui->Label16, ui->Label17, ui->Label18, ui->Label19};
    if (row != 0 && row != 1)
        return;
    QLabel* const* labels = row == 0 ? shanghai : shenzhen;
    const QString texts[] = {value, change, range, turnover};
    for (int i = 0; i < 4; ++i) {
        labels[i]->setText(texts[i]);
        Colours::setBackground(labels[i], fall ? Colours::green : Colours::red);
        Colours::setFontColour(labels[i], Colours::white);
    }
}

void TForm15::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

void TForm15::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The window manager moves the window where it can; elsewhere the widget follows the mouse itself.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TForm15::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return QWidget::mouseMoveEvent(event);
    move(event->globalPosition().toPoint() - dragOffset_);
}

void TForm15::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}
