// The toolkit's standard dialogs speak the program's language once its translation is loaded.
#include "app/toolkittranslation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(ToolkitTranslation, StandardButtonsAndDialogTextsComeInChinese) {
    ASSERT_TRUE(loadToolkitTranslation());
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("保存"));
    // The file dialog's own texts (the export's save dialog).
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("文件名称(&N)："));
}
