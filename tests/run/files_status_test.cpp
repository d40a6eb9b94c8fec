// The caption names what start-up could not read, for as long as the program runs.

#include "run/FilesStatus.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

TEST(FilesStatus, NamesTheMissingTablesAndTheLineWhereReadingStopped)
{
    EXPECT_EQ(FilesStatusText({}, std::nullopt), QString());
    EXPECT_EQ(FilesStatusText({"KION.CSV"}, std::nullopt), QStringLiteral("校正ファイルがありません: KION.CSV"));
    EXPECT_EQ(FilesStatusText({}, 3), QStringLiteral("VORUM.TXT の 3 行目で読み込みを止めました"));
    EXPECT_EQ(FilesStatusText({"EKION.CSV", "VORUM2.CSV"}, 12),
              QStringLiteral("校正ファイルがありません: EKION.CSV、VORUM2.CSV　VORUM.TXT の 12 行目で読み込みを止めました"));
}

TEST(FilesStatus, StartUpPutsItInTheCaption)
{
    TestWindow test;
    for (const char* name : {"EKION.CSV", "VORUM1.CSV", "VORUM2.CSV"})
        test.WriteFile(name, "header\n");
    test.WriteFile("VORUM.TXT", "Max=50\n'comment\nOndokeiEki=99\nMin=5\n");
    test.window->Form_Load();
    EXPECT_EQ(test.window->windowTitle(),
              QStringLiteral("温度と気圧（校正ファイルがありません: KION.CSV　VORUM.TXT の 3 行目で読み込みを止めました）"));

    TestWindow complete;
    for (const char* name : {"EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV"})
        complete.WriteFile(name, "header\n");
    complete.window->Form_Load();
    EXPECT_EQ(complete.window->windowTitle(), QStringLiteral("温度と気圧"));
}
