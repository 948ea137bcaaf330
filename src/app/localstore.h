#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Database;

// The local store's file names, table definitions and the rules for reading its text files.
namespace LocalStore {

// Data files, all in the data folder.
inline const QString lastStockFile = QStringLiteral("gp06856.dat");
inline const QString favouritesFile = QStringLiteral("gpnew06857.dat");
inline const QString recentFile = QStringLiteral("gpnew06858.dat");
inline const QString rankingDatabaseFile = QStringLiteral("gpfind.dat");
inline const QString alertDatabaseFile = QStringLiteral("gpbd0856.dat");

// The stock shown when no valid last stock is stored.
inline const QString defaultStockCode = QStringLiteral("000001");

// Status bar text of the two alert switches ("本机监视股价：启用  手机接收股价：停止").
QString alertStatusText(bool localalerts, bool smsalerts);

// One table: its name and the exact statement that creates it.
struct TableDefinition {
    QString name;
    QString sql;
};
// Ranking query results (data, data1), in creation order.
QList<TableDefinition> rankingTables();
// Watch-list alert settings (手机, 第一波, 第二波, 第三波), in creation order.
QList<TableDefinition> alertTables();

// Creates the tables of `tables` that the open database lacks, in one transaction: a new file costs one disk
// flush instead of one per table, and a start that stops half-way leaves none of them, so the next start
// creates them all. A file left without some of its tables (by an older program) gets the missing ones; tables
// that exist are never altered. Throws Failure, with nothing created.
void createMissingTables(Database& db, const QList<TableDefinition>& tables);

// Six digits, the first of them 6, 3 or 0: a Shanghai or Shenzhen stock code.
bool isStockCode(const QString& text);

// The stock to start with from the last-stock file's lines (nullopt: no file): its first line when that is a
// stock code, otherwise the default. Anything else in the file would end up inside web addresses.
QString lastStockCode(const std::optional<QStringList>& lines);
// Whether the file named a stock that lastStockCode took (so the back-end's stock page is loaded for it).
bool hasStoredStock(const std::optional<QStringList>& lines);

// One TV station line: the name, "&", the stream address (which may itself hold "&").
struct Station {
    QString name;
    QString url;
};
// Splits a line at its first "&"; a line without "&" is no station.
std::optional<Station> parseStation(const QString& line);
QList<Station> parseStations(const QStringList& lines);
// The file lines for parallel name and address lists, in list order.
QStringList stationLines(const QStringList& names, const QStringList& urls);

} // namespace LocalStore
