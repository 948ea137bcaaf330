// Every grid of the program, filled through its window's own filling with the widest texts it shows: every
// heading and cell shows whole at its column's drawn width, every column stays in view beside the vertical
// scroll bar (no horizontal one), and the heading row stays in view once the last row is selected, the rows under
// it scrolled by whole rows.
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1_ui.h"
#include "app/widestgrids.h"
#include "app/widesttexts.h"
#include "fundflow/tform29.h"
#include "news/cellpainter.h"
#include "news/tform2.h"
#include "news/tform20.h"
#include "platform/songface.h"
#include "quotes/tform5.h"
#include "rankings/tform25.h"

#include "rankings/tform25_ui.h"
#include "support/wholetexts.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

namespace {

const QString kCodeAndName = QStringLiteral("600000") + WidestTexts::stockName;

class GridLayout : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(15, 3)));
        form = std::make_unique<RecordingForm1>();
        Form1 = form.get();
        // The first show writes the main window's grids' headings and empties them: it comes before the filling.
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        Form1 = nullptr;
        Form1Test::TearDown();
    }

    std::unique_ptr<RecordingForm1> form;
};

// Shows the grid's window, selects the last row and checks what the
// user sees. A grid whose window grows with its rows has no vertical scroll bar; the others have more rows
// than their box shows.
void expectEverythingInView(StringGrid* grid, const char* name, bool scrolls = true) {
    SCOPED_TRACE(name);
    QWidget* window = grid->window();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents(); // the grid lays out its new rows
    ASSERT_EQ(grid->verticalScrollBar()->isVisible(), scrolls);

    EXPECT_EQ(cutCells(grid).join(u'\n').toStdString(), "");
    int columns = 0;
    for (int column = 0; column < grid->columnCount(); ++column)
        columns += grid->columnWidth(column);
    EXPECT_LE(columns, grid->viewport()->width());
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(QRect(QPoint(), window->size()).contains(QRect(grid->mapTo(window, QPoint()), grid->size())));

    grid->setRow(grid->rowCount() - 1);
    QCoreApplication::processEvents();
    const QHeaderView* heading = grid->horizontalHeader();
    EXPECT_TRUE(heading->isVisible());
    EXPECT_EQ(heading->height(), grid->rowHeight(1));
    EXPECT_EQ(heading->geometry().top(), grid->frameWidth());
    EXPECT_EQ(heading->sectionViewportPosition(0), 0);
    EXPECT_TRUE(grid->isRowHidden(0)) << "the heading does not scroll with the rows";
    const QRect last = grid->visualRect(grid->model()->index(grid->rowCount() - 1, 0));
    EXPECT_TRUE(grid->viewport()->rect().contains(last));
    window->hide();
}

// The forum grid's scroll position once it has laid out its rows, where the top row shows whole under the heading
// and the selected last row whole above the foot.
int forumScrolledToItsLastRow(const StringGrid* grid) {
    QCoreApplication::processEvents();
    EXPECT_GT(grid->verticalScrollBar()->maximum(), 0) << "more topics than rows";
    EXPECT_EQ(grid->visualRect(grid->model()->index(grid->rowAt(0), 0)).top(), 0) << "the top row is cut";
    EXPECT_EQ(grid->row(), grid->rowCount() - 1);
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(grid->row(), 0))));
    return grid->verticalScrollBar()->value();
}

} // namespace

TEST_F(GridLayout, ForumGridShowsTwentyTopicsWhole) {
    showWidestForumTopics(*form);
    expectEverythingInView(form->ui->StringGrid1, "forum");
}

// The title column shortens a long title as it draws it: it gives way to the others, and the grid keeps its face.
TEST_F(GridLayout, ForumGridKeepsTheProgramsFaceItsTitlesTakingTheWidthLeft) {
    showWidestForumTopics(*form);
    QCoreApplication::processEvents(); // the scroll bar shows for the rows
    const StringGrid* grid = form->ui->StringGrid1;
    EXPECT_EQ(QFontInfo(grid->font()).pixelSize(), SongFace::windowPixels);
    EXPECT_EQ(grid->columnWidth(1),
              grid->viewport()->width() - grid->columnWidth(0) - grid->columnWidth(2) - grid->columnWidth(3));
}

// The topics selected at start-up, before the window has laid out its grid, and again after a switch.
TEST_F(Form1Test, ForumGridShowsWholeRowsAlikeAtStartUpAndAfterASwitch) {
    RecordingForm1 form;
    Form1 = &form;
    readWidestForumTopics(form);
    form.FormCreate();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const int atStartUp = forumScrolledToItsLastRow(form.ui->StringGrid1);
    form.start();
    EXPECT_EQ(forumScrolledToItsLastRow(form.ui->StringGrid1), atStartUp);
    Form1 = nullptr;
}

