// The caption's status brackets: each source keeps its own text, shown most pressing first.

#include "run/StatusBoard.h"

#include <gtest/gtest.h>

TEST(StatusBoard, ShowsEverySourceInOrderAndClearsEachOnItsOwn)
{
    StatusBoard status;
    EXPECT_EQ(status.caption(), QStringLiteral("温度と気圧"));
    EXPECT_TRUE(status.set(StatusSource::Files, QStringLiteral("校正ファイルがありません: KION.CSV")));
    EXPECT_TRUE(status.set(StatusSource::Port, QStringLiteral("ぽるか未接続")));
    EXPECT_FALSE(status.set(StatusSource::Port, QStringLiteral("ぽるか未接続")));
    EXPECT_EQ(status.caption(),
              QStringLiteral("温度と気圧（ぽるか未接続）（校正ファイルがありません: KION.CSV）"));
    EXPECT_TRUE(status.set(StatusSource::Port, QString()));
    EXPECT_EQ(status.brackets(), QStringLiteral("（校正ファイルがありません: KION.CSV）"));
}
