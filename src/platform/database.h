#pragma once

#include "platform/failures.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// A local database file, the stand-in for the old desktop database engine: an SQLite file that keeps the
// old file name. SQL texts run as the program writes them; the old engine's auto-number column type
// "Counter" is the one translation (to an SQLite auto-increment key). Every failure throws Failure.
class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file, creating an empty database when it does not exist.
    void open(const QString& path);
    bool isOpen() const;
    QString path() const { return path_; }
    void close();

    // Runs one statement that returns no rows.
    void execute(const QString& sql);
    QStringList tables() const;

    void beginTransaction();
    void commit();
    void rollback();

    // The name of the underlying connection, for Dataset.
    QString connectionName() const { return connection_; }

private:
    QString connection_;
    QString path_;
};

// Runs `body` inside a transaction of `db`: committed when the body returns, rolled back when it or the commit
// throws. A commit refused by a locked file leaves the transaction open, and every later write would go into it
// and be lost at exit, so it is rolled back too; the first failure is the one reported.
template <typename Body> void inTransaction(Database& db, Body&& body) {
    db.beginTransaction();
    try {
        body();
        db.commit();
    } catch (...) {
        try {
            db.rollback();
        } catch (const Failure&) {
            // SQLite may have rolled back by itself already; nothing is left open either way.
        }
        throw;
    }
}

// The rows of one query, held in memory and walked one at a time, with the old record-set habits: open, eof,
// next, field by name; append or edit a row, set fields, post. Editing when the set has no row creates that
// row. Append, edit and post need a plain query on one table ("select * from <table> [where ...] [order by
// ...]", or a list of plain column names); any other select opens read-only. Every failure throws Failure.
class Dataset {
public:
    explicit Dataset(Database& db);

    void open(const QString& sql);
    void close();
    bool isOpen() const { return open_; }

    bool eof() const;
    void first();
    void next();
    int recordCount() const { return static_cast<int>(rows_.size()); }

    // The field of the current row (names match without regard to case); NULL reads as an invalid QVariant.
    QVariant field(const QString& name) const;
    // The field by its position in the select list, for computed columns such as "sum(...)".
    QVariant fieldAt(int column) const;
    int fieldCount() const { return static_cast<int>(columns_.size()); }
    // The field as text ("" for NULL); fixed-width text columns come back as stored.
    QString text(const QString& name) const;

    void append();
    void edit();
    void setField(const QString& name, const QVariant& value);
    void post();

private:
    qsizetype columnIndex(const QString& name) const;
    QVariant currentValue(qsizetype column) const;
    void startEditing(const char* operation);
    qint64 insertRow();
    void updateRow(qint64 rowId);
    QList<QVariant> readRow(qint64 rowId) const;

    Database& db_;
    QString table_;      // the one table behind an editable set; empty when the set is read-only
    QString selectList_; // the select list as written, to read a posted row back in the same columns
    QStringList columns_;
    QList<QList<QVariant>> rows_;
    QList<qint64> rowIds_;
    qsizetype current_ = 0;
    bool open_ = false;
    enum class Mode { Browse, Append, Edit } mode_ = Mode::Browse;
    QList<QPair<QString, QVariant>> pending_;
};
