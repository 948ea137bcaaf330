// The windows drawn at a fixed size keep it in the program's face and in the faces a Chinese desktop gives, from
// start-up and once they show the widest texts they are given; the main window's widgets stay where it lays them out.
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform12.h"
#include "app/tform1_ui.h"
#include "app/widestgrids.h"
#include "app/widesttexts.h"
#include "fundflow/tform10.h"
#include "rankings/tform26.h"
#include "support/wholetexts.h"

#include <QApplication>
#include <QHash>
#include <QScrollBar>
#include <QTest>

#include <ostream>

namespace {

struct Face {
    const char* name;
    QString family; // empty: the program's own face
    int pixels;
};

void PrintTo(const Face& face, std::ostream* out) {
    *out << face.name;
}

// The program's face, and the CJK face a Chinese desktop draws in, at its 9 and 10 points.
const Face kFaces[] = {
    {"ProgramFace", QString(), 0},
    {"CjkNinePoints", QStringLiteral("Noto Sans CJK SC"), 12},
    {"CjkTenPoints", QStringLiteral("Noto Sans CJK SC"), 13},
};

const QSize kMainWindow(931, 628);

// Where every named widget of the main window stands as the window is laid out, before anything runs.
QHash<QString, QRect> designedPlaces() {
    QWidget bare;
    Ui::TForm1 ui;
    ui.setupUi(&bare);
    QHash<QString, QRect> places;
    for (const QWidget* widget : bare.findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"))
            places.insert(widget->objectName(), widget->geometry());
    }
    return places;
}

QString placeText(const QRect& place) {
    return QStringLiteral("%1,%2 %3x%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

// One line per widget of the window that stands elsewhere, or has another size, than where it was laid out.
QStringList movedWidgets(const QWidget* window, const QHash<QString, QRect>& designed) {
    QStringList moved;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const auto place = designed.constFind(widget->objectName());
        if (place != designed.constEnd() && widget->geometry() != *place)
            moved << QStringLiteral("%1 at %2, laid out at %3")
                         .arg(widget->objectName(), placeText(widget->geometry()), placeText(*place));
    }
    return moved;
}

class WindowSizes : public Form1Test, public ::testing::WithParamInterface<Face> {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        programFace = QApplication::font();
        if (!GetParam().family.isEmpty()) {
            QFont desktop;
            desktop.setFamilies({GetParam().family});
            desktop.setPixelSize(GetParam().pixels);
            QApplication::setFont(desktop);
        }
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(15, 3)));
    }
    void TearDown() override {
        QApplication::setFont(programFace);
        Form1Test::TearDown();
    }

    QFont programFace;
};

// Shows the window and waits until it is laid out on the screen.
void showNow(QWidget* window) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
}

// A grid shows each of its texts whole, every column beside the vertical scroll bar unless it scrolls sideways.
void expectWholeCells(StringGrid* grid) {
    SCOPED_TRACE(grid->objectName().toStdString());
    EXPECT_EQ(cutCells(grid).join(u'\n').toStdString(), "");
    if (!grid->horizontalScrollBar()->isVisible()) {
        int columns = 0;
        for (int column = 0; column < grid->columnCount(); ++column)
            columns += grid->columnWidth(column);
        EXPECT_LE(columns, grid->viewport()->width());
    }
}

} // namespace

TEST_P(WindowSizes, MainWindowKeepsItsSizeAndEveryWidgetItsPlace) {
    const QHash<QString, QRect> designed = designedPlaces();
    RecordingForm1 form;
    Form1 = &form;
    showNow(&form);
    EXPECT_EQ(form.size(), kMainWindow);
    EXPECT_EQ(movedWidgets(&form, designed).join(u'\n').toStdString(), "");

    showWidestForumTopics(form);
    showWidestScreeningResults(form);
    QCoreApplication::processEvents();
    expectWholeCells(form.ui->StringGrid1);
    form.Label56Click(); // the screening form in the forum's place
    QCoreApplication::processEvents();
    expectWholeCells(form.ui->StringGrid2);
    EXPECT_EQ(form.size(), kMainWindow);
    EXPECT_EQ(movedWidgets(&form, designed).join(u'\n').toStdString(), "");
    Form1 = nullptr;
}

TEST_P(WindowSizes, PopUpsAndSplashKeepTheirSizesWithTheirWidestTexts) {
    TForm10 flow;
    const QSize flowSize(356, 97);
    EXPECT_EQ(flow.size(), flowSize);
    flow.writeAnnouncement(WidestTexts::stockName + QStringLiteral("(600000)"),
                           QStringLiteral("在 10:30-11:00 之间大单净流出99999万股"), false);
    flow.showTotals(QStringLiteral("今日大单流入:999999万股 大单流出:999999万股 总计净流出-999999万股"), false);
    showNow(&flow);
    EXPECT_EQ(flow.size(), flowSize);
    EXPECT_EQ(cutTexts(&flow).join(u'\n').toStdString(), "");

    TForm26 rally;
    const QSize rallySize(358, 103);
    showNow(&rally);
    EXPECT_EQ(rally.size(), rallySize);

    TForm12 splash;
    showNow(&splash);
    EXPECT_EQ(splash.size(), QSize(327, 153));
}

INSTANTIATE_TEST_SUITE_P(Faces, WindowSizes, ::testing::ValuesIn(kFaces),
                         [](const ::testing::TestParamInfo<Face>& face) { return std::string(face.param.name); });
