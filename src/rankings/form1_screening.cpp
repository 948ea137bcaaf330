// The main window's fund-flow screening: the form's check, the query on the back-end over IdHTTP7, the result
// grid whose rows open the stock fund page, and the late-day picks' two stock labels.
#include "app/stringgrid.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widesttexts.h"
#include "app/widgetevents.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/services.h"
#include "rankings/ndayquery.h"
#include "rankings/screening.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalBlocker>

namespace {

const QString kNothingFound = QStringLiteral("没有找到符合条件的数据！");
const QString kQueryFailed = QStringLiteral("读取查询数据时发生错误，请重试！");
const QString kDatePrefix = QStringLiteral("最后更新日期:");
// The result's headings; the first show writes "总资金量" where a result says "净 流 入".
const QStringList kResultHeadings = {QString(),
                                     QStringLiteral("股票名称"),
                                     QStringLiteral("股票代码"),
                                     QStringLiteral("净 流 入"),
                                     QStringLiteral("特大资金"),
                                     QStringLiteral("大户资金"),
                                     QStringLiteral("中户资金"),
                                     QStringLiteral("散户资金"),
                                     QStringLiteral("累计涨幅")};
constexpr int kCodeColumn = 2;
// The widest texts of a result, besides its headings and the first show's "总资金量": 30-day sums, a
// cumulative rise, a five-character name.
const QStringList kWidestRecord = {QStringLiteral("99"), WidestTexts::stockName, QStringLiteral("600000"),
                                   WidestTexts::fundSum, WidestTexts::fundSum,   WidestTexts::fundSum,
                                   WidestTexts::fundSum, WidestTexts::fundSum,   QStringLiteral("-99.99")};
const QStringList kFirstShowHeading = {QString(), QString(), QString(), QStringLiteral("总资金量")};

Screening::Inputs formInputs(const TForm1& form) {
    return {form.ui->ComboBox5->currentText(),
            form.ui->Edit3->text(),
            form.ui->Edit4->text(),
            form.ui->Edit5->text(),
            form.ui->Edit6->text(),
            form.ui->CheckBox3->isChecked()};
}

QLineEdit* boxOf(const TForm1& form, Screening::Box box) {
    switch (box) {
    case Screening::Box::ExtraLarge:
        return form.ui->Edit3;
    case Screening::Box::FreeFloat:
        return form.ui->Edit6;
    case Screening::Box::Large:
        return form.ui->Edit4;
    case Screening::Box::Rise:
        break;
    }
    return form.ui->Edit5;
}

// The screening button and the late-day picks label share IdHTTP7: while one fetch waits both stay off.
void enableFetches(TForm1& form, bool enabled) {
    form.ui->BitBtn8->setEnabled(enabled);
    form.ui->Label21->setEnabled(enabled);
}

// Digits, Backspace, "-" and "." pass.
void passNumberKeys(QChar& key) {
    if (key == QLatin1Char('-') || key == QLatin1Char('.'))
        return;
    passDigitKeys(key);
}

void showRecords(StringGrid* grid, const QList<Screening::Record>& records) {
    // Rebuilding moves the current row; that is no selection by the user.
    const QSignalBlocker quiet(grid);
    grid->resetWithHeadings(kResultHeadings);
    // No row stays selected, so that a click on any row of the new result opens its stock.
    grid->setCurrentCell(-1, -1);
    for (int i = 1; i <= records.size(); ++i) {
        const QStringList row = Screening::gridRow(i, records.at(i - 1));
        for (int column = 0; column < row.size(); ++column)
            grid->setCell(column, i, row.at(column));
        // An empty row always stays below the last record.
        grid->setRowCount(grid->rowCount() + 1);
    }
}

void openPick(TForm1& form, const QLabel* label) {
    const QString code = Rankings::leadingStockCode(label->text().trimmed());
    if (!code.isEmpty())
        form.getgpzj(code);
}

} // namespace

void TForm1::BitBtn8Click() {
    ui->Panel5->hide();
    enableFetches(*this, false);
    const auto enable = qScopeGuard([this] { enableFetches(*this, true); });
    if (const auto missing = Screening::firstMissingInput(formInputs(*this))) {
        showMessage(this, missing->message, errorCaption, MessageIcon::Error);
        QLineEdit* box = boxOf(*this, missing->box);
        box->selectAll();
        box->setFocus();
        return;
    }
    getzjsj();
}

void TForm1::getzjsj() {
    ui->Panel23->show();
    const auto hide = qScopeGuard([this] { ui->Panel23->hide(); });
    Screening::Reply reply;
    try {
        // The client's read time-out ends a back-end that stops answering in the failure below.
        const QByteArray bytes = IdHTTP7->get(Screening::screeningAddress(state.serverurl, formInputs(*this)));
        IdHTTP7->close();
        reply = Screening::readReply(bytes);
    } catch (const Failure&) {
        IdHTTP7->close();
        showMessage(this, kQueryFailed, errorCaption, MessageIcon::Error);
        return;
    }
    if (reply.date)
        ui->Label55->setText(kDatePrefix + *reply.date);
    if (reply.malformed) {
        showMessage(this, kQueryFailed, errorCaption, MessageIcon::Error);
        return;
    }
    showRecords(ui->StringGrid2, reply.records);
    if (reply.records.isEmpty())
        showMessage(this, kNothingFound, noticeCaption, MessageIcon::Information);
}

void TForm1::StringGrid2SelectCell(int column, int row) {
    // The heading row is fixed and never selected; the empty row below the records opens nothing.
    if (row < 1 || ui->StringGrid2->cell(column, row).isEmpty())
        return;
    getgpzj(ui->StringGrid2->cell(kCodeColumn, row));
}

void TForm1::Label18Click() {
    openPick(*this, ui->Label18);
}

void TForm1::Label20Click() {
    openPick(*this, ui->Label20);
}

void TForm1::ComboBox5KeyPress(QChar& key) {
    swallowEveryKey(key);
}

void TForm1::Edit3KeyPress(QChar& key) {
    passNumberKeys(key);
}

void TForm1::Edit6KeyPress(QChar& key) {
    passDigitKeys(key);
}

void TForm1::connectScreeningHandlers() {
    // Nine columns in the box beside the scroll bar, every heading and field whole.
    ui->StringGrid2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->StringGrid2->fitColumns({kResultHeadings, kFirstShowHeading, kWidestRecord}, true);
    connect(ui->BitBtn8, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn8Click(); }); });
    connect(ui->StringGrid2, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int) {
                if (row != previousRow)
                    guarded([&] { StringGrid2SelectCell(column, row); });
            });
    onClick(ui->Label18, [this] { Label18Click(); });
    onClick(ui->Label20, [this] { Label20Click(); });
    onKeyPress(ui->ComboBox5, [this](QChar& key) { ComboBox5KeyPress(key); });
    // Edit4 and Edit5 take the same keys as Edit3.
    for (QLineEdit* box : {ui->Edit3, ui->Edit4, ui->Edit5})
        onKeyPress(box, [this](QChar& key) { Edit3KeyPress(key); });
    onKeyPress(ui->Edit6, [this](QChar& key) { Edit6KeyPress(key); });
}
