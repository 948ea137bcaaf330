#include "quotes/settingsstore.h"

#include "platform/database.h"
#include "platform/failures.h"

#include <algorithm>

namespace {

const QString kFirstTable = QStringLiteral("第一波");
const QString kSecondTable = QStringLiteral("第二波");
const QString kThirdTable = QStringLiteral("第三波");
const QString kPhoneTable = QStringLiteral("手机");

const QString kSend = QStringLiteral("是否发");
const QString kCode = QStringLiteral("股票代码");
const QString kName = QStringLiteral("股票名称");
const QString kFlags = QStringLiteral("综合");
const QString kDealDigits = QStringLiteral("大单成交");
const QString kOrderDigits = QStringLiteral("大单买卖");
const QString kPct = QStringLiteral("涨跌幅");
const QString kInterval = QStringLiteral("时间间隔");
const QString kNumber = QStringLiteral("手机号码");
const QString kLocal = QStringLiteral("本地发");
const QString kRemote = QStringLiteral("远程发");

QString selectAll(const QString& table) {
    return QStringLiteral("select * from ") + table;
}

// Rows in the order they were written.
QString selectInOrder(const QString& table) {
    return selectAll(table) + QStringLiteral(" order by ID");
}

// Every row of a table, each row's fields read by `read`.
template <typename Read> void readRows(Database& db, const QString& table, Read&& read) {
    Dataset rows(db);
    rows.open(selectInOrder(table));
    for (; !rows.eof(); rows.next())
        read(rows);
}

// Deletes every row of the table, then appends one row per stock with the fields `write` sets.
template <typename Write>
void rewrite(Database& db, const QString& table, const QList<WatchList::Stock>& stocks, Write&& write) {
    db.execute(QStringLiteral("delete from ") + table);
    Dataset rows(db);
    rows.open(selectAll(table));
    for (const WatchList::Stock& stock : stocks) {
        rows.append();
        write(rows, stock);
        rows.setField(kCode, stock.code);
        rows.setField(kName, stock.name);
        rows.post();
    }
}

// Edits the first row of 手机 (the row is made when the table is empty).
template <typename Write> void editPhoneRow(Database& db, Write&& write) {
    Dataset phone(db);
    phone.open(selectInOrder(kPhoneTable));
    phone.edit();
    write(phone);
    phone.post();
}

} // namespace

namespace SettingsStore {

QList<WatchList::Stock> loadStocks(Database& db) {
    QList<WatchList::Stock> first;
    readRows(db, kFirstTable, [&first](const Dataset& row) {
        WatchList::Stock stock;
        stock.openclose = row.text(kSend);
        stock.code = row.text(kCode);
        stock.name = row.text(kName);
        first.append(stock);
    });
    qsizetype count = 0;
    readRows(db, kSecondTable, [&first, &count](const Dataset& row) {
        if (count < first.size()) {
            WatchList::Stock& stock = first[count];
            stock.flags = row.text(kFlags);
            stock.dealdigits = row.text(kDealDigits);
            stock.orderdigits = row.text(kOrderDigits);
            stock.pct = row.text(kPct);
        }
        ++count;
    });
    first.resize(std::min(first.size(), count));
    count = 0;
    readRows(db, kThirdTable, [&first, &count](const Dataset& row) {
        if (count < first.size()) {
            first[count].interval = row.text(kInterval);
            first[count].periodic = row.text(kSend);
        }
        ++count;
    });
    first.resize(std::min(first.size(), count));
    return first;
}

Phone loadPhone(Database& db) {
    Dataset row(db);
    row.open(selectInOrder(kPhoneTable));
    if (row.eof())
        return {};
    return {row.text(kNumber).trimmed(), row.text(kLocal) == WatchList::switchOn,
            row.text(kRemote) == WatchList::switchOn};
}

Settings load(Database& db) {
    return {loadStocks(db), loadPhone(db)};
}

void save(Database& db, const QList<WatchList::Stock>& stocks, bool localalerts, bool smsalerts) {
    inTransaction(db, [&] {
        rewrite(db, kFirstTable, stocks, [](Dataset& row, const WatchList::Stock& stock) {
            row.setField(kSend, WatchList::switchText(stock.openclose == WatchList::switchOn));
        });
        rewrite(db, kSecondTable, stocks, [](Dataset& row, const WatchList::Stock& stock) {
            row.setField(kFlags, stock.flags);
            row.setField(kDealDigits, toInt(stock.dealdigits));
            row.setField(kOrderDigits, toInt(stock.orderdigits));
            row.setField(kPct, toInt(stock.pct));
        });
        rewrite(db, kThirdTable, stocks, [](Dataset& row, const WatchList::Stock& stock) {
            row.setField(kSend, stock.periodic);
            row.setField(kInterval, toInt(stock.interval));
        });
        editPhoneRow(db, [&](Dataset& phone) {
            phone.setField(kLocal, WatchList::switchText(localalerts));
            phone.setField(kRemote, WatchList::switchText(smsalerts));
        });
    });
}

void savePhoneNumber(Database& db, const QString& number) {
    editPhoneRow(db, [&](Dataset& phone) { phone.setField(kNumber, number); });
}

} // namespace SettingsStore
