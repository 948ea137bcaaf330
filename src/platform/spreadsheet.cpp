#include "platform/spreadsheet.h"

#include "platform/failures.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <filesystem>
#include <system_error>

namespace {

// The number format of a text cell.
constexpr const char* kTextFormat = "@";

Failure saveFailure(const QString& path, const QString& reason) {
    return Failure(QStringLiteral("cannot save the workbook %1: %2").arg(path, reason));
}

Failure writerFailure(const QString& path, lxw_error error) {
    return saveFailure(path, QString::fromUtf8(lxw_strerror(error)));
}

// Writes the cells with the library; `workbook` is freed by workbook_close on every road.
void writeWorkbook(lxw_workbook* workbook, const QString& title, const std::map<std::pair<int, int>, QString>& cells,
                   const QString& path) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* text = workbook_add_format(workbook);
    const QByteArray titleBytes = title.toUtf8();
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(titleBytes.constData());
    lxw_error error = sheet && text ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (!error) {
        format_set_num_format(text, kTextFormat);
        if (!title.isEmpty())
            error = workbook_set_properties(workbook, &properties);
    }
    for (auto it = cells.begin(); !error && it != cells.end(); ++it) {
        const auto row = static_cast<lxw_row_t>(it->first.first - 1);
        const auto column = static_cast<lxw_col_t>(it->first.second - 1);
        error = it->second.isEmpty()
                    ? worksheet_write_blank(sheet, row, column, text)
                    : worksheet_write_string(sheet, row, column, it->second.toUtf8().constData(), text);
    }
    const lxw_error closed = workbook_close(workbook);
    if (error)
        throw writerFailure(path, error);
    if (closed)
        throw writerFailure(path, closed);
}

} // namespace

void Spreadsheet::setCell(int row, int column, const QString& text) {
    if (row < 1 || row > maxRows || column < 1 || column > maxColumns)
        throw Failure(QStringLiteral("no worksheet cell at row %1, column %2").arg(row).arg(column));
    cells_[{row, column}] = text;
}

QString Spreadsheet::cell(int row, int column) const {
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? QString() : it->second;
}

void Spreadsheet::saveAs(const QString& path) const {
    const QFileInfo target(path);
    if (path.isEmpty() || target.isDir())
        throw saveFailure(path, QStringLiteral("not a file name"));
    QTemporaryFile partial(target.absolutePath() + QStringLiteral("/.XXXXXX.xlsx"));
    if (!partial.open())
        throw saveFailure(path, partial.errorString());
    partial.close();
    lxw_workbook* workbook = workbook_new(QFile::encodeName(partial.fileName()).constData());
    if (!workbook)
        throw saveFailure(path, QStringLiteral("out of memory"));
    writeWorkbook(workbook, title_, cells_, path);
    // The temporary file is private to its owner; the workbook gets the usual permissions of a document.
    QFile::setPermissions(partial.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code renamed;
    std::filesystem::rename(QFile::encodeName(partial.fileName()).toStdString(), QFile::encodeName(path).toStdString(),
                            renamed);
    if (renamed)
        throw saveFailure(path, QString::fromStdString(renamed.message()));
    partial.setAutoRemove(false);
}
