#include "platform/database.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString settingsTables[] = {
    u"create table 手机(ID Counter Primary Key,手机号码 char(11),本地发 char(1),远程发 char(1),状态 "
    u"char(1),设置日期 datetime)"_s,
    u"create table 第一波(ID Counter Primary Key,是否发 char(1),股票代码 char(6),股票名称 char(10))"_s,
    u"create table 第二波(ID Counter Primary Key,综合 char(4),涨停 char(1),大单成交 int,大单买卖 int, "
    u"涨跌幅 int,股票代码 char(6),股票名称 char(10))"_s,
    u"create table 第三波(ID Counter Primary Key,是否发 char(1),时间间隔 int ,股票代码 char(6),股票名称 "
    u"char(10))"_s,
    u"create table data(ID Counter Primary Key,股票名称 char(8),股票代码 char(6),数值 Numeric(8,2))"_s,
    u"create table data1(ID Counter Primary Key,股票名称 char(8),股票代码 char(6),数值 Numeric(8,2))"_s,
};

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db.open(dir.filePath(u"gpbd0856.dat"_s));
        for (const QString& sql : settingsTables)
            db.execute(sql);
    }

    // Appends one row to `table` with the given fields and posts it.
    void addRow(const QString& table, const QList<QPair<QString, QVariant>>& fields) {
        Dataset set(db);
        set.open(u"select * from "_s + table);
        set.append();
        for (const auto& [name, value] : fields)
            set.setField(name, value);
        set.post();
    }

    QTemporaryDir dir;
    Database db;
};

TEST_F(DatabaseTest, TableTextsRunUnchangedAndCounterNumbersRowsWithoutReuse) {
    EXPECT_EQ(db.tables(), (QStringList{u"手机"_s, u"第一波"_s, u"第二波"_s, u"第三波"_s, u"data"_s, u"data1"_s}));
    for (const QString& table : db.tables()) {
        Dataset set(db);
        set.open(u"select * from "_s + table);
        for (int expected = 1; expected <= 3; ++expected) {
            set.append();
            set.post();
            EXPECT_EQ(set.field(u"ID"_s).toInt(), expected) << table.toStdString();
        }
        db.execute(u"delete from "_s + table);
        addRow(table, {});
        set.open(u"select * from "_s + table);
        EXPECT_EQ(set.field(u"id"_s).toInt(), 4) << "a deleted number is not given again";
    }
}

TEST_F(DatabaseTest, CounterIsTranslatedOnlyAsAColumnType) {
    db.execute(u"create table t(Counter char(4), n int, k counter)"_s);
    addRow(u"t"_s, {{u"Counter"_s, u"abc"_s}});
    Dataset set(db);
    set.open(u"select * from t"_s);
    EXPECT_EQ(set.text(u"Counter"_s), u"abc"_s);
    EXPECT_EQ(set.field(u"k"_s).toInt(), 1);
}

TEST_F(DatabaseTest, FieldsKeepTheirColumnKinds) {
    addRow(u"第二波"_s, {{u"综合"_s, u"0101"_s},
                         {u"大单成交"_s, u"4"_s},
                         {u"大单买卖"_s, 5},
                         {u"涨跌幅"_s, 7},
                         {u"股票代码"_s, u"000001"_s},
                         {u"股票名称"_s, u"平安银行"_s}});
    addRow(u"第一波"_s, {{u"是否发"_s, 1}, {u"股票代码"_s, u"600000"_s}});
    Dataset set(db);
    set.open(u"select * from 第二波"_s);
    ASSERT_EQ(set.recordCount(), 1);
    EXPECT_EQ(set.field(u"大单成交"_s).typeId(), QMetaType::LongLong) << "text into an int column is a number";
    EXPECT_EQ(set.field(u"大单成交"_s).toInt(), 4);
    EXPECT_EQ(set.text(u"涨跌幅"_s), u"7"_s);
    EXPECT_EQ(set.text(u"股票代码"_s), u"000001"_s);
    EXPECT_EQ(set.text(u"股票名称"_s), u"平安银行"_s);
    EXPECT_FALSE(set.field(u"涨停"_s).isValid());
    EXPECT_EQ(set.text(u"涨停"_s), QString());
    set.open(u"select * from 第一波"_s);
    EXPECT_EQ(set.field(u"是否发"_s), QVariant(u"1"_s)) << "a number into a char column is text";
}

TEST_F(DatabaseTest, EditOnEmptyTableCreatesTheRowAndLaterEditsUpdateIt) {
    Dataset set(db);
    set.open(u"select * from 手机"_s);
    EXPECT_THROW(set.text(u"本地发"_s), Failure) << "an empty table has no row to read";
    set.edit();
    set.setField(u"本地发"_s, u"1"_s);
    set.post();
    EXPECT_EQ(set.text(u"本地发"_s), u"1"_s);
    EXPECT_EQ(set.field(u"ID"_s).toInt(), 1);

    set.open(u"select * from 手机"_s);
    set.edit();
    set.setField(u"手机号码"_s, u"13900000000"_s);
    set.setField(u"远程发"_s, u"0"_s);
    set.post();
    set.open(u"select * from 手机"_s);
    ASSERT_EQ(set.recordCount(), 1);
    EXPECT_EQ(set.text(u"本地发"_s), u"1"_s);
    EXPECT_EQ(set.text(u"手机号码"_s), u"13900000000"_s);
    EXPECT_EQ(set.text(u"远程发"_s), u"0"_s);
}

