// The main window's labels show quotes, names and titles from outside pages: a page that sends markup must see
// it shown as the characters it sent, never rendered (a label's default would render "<img src=...>").
#include "app/form1_fixture.h"

#include <QLabel>

using ReviewPlainText = Form1Test;

TEST_F(ReviewPlainText, EveryMainWindowLabelShowsPlainText) {
    RecordingForm1 form;
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    for (const QLabel* label : labels)
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}
