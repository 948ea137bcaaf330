#pragma once

#include "quotes/watchlist.h"

#include <QList>
#include <QString>

class Database;

// The watch-list alert settings in the alert database: the three stock tables (第一波, 第二波, 第三波, one row
// per watched stock in watch-list order) and the first row of 手机 (phone number and the two switches).
// Every database failure throws Failure.
namespace SettingsStore {

// The first row of 手机; an empty table reads as no number and both switches off.
struct Phone {
    QString number;           // as stored, without padding blanks
    bool localalerts = false; // 本地发 = "1"
    bool smsalerts = false;   // 远程发 = "1"

    // A number the back-end can be told about: eleven digits.
    bool hasNumber() const { return WatchList::isPhoneNumber(number); }
};

struct Settings {
    QList<WatchList::Stock> stocks;
    Phone phone;
};

// The watched stocks, row k of each stock table making stock k, in table order. Only the positions that all
// three tables hold are taken, so the lists built from them always stay in step.
QList<WatchList::Stock> loadStocks(Database& db);
Phone loadPhone(Database& db);
Settings load(Database& db);

// Rewrites the three stock tables from `stocks` and stores the two switches in the first row of 手机 (made
// when the table is empty), all in one transaction: a failure leaves every table as it was.
void save(Database& db, const QList<WatchList::Stock>& stocks, bool localalerts, bool smsalerts);

// Stores the phone number in the first row of 手机 (made when the table is empty).
void savePhoneNumber(Database& db, const QString& number);

} // namespace SettingsStore