TEST_F(DatabaseTest, AppendedRowsReadBackInOrderAndSumsOpenReadOnly) {
    Dataset set(db);
    set.open(u"select * from data where id=1"_s);
    const QList<std::tuple<QString, QString, double>> rows = {
        {u"浦发银行"_s, u"600000"_s, 1.5}, {u"平安银行"_s, u"000001"_s, 7.25}, {u"浦发银行"_s, u"600000"_s, 2}};
    for (const auto& [name, code, value] : rows) {
        set.append();
        set.setField(u"股票名称"_s, name);
        set.setField(u"股票代码"_s, code);
        set.setField(u"数值"_s, value);
        set.post();
        EXPECT_EQ(set.text(u"股票代码"_s), code) << "the posted row is the current one";
    }
    set.open(u"select * from data"_s);
    for (const auto& [name, code, value] : rows) {
        ASSERT_FALSE(set.eof());
        EXPECT_EQ(set.text(u"股票名称"_s), name);
        EXPECT_DOUBLE_EQ(set.field(u"数值"_s).toDouble(), value);
        set.next();
    }
    EXPECT_TRUE(set.eof());

    set.first();
    set.next();
    set.edit();
    set.setField(u"数值"_s, 0.5);
    set.post();
    set.open(u"select * from data order by 数值"_s);
    EXPECT_EQ(set.text(u"股票代码"_s), u"000001"_s) << "only the edited row changed";
    set.next();
    EXPECT_DOUBLE_EQ(set.field(u"数值"_s).toDouble(), 1.5);

    set.open(u"select sum(数值),股票代码,股票名称 from data group by 股票代码,股票名称 order by 1 desc"_s);
    ASSERT_EQ(set.recordCount(), 2);
    EXPECT_DOUBLE_EQ(set.fieldAt(0).toDouble(), 3.5);
    set.next();
    EXPECT_DOUBLE_EQ(set.fieldAt(0).toDouble(), 0.5);
    EXPECT_THROW(set.append(), Failure);
    EXPECT_THROW(set.edit(), Failure);
}

TEST_F(DatabaseTest, TransactionRolledBackOnExceptionLeavesTablesAsBefore) {
    addRow(u"第一波"_s, {{u"股票代码"_s, u"600000"_s}});
    EXPECT_THROW(inTransaction(db,
                               [&] {
                                   db.execute(u"delete from 第一波"_s);
                                   throw Failure(u"lost connection"_s);
                               }),
                 Failure);
    // A commit that fails (here on a deferred constraint, which leaves SQLite's transaction open) is rolled back,
    // so the next transaction stands on its own and is kept.
    db.execute(u"PRAGMA foreign_keys = ON"_s);
    db.execute(u"create table child(pid int references 第一波(ID) deferrable initially deferred)"_s);
    EXPECT_THROW(inTransaction(db, [&] { db.execute(u"insert into child values(99)"_s); }), Failure);
    inTransaction(db, [&] { addRow(u"第一波"_s, {{u"股票代码"_s, u"000001"_s}}); });
    db.close();
    db.open(dir.filePath(u"gpbd0856.dat"_s));
    Dataset set(db);
    set.open(u"select 股票代码 from 第一波 order by ID"_s);
    ASSERT_EQ(set.recordCount(), 2);
    EXPECT_EQ(set.text(u"股票代码"_s), u"600000"_s);
    set.open(u"select * from child"_s);
    EXPECT_TRUE(set.eof());
}

TEST_F(DatabaseTest, MisuseThrowsFailure) {
    Dataset set(db);
    set.open(u"select * from 第一波"_s);
    EXPECT_THROW(set.field(u"是否发"_s), Failure) << "reading at the end";
    set.append();
    EXPECT_THROW(set.setField(u"没有"_s, 1), Failure);
    set.post();
    EXPECT_THROW(set.field(u"没有"_s), Failure);
    EXPECT_THROW(set.setField(u"是否发"_s, 1), Failure) << "setting without append or edit";
    EXPECT_THROW(set.post(), Failure);
    EXPECT_THROW(set.open(u"select * from 没有的表"_s), Failure);
    EXPECT_THROW(db.execute(u"create table 第一波(ID int)"_s), Failure);
}

TEST(Database, FileThatIsNotADatabaseIsRefusedAndLeftAlone) {
    QTemporaryDir dir;
    const QList<QByteArray> contents = {"hello", QByteArray(3000, '\x5a'), QByteArray("Standard Jet DB").repeated(200)};
    for (const QByteArray& bytes : contents) {
        const QString path = dir.filePath(u"gpfind.dat"_s);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        Database db;
        EXPECT_THROW(db.open(path), Failure);
        EXPECT_FALSE(db.isOpen());
        EXPECT_THROW(db.execute(settingsTables[4]), Failure);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
    }
    Database db;
    EXPECT_THROW(db.open(dir.filePath(u"missing/gpfind.dat"_s)), Failure);
}

} // namespace
