#include "app/unreadablefile.h"

#include "platform/datafolder.h"
#include "platform/services.h"

#include <QDir>
#include <QString>

namespace {
// Names the file by its full path, so the user can find it.
const QString kUnreadableFile = QStringLiteral("无法读取数据文件%1，程序按默认设置继续运行。");
} // namespace

void reportUnreadableFile(QWidget* owner, const QString& fileName) {
    showMessage(owner, kUnreadableFile.arg(QDir::toNativeSeparators(dataFile(fileName))), errorCaption,
                MessageIcon::Error);
}
