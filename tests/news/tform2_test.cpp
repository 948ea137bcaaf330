// The "所有公告" window, opened from the main window's announcement label.
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "app/tform1_ui.h"
#include "news/tform2.h"

#include <QGroupBox>
#include <QLabel>

TEST_F(Form1Test, AnnouncementWindowListsEntriesOneToNMinusOneThenGivesTheMainWindowBack) {
    RecordingForm1 form;
    TForm2 window;
    Form1 = &form;
    Form2 = &window;
    form.state.curcode = QStringLiteral("600519");
    form.Label15Click(); // no stock name: nothing happens
    EXPECT_FALSE(window.isVisible());

    form.state.curname = QStringLiteral("贵州茅台");
    form.state.noticetitles = QStringList{QStringLiteral("标题"), QStringLiteral("年报"), QStringLiteral("季报")};
    form.state.noticelinks = QStringList{QString(), QStringLiteral("http://n/1"), QStringLiteral("http://n/2")};
    form.state.noticedates = QStringList{QStringLiteral("公告时间"), QStringLiteral("2026-03-05")};
    form.ui->Image3->show();
    form.Label15Click();
    EXPECT_FALSE(form.isEnabled());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(form.ui->Image3->isHidden());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("贵州茅台(600519) 的所有公告"));
    EXPECT_EQ(widgetNamed<QGroupBox>(&window, "GroupBox1")->title(),
              QStringLiteral("贵州茅台(600519) 的所有公告（数据来自沪深证券交易所）单击查看公告内容"));
    auto* grid = widgetNamed<StringGrid>(&window, "StringGrid1");
    const QStringList expected{QStringLiteral("|公告内容|发布日期"), QStringLiteral("1|年报|2026-03-05"),
                               QStringLiteral("2|季报|"), QStringLiteral("||")};
    ASSERT_EQ(grid->rowCount(), expected.size());
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QString cells = grid->cell(0, row) + u'|' + grid->cell(1, row) + u'|' + grid->cell(2, row);
        EXPECT_EQ(cells, expected[row]) << row;
    }

    for (const int row : {0, 3, 2})
        emit grid->cellClicked(row, 1);
    EXPECT_EQ(services->openedUrls, QList<QUrl>{QUrl(QStringLiteral("http://n/2"))});
    window.close();
    EXPECT_TRUE(form.isEnabled());
    Form1 = nullptr;
    Form2 = nullptr;
}
