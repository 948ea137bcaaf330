#include "platform/datafolder.h"

#include <QDir>
#include <QStandardPaths>

QString dataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString dataFile(const QString& name) {
    return QDir(dataFolder()).filePath(name);
}
