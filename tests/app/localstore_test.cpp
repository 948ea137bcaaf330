#include "app/localstore.h"
#include "app/textfile.h"
#include "platform/database.h"
#include "platform/datafolder.h"
#include "platform/failures.h"
#include "platform/gbk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

using namespace LocalStore;

TEST(StockCode, SixDigitsStartingWithSixThreeOrZero) {
    const QList<std::pair<QString, bool>> cases = {
        {"600000", true},   {"300750", true}, {"000001", true},   {"900901", false},
        {"200002", false},  {"60000", false}, {"6000000", false}, {"60000a", false},
        {"６00000", false}, {"", false},      {" 60000", false},  {"-60000", false},
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(isStockCode(text), valid) << text.toStdString();
}

TEST(Stations, SplitAtTheFirstAmpersand) {
    const std::pair<QString, QString> cases[] = {
        {"CCTV&mms://a", "CCTV|mms://a"},
        {"CCTV&mms://a?x=1&y=2", "CCTV|mms://a?x=1&y=2"},
        {"&", "|"},
        {"name&", "name|"},
        {"no ampersand", "none"},
        {"", "none"},
    };
    for (const auto& [line, station] : cases) {
        const auto parsed = parseStation(line);
        EXPECT_EQ(parsed ? parsed->name + u'|' + parsed->url : QStringLiteral("none"), station) << line.toStdString();
    }
    EXPECT_EQ(stationLines({"a", "b"}, {"1"}), QStringList{"a&1"}) << "unequal lists write only the complete pairs";
}

TEST(TextFileLines, AnyLineEndReadsAndAFinalBreakAddsNoLine) {
    const QList<std::pair<QByteArray, QStringList>> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(TextFile::splitLines(bytes), lines) << bytes.toStdString();
}

TEST(TextFileLines, WrittenInGbkWithCrLf) {
    EXPECT_EQ(TextFile::joinLines({"中", "a"}), QByteArray("\xd6\xd0\r\na\r\n"));
    EXPECT_EQ(TextFile::joinLines({}), QByteArray());
    EXPECT_EQ(TextFile::splitLines(QByteArray("\xd6\xd0\r\n")), QStringList{"中"});
}

TEST(TextFileLines, MissingFileIsNoListAndUnreadableFileThrows) {
    QTemporaryDir dir;
    EXPECT_FALSE(TextFile::readLines(dir.filePath("none")).has_value());
    QDir(dir.path()).mkdir("folder");
    EXPECT_THROW(TextFile::readLines(dir.filePath("folder")), Failure);
}

TEST(TextFileLines, RewriteReplacesTheWholeFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("stations.dat");
    TextFile::writeLines(file, {"one", "two", "three"});
    TextFile::writeLines(file, {"x"});
    EXPECT_EQ(TextFile::readLines(file), QStringList{"x"});
    // Nothing is left behind but the file itself; a folder in the file's place is not written over.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"stations.dat"});
    QDir(dir.path()).mkdir("folder");
    EXPECT_THROW(TextFile::writeLines(dir.filePath("folder"), {"x"}), Failure);
}

// A write that fails half-way (here at the process's file size limit, which binds root as well) leaves the old
// content whole: the new text goes to a file of its own that replaces the old one only once it is complete.
TEST(TextFileLines, AWriteThatFailsHalfWayLeavesTheOldContentWhole) {
    QTemporaryDir dir;
    const QString file = dir.filePath("stations.dat");
    TextFile::writeLines(file, {"old"});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(TextFile::writeLines(file, QStringList(2000, QStringLiteral("中央一台&mms://tv/1"))), Failure);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(TextFile::readLines(file), QStringList{"old"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"stations.dat"});
}

namespace {

// SQLite's file change counter (header bytes 24 to 27): one more for every transaction that wrote to the file.
quint32 fileChangeCounter(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(28);
    if (header.size() < 28)
        return 0;
    return (quint32(uchar(header[24])) << 24) | (quint32(uchar(header[25])) << 16) | (quint32(uchar(header[26])) << 8) |
           quint32(uchar(header[27]));
}

} // namespace

// A new database file gets all its tables in one transaction (one write to the disk); when one of them cannot
// be created, none is, so the next start creates them all instead of failing on a half-made file.
TEST(TableCreation, MissingTablesAreCreatedInOneTransaction) {
    QTemporaryDir folder;
    const QString path = folder.filePath(alertDatabaseFile);
    Database db;
    db.open(path);
    createMissingTables(db, alertTables());
    EXPECT_EQ(db.tables(), QStringList({"手机", "第一波", "第二波", "第三波"}));
    EXPECT_EQ(fileChangeCounter(path), 1u);
    createMissingTables(db, alertTables());
    EXPECT_EQ(fileChangeCounter(path), 1u) << "nothing to create writes nothing";

    const QString otherPath = folder.filePath(rankingDatabaseFile);
    Database other;
    other.open(otherPath);
    QList<TableDefinition> tables = rankingTables();
    tables << TableDefinition{QStringLiteral("broken"), QStringLiteral("create table broken(")};
    EXPECT_THROW(createMissingTables(other, tables), Failure);
    EXPECT_EQ(other.tables(), QStringList());
    createMissingTables(other, rankingTables());
    EXPECT_EQ(other.tables(), QStringList({"data", "data1"}));
}
