#include "platform/failures.h"
#include "platform/formats.h"

#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(StrictNumbers, AcceptOnlyWholeNumbers) {
    EXPECT_EQ(toInt(QStringLiteral("42")), 42);
    EXPECT_EQ(toInt(QStringLiteral("  -7")), -7);
    EXPECT_EQ(toInt(QStringLiteral("+3")), 3);
    for (const char* bad : {"", " ", "4 2", "42 ", "1e3", "12a", "-", "1,000", "99999999999", "0x10"})
        EXPECT_THROW(toInt(QString::fromLatin1(bad)), Failure) << bad;
}

TEST(StrictNumbers, DecimalsUseTheCLocale) {
    EXPECT_DOUBLE_EQ(toDouble(QStringLiteral("10.25")), 10.25);
    EXPECT_DOUBLE_EQ(toDouble(QStringLiteral("-5.01")), -5.01);
    EXPECT_DOUBLE_EQ(toDouble(QStringLiteral(" 3 ")), 3.0);
    for (const char* bad : {"", "-", "1,5", "5%", "abc", "1.2.3", "nan?"})
        EXPECT_THROW(toDouble(QString::fromLatin1(bad)), Failure) << bad;
}

// The conversions accept exactly the texts of the patterns their contract states that the toolkit's C-locale
// conversion takes (pattern matching lets one line break at the very end through, and so do they), with the
// toolkit's value.
TEST(StrictNumbers, AcceptExactlyTheirPatterns) {
    const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    const QRegularExpression decimal(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QStringList texts = {
        "0",
        "42",
        "-7",
        "+3",
        "007",
        "42\n",
        "42\n\n",
        "\n",
        "42 ",
        " 42",
        "4 2",
        "+-1",
        "--1",
        "+",
        "-",
        "",
        ".",
        "5.",
        ".5",
        "-.5",
        "+5.25",
        "1.2.3",
        "1e3",
        "1E-3",
        "1e+3",
        "1e",
        "1e+",
        ".e3",
        "5.e3",
        ".5e3",
        "1e3.5",
        "e3",
        "1,5",
        "5%",
        "0x10",
        "inf",
        "nan",
        "1d",
        u"\u0663"_s,
        u"４２"_s,
        "99999999999",
        "9223372036854775808",
        "1e999",
        "-9223372036854775808",
        "-9223372036854775809",
        "1e-999",
        "0e-999",
        "0.000",
        "1e-310",
        "-0",
        "+0.0",
        "0.1",
        "123456789012345678901234567890",
        "3.14159265358979323846",
        "2.5e-5",
        "  12",
        "\t12",
        "12\t",
    };
    for (const QString& text : texts) {
        const QString body = text.trimmed();
        bool ok = false;
        const double decimalValue = QLocale::c().toDouble(body, &ok);
        const bool decimalExpected = ok && decimal.match(body).hasMatch();
        bool decimalTaken = true;
        try {
            EXPECT_EQ(toDouble(text), decimalValue) << text.toStdString();
        } catch (const Failure&) {
            decimalTaken = false;
        }
        EXPECT_EQ(decimalTaken, decimalExpected) << "decimal: " << text.toStdString();

        qsizetype start = 0;
        while (start < text.size() && text[start] == u' ')
            ++start;
        const QString digits = text.mid(start);
        const qint64 wholeValue = QLocale::c().toLongLong(digits, &ok);
        const bool wholeExpected = ok && whole.match(digits).hasMatch();
        bool wholeTaken = true;
        try {
            EXPECT_EQ(toInt64(text), wholeValue) << text.toStdString();
        } catch (const Failure&) {
            wholeTaken = false;
        }
        EXPECT_EQ(wholeTaken, wholeExpected) << "whole: " << text.toStdString();
    }
}

TEST(CheckedAccess, OutOfRangeThrowsInsteadOfReadingPastTheEnd) {
    QStringList list{QStringLiteral("a"), QStringLiteral("b")};
    EXPECT_EQ(at(list, 1), QStringLiteral("b"));
    at(list, 0) = QStringLiteral("z");
    EXPECT_EQ(list[0], QStringLiteral("z"));
    EXPECT_THROW(at(list, 2), Failure);
    EXPECT_THROW(at(list, -1), Failure);
    EXPECT_THROW(at(QStringList(), 0), Failure);
}

TEST(HandlerGuard, SwallowsEveryFailureAndSaysWhetherTheBodyFinished) {
    int steps = 0;
    EXPECT_TRUE(guarded([&] { ++steps; }));
    EXPECT_FALSE(guarded([&] {
        ++steps;
        throw SilentAbort();
    }));
    EXPECT_FALSE(guarded([&] { at(QStringList(), 3); }));
    EXPECT_FALSE(guarded([] { throw 7; }));
    EXPECT_EQ(steps, 2);
}

TEST(Formats, FixedDateAndTimeFormsIgnoreTheLocale) {
    const QDateTime moment(QDate(2026, 3, 5), QTime(9, 5, 7));
    EXPECT_EQ(Formats::shortDate(moment.date()), QStringLiteral("2026-3-5"));
    EXPECT_EQ(Formats::longTime(moment.time()), QStringLiteral("9:05:07"));
    EXPECT_EQ(Formats::dateTime(moment), QStringLiteral("2026-3-5 9:05:07"));
}
