#pragma once

// Reads back an .xlsx workbook (a zip of XML parts, taken out with the `unzip` command): the first worksheet's
// rows by row number, each row's cells from column A on, a blank cell as "", and the document title.

#include <QMap>
#include <QString>
#include <QStringList>

struct WorksheetRows {
    QString title;
    QMap<int, QStringList> rows;
    int cells = 0; // cells the worksheet holds, blank ones included
};

WorksheetRows readFirstWorksheet(const QString& path);
