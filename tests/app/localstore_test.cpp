#include "app/localstore.h"
#include "app/textfile.h"
#include "platform/datafolder.h"
#include "platform/failures.h"
#include "platform/gbk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    struct Case {
        QString line;
        std::optional<std::pair<QString, QString>> station;
    };
    const QList<Case> cases = {
        {"CCTV&mms://a", std::pair{QString("CCTV"), QString("mms://a")}},
        {"CCTV&mms://a?x=1&y=2", std::pair{QString("CCTV"), QString("mms://a?x=1&y=2")}},
        {"&", std::pair{QString(), QString()}},
        {"&url", std::pair{QString(), QString("url")}},
        {"name&", std::pair{QString("name"), QString()}},
        {"no ampersand", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto station = parseStation(c.line);
        ASSERT_EQ(station.has_value(), c.station.has_value()) << c.line.toStdString();
        if (station) {
            EXPECT_EQ(station->name, c.station->first);
            EXPECT_EQ(station->url, c.station->second);
        }
    }
}

TEST(Stations, UnequalListsWriteOnlyTheCompletePairs) {
    EXPECT_EQ(stationLines({"a", "b"}, {"1"}), QStringList{"a&1"});
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
    // Nothing is left behind but the file itself.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"stations.dat"});
}

TEST(TextFileLines, AFailedWriteThrowsAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("stations.dat");
    TextFile::writeLines(file, {"old"});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool folderLocked = !QFileInfo(dir.path()).isWritable();
    if (folderLocked) {
        EXPECT_THROW(TextFile::writeLines(file, {"new"}), Failure);
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(TextFile::readLines(file), QStringList{"old"});
    // Writing over a folder fails too, whoever runs the test.
    QDir(dir.path()).mkdir("folder");
    EXPECT_THROW(TextFile::writeLines(dir.filePath("folder"), {"x"}), Failure);
}
