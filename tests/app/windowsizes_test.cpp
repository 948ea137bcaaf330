// The windows of a fixed size keep it in the program's face and in the faces a Chinese desktop gives, from start-up
// and once they show the widest texts they are given; the main window's widgets stay where they were laid out.
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "app/widestgrids.h"
#include "app/widesttexts.h"
#include "fundflow/tform10.h"
#include "support/wholetexts.h"

#include <QApplication>
#include <QHash>
#include <QTest>

namespace {

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

// The widgets of the window that stand elsewhere, or have another size, than where they were laid out.
std::string movedWidgets(const QWidget* window, const QHash<QString, QRect>& designed) {
    QStringList moved;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const auto place = designed.constFind(widget->objectName());
        if (place != designed.constEnd() && widget->geometry() != *place)
            moved << widget->objectName();
    }
    return moved.join(u' ').toStdString();
}

void showNow(QWidget* window) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
}

// Run in the program's own face (0) and in the CJK face a Chinese desktop draws in, at 12 and 13 pixels.
class WindowSizes : public Form1Test, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        if (GetParam() > 0) {
            QFont desktop;
            desktop.setFamilies({QStringLiteral("Noto Sans CJK SC")});
            desktop.setPixelSize(GetParam());
            QApplication::setFont(desktop);
        }
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(15, 3)));
    }
    void TearDown() override {
        QApplication::setFont(programFace);
        Form1Test::TearDown();
    }

    const QFont programFace = QApplication::font();
};

} // namespace

TEST_P(WindowSizes, MainWindowKeepsItsSizeAndEveryWidgetItsPlace) {
    const QHash<QString, QRect> designed = designedPlaces();
    RecordingForm1 form;
    Form1 = &form;
    showNow(&form);
    EXPECT_EQ(form.size(), QSize(931, 628));
    EXPECT_EQ(movedWidgets(&form, designed), "");

    showWidestForumTopics(form);
    showWidestScreeningResults(form);
    QCoreApplication::processEvents();
    EXPECT_EQ(cutCells(form.ui->StringGrid1).join(u'\n').toStdString(), "");
    EXPECT_EQ(cutCells(form.ui->StringGrid2).join(u'\n').toStdString(), "");
    EXPECT_EQ(form.size(), QSize(931, 628));
    EXPECT_EQ(movedWidgets(&form, designed), "");
    Form1 = nullptr;
}

TEST_P(WindowSizes, FlowNoticeKeepsItsSizeWithItsWidestTexts) {
    TForm10 flow;
    flow.writeAnnouncement(WidestTexts::stockName + QStringLiteral("(600000)"),
                           QStringLiteral("在 10:30-11:00 之间大单净流出99999万股"), false);
    flow.showTotals(QStringLiteral("今日大单流入:999999万股 大单流出:999999万股 总计净流出-999999万股"), false);
    showNow(&flow);
    EXPECT_EQ(flow.size(), QSize(356, 97));
    EXPECT_EQ(cutTexts(&flow).join(u'\n').toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(Faces, WindowSizes, ::testing::Values(0, 12, 13), [](const auto& face) {
    return face.param > 0 ? "Cjk" + std::to_string(face.param) + "Pixels" : std::string("ProgramFace");
});
