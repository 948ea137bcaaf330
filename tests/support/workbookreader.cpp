#include "workbookreader.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace {

QByteArray part(const QString& path, const QString& name) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

// Walks the start elements of a part.
template <typename Visit> void walk(const QByteArray& xml, Visit visit) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            visit(reader);
    }
}

} // namespace

WorksheetRows readFirstWorksheet(const QString& path) {
    WorksheetRows sheet;
    QStringList strings;
    walk(part(path, QStringLiteral("xl/sharedStrings.xml")), [&](QXmlStreamReader& reader) {
        if (reader.name() == u"si")
            strings << QString();
        else if (reader.name() == u"t" && !strings.isEmpty())
            strings.last() += reader.readElementText();
    });
    walk(part(path, QStringLiteral("docProps/core.xml")), [&](QXmlStreamReader& reader) {
        if (reader.name() == u"title")
            sheet.title = reader.readElementText();
    });
    QStringList* row = nullptr;
    walk(part(path, QStringLiteral("xl/worksheets/sheet1.xml")), [&](QXmlStreamReader& reader) {
        if (reader.name() == u"row") {
            row = &sheet.rows[reader.attributes().value(QStringLiteral("r")).toInt()];
        } else if (reader.name() == u"c" && row) {
            ++sheet.cells;
            *row << QString(); // cells come in column order; the program writes every column
        } else if (reader.name() == u"v" && row && !row->isEmpty()) {
            row->last() = strings.value(reader.readElementText().toInt());
        }
    });
    return sheet;
}