// The cell measure reads the grid's own drawing: texts drawn low, to the left, or cut by their column are caught.
TEST(GridCells, MeasureCatchesTextsTheGridDrawsAmiss) {
    StringGrid grid;
    grid.resize(200, 100);
    grid.setRowHeight(20);
    grid.setColumnWidths({80, 80});
    for (int row = 0; row < 9; ++row)
        grid.setCell(1, row, QStringLiteral("股票%1").arg(row));
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    EXPECT_EQ(cutCells(&grid).join(u'\n').toStdString(), "");

    // Cells that draw their texts their own way, not as the grid draws them.
    QAbstractItemDelegate* own = grid.itemDelegate();
    const auto drawing = [&grid](QPoint shift, int alignment) {
        return new CellPainter(
            [&grid, shift, alignment](QPainter& painter, int column, int row, const QRect& rect, bool) {
                painter.drawText(rect.translated(shift), alignment, grid.cell(column, row));
            },
            &grid);
    };
    grid.setItemDelegate(drawing({0, 6}, Qt::AlignCenter));
    EXPECT_EQ(cutCells(&grid).size(), 9) << "low";
    grid.setItemDelegate(drawing({}, Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(cutCells(&grid).size(), 9) << "left";
    grid.setItemDelegate(own);
    grid.setColumnWidth(1, 30);
    EXPECT_EQ(cutCells(&grid).size(), 9) << "cut";
}

TEST_F(GridLayout, ScreeningGridShowsEveryFieldWhole) {
    showWidestScreeningResults(*form);
    form->Label56Click(); // "自助选股" shows the screening form in the forum's place
    expectEverythingInView(form->ui->StringGrid2, "screening");
}

TEST_F(GridLayout, TrackingGridShowsAllEightColumnsForTheMostStocks) {
    TForm25 tracking;
    Form25 = &tracking;
    StringGrid* grid = tracking.ui->StringGrid1;
    for (int row = 1; row <= 99; ++row) {
        const QStringList cells = {kCodeAndName,           WidestTexts::timeOfDay,     QStringLiteral("-10.02"),
                                   QStringLiteral("→"),    WidestTexts::changePercent, QStringLiteral("↑"),
                                   WidestTexts::timeOfDay, QStringLiteral("√")};
        for (int column = 0; column < cells.size(); ++column)
            grid->setCell(column, row, cells.at(column));
    }
    grid->setRowCount(101);
    expectEverythingInView(grid, "tracking");
    Form25 = nullptr;
}

TEST_F(GridLayout, BroadcastPicksNoticesAndPeriodGridsShowTheirWidestRows) {
    TForm5 broadcast;
    QList<QStringList> prices;
    for (int i = 0; i < 30; ++i)
        prices << QStringList{WidestTexts::stockName + QStringLiteral("(600000)"), QStringLiteral("1234.56"),
                              WidestTexts::changePercent + QStringLiteral("↓"), QStringLiteral("9999999")};
    broadcast.showBroadcast(
        QStringLiteral("收盘价"),
        {QStringLiteral("股票名称"), QStringLiteral("价格"), QStringLiteral("涨跌幅"), QStringLiteral("成交量")},
        prices);
    expectEverythingInView(widgetNamed<StringGrid>(&broadcast, "StringGrid1"), "broadcast", false);

    TForm20 picks;
    QList<Picks::Pick> picked;
    for (int i = 0; i < 40; ++i)
        picked << Picks::Pick{QStringLiteral("600000"), WidestTexts::stockName, WidestTexts::shortDate,
                              WidestTexts::timeOfDay};
    picks.showPicks(picked);
    expectEverythingInView(widgetNamed<StringGrid>(&picks, "StringGrid1"), "picks");

    TForm2 notices;
    Form2 = &notices;
    form->state.noticetitles << QStringLiteral("公告标题");
    form->state.noticedates << QStringLiteral("公告时间");
    for (int i = 0; i < 60; ++i) {
        form->state.noticetitles << QStringLiteral("关于控股股东及一致行动人增持公司股份计划实施完成暨增持结果的公告");
        form->state.noticedates << WidestTexts::shortDate;
    }
    form->ggggdraw();
    expectEverythingInView(widgetNamed<StringGrid>(&notices, "StringGrid1"), "notices");
    Form2 = nullptr;

    TForm29 period;
    PeriodQuery::Table table;
    for (int i = 0; i < 60; ++i) {
        table.rows.perioddates << WidestTexts::shortDate;
        for (QStringList* amounts : {&table.rows.periodnet, &table.rows.periodxl, &table.rows.periodlarge,
                                     &table.rows.periodmedium, &table.rows.periodretail})
            *amounts << WidestTexts::fundSum;
    }
    table.totals.fill(-99999999);
    period.showTable(table);
    expectEverythingInView(widgetNamed<StringGrid>(&period, "StringGrid1"), "period query");
}
