// The toolkit's standard dialogs speak the program's language once its translation is loaded.
#include "app/toolkittranslation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
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

// The file dialog's type column: texts that Qt asks for in a context the distributions' translation does not
// carry, each in its platform's wording.
TEST(ToolkitTranslation, FileDialogTypeTextsComeInChineseToo) {
    loadToolkitTranslation();
    const char* context = "QAbstractFileIconProvider";
    EXPECT_EQ(QCoreApplication::translate(context, "Folder", "All other platforms"), QStringLiteral("文件夹"));
    EXPECT_EQ(QCoreApplication::translate(context, "Drive"), QStringLiteral("驱动器"));
    EXPECT_EQ(QCoreApplication::translate(context, "Shortcut", "All other platforms"), QStringLiteral("快捷方式"));
    EXPECT_EQ(QCoreApplication::translate(context, "Unknown"), QStringLiteral("未知"));
    // What the dialog's model is told for a folder.
    EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("文件夹"));
    // Only those texts: the same words elsewhere are left to their own translations.
    EXPECT_EQ(QCoreApplication::translate("QNoSuchContext", "Folder"), QStringLiteral("Folder"));
}
