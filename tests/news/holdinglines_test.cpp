#include "news/holdinglines.h"

#include "platform/failures.h"

#include <gtest/gtest.h>

using Holdings::HoldingPoint;

TEST(HoldingLines, ReadsLastLineFirstAndDropsTheUnterminatedTail) {
    const QByteArray page = "2024-1-5 0:00:00,31.5,1,2,3,40.25\r\n"
                            "no comma here\n"
                            "2024-01-04,30,1,2,3,41\n"
                            "2024-1-3 0:00:00,-2.5e1,1,2,3, 42 \n"
                            "2024-1-2 0:00:00,bad";
    EXPECT_EQ(Holdings::readHoldingLines(page), (QList<HoldingPoint>{{3, -25, 42}, {4, 30, 41}, {5, 31.5, 40.25}}));
    EXPECT_TRUE(Holdings::readHoldingLines("2024-1-5 0:00:00,1,2,3,4,5").isEmpty());
}

TEST(HoldingLines, AnUnreadableLineFailsThePage) {
    for (const char* line :
         {"2024-13-1 0:00:00,1,2,3,4,5\n", "24-1-1 0:00:00,1,2,3,4,5\n", "2024-1-1x,1,2,3,4,5\n",
          "2024-1-1 0:00:00,1,2,3,4\n", "2024-1-1 0:00:00,,2,3,4,5\n", "2024-1-1 0:00:00,1,2,3,4,5%\n",
          "2024-1-1 0:00:00,0x1,2,3,4,5\n", "2024-1-1 0:00:00,1,2,3,4,inf\n",
          // f5 is the rest of the line
          "2024-1-1 0:00:00,1,2,3,4,5,6\n"})
        EXPECT_THROW(Holdings::readHoldingLines(line), Failure) << line;
    EXPECT_THROW(Holdings::holdingsPath(QStringLiteral("60000&x=1")), Failure);
    EXPECT_EQ(Holdings::holdingsPath(QStringLiteral("600000")),
              QStringLiteral("/Themes/2009/ccfx/LoadData.aspx?act=ccx&stockCode=600000"));
}
