// The rally notice: a click on its text puts it away before the stock's fund page opens, and its red warning reads
// whole inside the window whatever face draws it.
#include "app/form1_fixture.h"
#include "app/registry.h"
#include "rankings/tform26.h"
#include "support/windows.h"

#include "rankings/tform26_ui.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Records each fund page opened, and whether the notice still showed when it opened.
class NoticeForm1 : public RecordingForm1 {
public:
    void getgpzj(const QString& code) override {
        opened << code;
        noticeShowing << (Form26 && Form26->isVisible());
    }
    QStringList opened;
    QList<bool> noticeShowing;
};

class RallyNotice : public Form1Test {
protected:
    Registered<NoticeForm1, TForm1> form{Form1};
    Registered<TForm26> notice{Form26};
};

} // namespace

TEST_F(RallyNotice, AClickOnItsTextHidesItAndThenOpensTheStocksFundPage) {
    notice->showNotice(u"600519贵州茅台"_s, QTime(10, 31, 5));
    ASSERT_TRUE(notice->isVisible());
    QTest::mouseClick(notice->ui->Label1, Qt::LeftButton);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_EQ(form->opened, QStringList{"600519"});
    EXPECT_EQ(form->noticeShowing, QList<bool>{false});
}

// Under the test's own face, under the face that draws these texts in zh_CN, and under one that draws wider than
// the window was designed for: the warning keeps its text and weight, fits its label, and the label keeps a margin
// to both sides of the window.
TEST_F(RallyNotice, TheWarningReadsWholeWithAMarginInsideTheWindow) {
    constexpr int margin = 4;
    const QFont font = QApplication::font();
    QFont chinese = font;
    chinese.setFamily(u"Noto Sans CJK SC"_s);
    QFont wider = font;
    wider.setLetterSpacing(QFont::PercentageSpacing, 120);
    const auto restoreFont = qScopeGuard([&] { QApplication::setFont(font); });
    for (const QFont& face : {font, chinese, wider}) {
        QApplication::setFont(face);
        TForm26 window;
        const QLabel* warning = window.ui->Label2;
        SCOPED_TRACE(warning->font().toString().toStdString());
        EXPECT_EQ(warning->text(), u"注意：如果您看到这个窗口的时间在10:00前，您须谨慎对待"_s);
        EXPECT_TRUE(warning->font().bold());
        EXPECT_LE(QFontMetrics(warning->font()).horizontalAdvance(warning->text()), warning->contentsRect().width());
        EXPECT_GE(warning->x(), margin);
        EXPECT_LE(warning->geometry().right() + 1, window.width() - margin);
        EXPECT_EQ(window.size(), QSize(358, 103));
    }
}
