#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The program's small text files: lines of GBK text. Writing ends every line with CR LF; reading accepts CR LF,
// LF or CR, and a final line break adds no empty line.
namespace TextFile {

QStringList splitLines(const QByteArray& bytes);
QByteArray joinLines(const QStringList& lines);

// The file's lines, or nullopt when it does not exist. A file that exists but cannot be read throws Failure.
std::optional<QStringList> readLines(const QString& path);

// Rewrites the file whole. The text goes to a temporary file in the same folder that then replaces the old
// one, so a crash in the middle leaves the old file as it was. Any failure throws Failure.
void writeLines(const QString& path, const QStringList& lines);

} // namespace TextFile
