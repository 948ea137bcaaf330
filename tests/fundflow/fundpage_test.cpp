// What the stock fund page shows of its lists: today's flows, the N-day sums, the verdict and the pictures.
#include "app/colours.h"
#include "app/hosts.h"
#include "fundflow/fundpage.h"
#include "platform/failures.h"

#include <gtest/gtest.h>

using namespace FundPage;

TEST(FundPageSums, NIsCutToTheDaysThereAreAndOnlyTheNNewestMustBeIntegers) {
    Days twelve{QStringList(12, "1"), QStringList(12, "10"), QStringList(12, "-4"), QStringList(12, "-1")};
    EXPECT_EQ(sums(twelve, 30), (Sums{12, 12, 120, -48, -12}));
    EXPECT_EQ(sums(twelve, 3), (Sums{3, 3, 30, -12, -3}));
    EXPECT_EQ(sums(Days{}, 10), Sums{});
    twelve.dailyxl[5] = QString();
    EXPECT_NO_THROW(sums(twelve, 5));
    EXPECT_THROW(sums(twelve, 10), Failure);
}

TEST(FundPageVerdict, EndingsByTheSignsOfMainAndRetailAndNoneForAZero) {
    const QString fill = QStringLiteral(" Brennoc结论: 平安银行 近 10");
    const QString choice = QStringLiteral(" Brennoc结论:  平安银行 近 10");
    const QList<std::tuple<Sums, Wording, std::optional<QString>>> cases{
        {{10, 0, 3, 2, -1}, Wording::Fill, fill + QStringLiteral(" 天主力增仓")},
        {{10, 0, -3, -2, 1}, Wording::Fill, fill + QStringLiteral(" 天主力减仓")},
        {{10, 0, 3, 2, 1}, Wording::Fill, fill + QStringLiteral(" 天主力加仓,散户加仓")},
        {{10, 0, -3, -2, -1}, Wording::Fill, fill + QStringLiteral(" 天主力减仓,散户减仓")},
        {{10, 0, 3, 2, 1}, Wording::ChoiceOfN, choice + QStringLiteral(" 天主力增仓,散户加仓")},
        {{10, 0, 300, -300, 5}, Wording::Fill, std::nullopt},
        {{10, 0, 3, 2, 0}, Wording::ChoiceOfN, std::nullopt},
    };
    for (const auto& [sums, wording, expected] : cases)
        EXPECT_EQ(verdict(QStringLiteral("平安银行"), sums, wording), expected) << sums.xl << " " << sums.retail;
}

TEST(FundPageFlows, SingleFiguresGoByTheirMinusSignAndSumsByValue) {
    EXPECT_EQ(todayFlow("-35"), (Flow{QStringLiteral("流出-35"), Colours::green}));
    EXPECT_EQ(todayFlow("-0"), (Flow{QStringLiteral("流出-0"), Colours::green}));
    EXPECT_EQ(todayFlow(" -35"), (Flow{QStringLiteral("流出 -35"), Colours::green})); // "-" anywhere
    EXPECT_EQ(todayFlow("0"), (Flow{QStringLiteral("流入0"), Colours::red}));
    EXPECT_EQ(sumFlow(0), (Flow{QStringLiteral("流入0"), Colours::red}));
    EXPECT_EQ(sumFlow(-7), (Flow{QStringLiteral("流出-7"), Colours::green}));
}

TEST(FundPagePictures, MarketDigitByTheFirstCharacterOfTheCode) {
    Hosts::setSitesOverrideForTests(QStringLiteral("http://127.0.0.1:9"));
    EXPECT_EQ(klinePicture("000001"), QStringLiteral("http://127.0.0.1:9/kline/k/0000012.png?=1"));
    EXPECT_EQ(klinePicture("600789"), QStringLiteral("http://127.0.0.1:9/kline/k/6007891.png?=1"));
    EXPECT_EQ(realtimePicture("300059"), QStringLiteral("http://127.0.0.1:9/realtime/r/3000592.png?=1"));
    EXPECT_THROW(klinePicture("60078"), Failure);
    Hosts::setSitesOverrideForTests(QString());
}
