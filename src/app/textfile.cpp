#include "app/textfile.h"

#include "platform/failures.h"
#include "platform/gbk.h"

#include <QFile>
#include <QSaveFile>

namespace TextFile {

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines << Gbk::decode(bytes.mid(start, i - start));
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size())
        lines << Gbk::decode(bytes.mid(start));
    return lines;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Gbk::encode(line) + "\r\n";
    return bytes;
}

std::optional<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return splitLines(bytes);
}

void writeLines(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = joinLines(lines);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace TextFile
