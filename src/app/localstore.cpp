#include "app/localstore.h"

#include "platform/database.h"

namespace LocalStore {

QList<TableDefinition> rankingTables() {
    return {
        {QStringLiteral("data"),
         QStringLiteral(
             "create table data(ID Counter Primary Key,股票名称 char(8),股票代码 char(6),数值 Numeric(8,2))")},
        {QStringLiteral("data1"),
         QStringLiteral(
             "create table data1(ID Counter Primary Key,股票名称 char(8),股票代码 char(6),数值 Numeric(8,2))")},
    };
}

QList<TableDefinition> alertTables() {
    return {
        {QStringLiteral("手机"),
         QStringLiteral("create table 手机(ID Counter Primary Key,手机号码 char(11),本地发 char(1),"
                        "远程发 char(1),状态 char(1),设置日期 datetime)")},
        {QStringLiteral("第一波"),
         QStringLiteral(
             "create table 第一波(ID Counter Primary Key,是否发 char(1),股票代码 char(6),股票名称 char(10))")},
        {QStringLiteral("第二波"),
         QStringLiteral("create table 第二波(ID Counter Primary Key,综合 char(4),涨停 char(1),"
                        "大单成交 int,大单买卖 int, 涨跌幅 int,股票代码 char(6),股票名称 char(10))")},
        {QStringLiteral("第三波"),
         QStringLiteral("create table 第三波(ID Counter Primary Key,是否发 char(1),时间间隔 int ,"
                        "股票代码 char(6),股票名称 char(10))")},
    };
}

bool isStockCode(const QString& text) {
    if (text.size() != 6)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const QChar first = text.front();
    return first == QLatin1Char('6') || first == QLatin1Char('3') || first == QLatin1Char('0');
}

bool hasStoredStock(const std::optional<QStringList>& lines) {
    return lines && !lines->isEmpty() && isStockCode(lines->front());
}

QString lastStockCode(const std::optional<QStringList>& lines) {
    return hasStoredStock(lines) ? lines->front() : defaultStockCode;
}

std::optional<Station> parseStation(const QString& line) {
    const qsizetype amp = line.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return std::nullopt;
    return Station{line.left(amp), line.mid(amp + 1)};
}

QList<Station> parseStations(const QStringList& lines) {
    QList<Station> stations;
    for (const QString& line : lines) {
        if (const auto station = parseStation(line))
            stations << *station;
    }
    return stations;
}

QStringList stationLines(const QStringList& names, const QStringList& urls) {
    QStringList lines;
    const qsizetype count = std::min(names.size(), urls.size());
    for (qsizetype i = 0; i < count; ++i)
        lines << names[i] + QLatin1Char('&') + urls[i];
    return lines;
}

QString alertStatusText(bool localalerts, bool smsalerts) {
    static const QString localOn = QStringLiteral("本机监视股价：启用");
    static const QString localOff = QStringLiteral("本机监视股价：停止");
    static const QString smsOn = QStringLiteral("  手机接收股价：启用");
    static const QString smsOff = QStringLiteral("  手机接收股价：停止");
    return (localalerts ? localOn : localOff) + (smsalerts ? smsOn : smsOff);
}

void createMissingTables(Database& db, const QList<TableDefinition>& tables) {
    const QStringList present = db.tables();
    QList<TableDefinition> missing;
    for (const TableDefinition& table : tables) {
        if (!present.contains(table.name, Qt::CaseInsensitive))
            missing << table;
    }
    if (missing.isEmpty())
        return;
    inTransaction(db, [&] {
        for (const TableDefinition& table : missing)
            db.execute(table.sql);
    });
}

} // namespace LocalStore
