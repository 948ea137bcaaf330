// A transaction whose commit fails must not stay open: the writes after it would go into it and be lost.
#include "platform/database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString readerConnection = u"review-transaction-reader"_s;

// Another program reading the file: its open read transaction keeps a shared lock, so a commit cannot
// write the file (SQLite answers "database is locked" after its busy wait).
class Reader {
public:
    explicit Reader(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, readerConnection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        EXPECT_TRUE(db.transaction());
        query_.emplace(db);
        EXPECT_TRUE(query_->exec(u"select * from 第一波"_s));
        query_->next();
    }
    ~Reader() { release(); }

    void release() {
        if (!query_)
            return;
        query_.reset();
        QSqlDatabase::database(readerConnection, false).commit();
        QSqlDatabase::database(readerConnection, false).close();
        QSqlDatabase::removeDatabase(readerConnection);
    }

private:
    std::optional<QSqlQuery> query_;
};

int rowCount(Database& db) {
    Dataset set(db);
    set.open(u"select * from 第一波"_s);
    return set.recordCount();
}

} // namespace

TEST(ReviewTransaction, FailedCommitLeavesNoOpenTransactionBehind) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"gpbd0856.dat"_s);
    Database db;
    db.open(path);
    db.execute(u"create table 第一波(ID Counter Primary Key,是否发 char(1),股票代码 char(6),股票名称 char(10))"_s);

    {
        Reader reader(path);
        const auto lockedSave = [&] {
            inTransaction(db, [&] { db.execute(u"insert into 第一波(股票代码) values('600000')"_s); });
        };
        EXPECT_THROW(lockedSave(), Failure);
    }

    // Once the file is free, the next save stands on its own and is kept; the failed one is gone.
    inTransaction(db, [&] { db.execute(u"insert into 第一波(股票代码) values('000001')"_s); });
    db.close();
    db.open(path);
    EXPECT_EQ(rowCount(db), 1);
}
