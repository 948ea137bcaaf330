#include "news/tform20.h"

#include "app/widesttexts.h"
#include "platform/screen.h"

#include "ui_tform20.h"

namespace {

const QStringList kGridHeadings = {QString(), QStringLiteral("股票代码"), QStringLiteral("股票名称"),
                                   QStringLiteral("推荐日期"), QStringLiteral("推荐时间")};
const QList<int> kGridColumnWidths = {34, 78, 77, 79, 78};
constexpr int kGridRowHeight = 16;
// The widest row of picks: a number, a code, a five-character name, the date and the time.
const QStringList kWidestRow = {QStringLiteral("99"), QStringLiteral("600000"), WidestTexts::stockName,
                                WidestTexts::shortDate, WidestTexts::timeOfDay};

} // namespace

TForm20::TForm20(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm20>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    StringGrid* grid = ui->StringGrid1;
    grid->setColumnCount(static_cast<int>(kGridColumnWidths.size()));
    grid->setColumnWidths(kGridColumnWidths);
    grid->setRowHeight(kGridRowHeight);
    grid->resetWithHeadings(kGridHeadings);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->fitColumns({kWidestRow}, true);
}

TForm20::~TForm20() = default;

void TForm20::showPicks(const QList<Picks::Pick>& picks) {
    centreOnScreen(this);
    StringGrid* grid = ui->StringGrid1;
    grid->resetWithHeadings(kGridHeadings);
    for (int i = 0; i < picks.size(); ++i) {
        const Picks::Pick& pick = picks.at(i);
        const QStringList cells = {QString::number(i + 1), pick.code, pick.name, pick.date, pick.time};
        for (int column = 0; column < cells.size(); ++column)
            grid->setCell(column, i + 1, cells.at(column));
        grid->setRowCount(grid->rowCount() + 1);
    }
    show();
    raise();
}
