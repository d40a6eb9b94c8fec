#include "files/CalibrationTables.h"
#include "files/CalibrationValues.h"

#include "support/FileTestFolder.h"
#include "support/TestPaths.h"

namespace {

const QString kLiquidProgress = QStringLiteral("液温データを読みこみます。");
const QString kLiquidShortage = QStringLiteral("液温データが足りません！");
const QString kAirProgress = QStringLiteral("気温データを読みこみます。");
const QString kAirShortage = QStringLiteral("気温データが足りません！");
const QString kPressure1Progress = QStringLiteral("気圧データ(1hpaごと)を読みこみます。");
const QString kPressure2Progress = QStringLiteral("気圧データ(2hpaごと)を読みこみます。");
const QString kPressure2Shortage = QStringLiteral("気圧データ(2hpaごと)が足りません！");

CalibrationTable TableOf(const QList<int>& values)
{
    CalibrationTable table{};
    for (qsizetype i = 0; i < values.size() && i < kTableSize; ++i)
        table[static_cast<size_t>(i)] = static_cast<int16_t>(values[i]);
    return table;
}

struct Read {
    CalibrationTable table{};
    int16_t error = 0;
};

Read ReadText(const QByteArray& content)
{
    Read read;
    ReadCalibrationValues(content, read.table, read.error);
    return read;
}

} // namespace

TEST(LoadCalibrationTables, FillsTheFourTablesInOrderWithProgressLines)
{
    FileTestFolder f;
    f.Write("EKION.CSV", TableFile(Ramp(-10, 256)));
    f.Write("KION.CSV", TableFile(Ramp(-20, 256), "\r\n"));
    f.Write("VORUM1.CSV", TableFile(Ramp(885, 256)));
    f.Write("VORUM2.CSV", TableFile(Ramp(757, 256, 2)));
    EXPECT_EQ(LoadCalibrationTables(f.state, f.surface, f.dir()), QStringList());
    EXPECT_EQ(f.state.LiquidTemperatureTable, TableOf(Ramp(-10, 256)));
    EXPECT_EQ(f.state.AirTemperatureTable, TableOf(Ramp(-20, 256)));
    EXPECT_EQ(f.state.Pressure1Table, TableOf(Ramp(885, 256)));
    EXPECT_EQ(f.state.Pressure2Table, TableOf(Ramp(757, 256, 2)));
    EXPECT_EQ(f.state.FileError, 0);
    f.ExpectPrinted({kLiquidProgress, kAirProgress, kPressure1Progress, kPressure2Progress});
}

TEST(LoadCalibrationTables, MissingFilesAreSilentAndLeaveZeros)
{
    FileTestFolder f;
    EXPECT_EQ(LoadCalibrationTables(f.state, f.surface, f.dir()),
              QStringList({"EKION.CSV", "KION.CSV", "VORUM1.CSV", "VORUM2.CSV"}));
    EXPECT_EQ(f.state.LiquidTemperatureTable, CalibrationTable{});
    EXPECT_EQ(f.state.Pressure2Table, CalibrationTable{});
    f.ExpectPrinted({});
}

TEST(LoadCalibrationTables, ShortFileShowsItsShortageAndDoesNotAffectTheNext)
{
    FileTestFolder f;
    f.Write("EKION.CSV", TableFile(Ramp(1, 200)));
    f.Write("KION.CSV", "");   // empty: not even a header
    f.Write("VORUM1.CSV", TableFile(Ramp(900, 256)));
    f.Write("VORUM2.CSV", "only a header\r\n");
    EXPECT_EQ(LoadCalibrationTables(f.state, f.surface, f.dir()), QStringList());   // short is not missing
    EXPECT_EQ(f.state.LiquidTemperatureTable, TableOf(Ramp(1, 200)));
    EXPECT_EQ(f.state.LiquidTemperatureTable[200], 0);
    EXPECT_EQ(f.state.AirTemperatureTable, CalibrationTable{});
    EXPECT_EQ(f.state.Pressure1Table, TableOf(Ramp(900, 256)));
    EXPECT_EQ(f.state.Pressure2Table, CalibrationTable{});
    EXPECT_NE(f.state.FileError, 0);   // the last file's failure stays
    f.ExpectPrinted({kLiquidProgress, kLiquidShortage, kAirProgress, kAirShortage,
                     kPressure1Progress, kPressure2Progress, kPressure2Shortage});
}

TEST(LoadCalibrationTables, HostileFilesShowTheirShortageAndNeverStopTheLoading)
{
    FileTestFolder f;
    f.Write("EKION.CSV", QByteArray("\0\0\0\n\0", 5));
    f.Write("KION.CSV", "h\n" + QByteArray(1 << 20, '7'));
    QByteArray extremes = "h\n99999\n-99999\n";
    for (int i = 2; i < 256; ++i)
        extremes += "10\n";
    f.Write("VORUM1.CSV", extremes);
    f.Write("VORUM2.CSV", TableFile(Ramp(700, 256)));
    LoadCalibrationTables(f.state, f.surface, f.dir());
    EXPECT_EQ(f.state.LiquidTemperatureTable, CalibrationTable{});
    EXPECT_EQ(f.state.AirTemperatureTable, CalibrationTable{});
    EXPECT_EQ(f.state.Pressure1Table[0], 0);
    EXPECT_EQ(f.state.Pressure1Table[1], 0);
    EXPECT_EQ(f.state.Pressure1Table[2], 10);
    EXPECT_EQ(f.state.Pressure2Table, TableOf(Ramp(700, 256)));
    EXPECT_EQ(f.state.FileError, 0);
    f.ExpectPrinted({kLiquidProgress, kLiquidShortage, kAirProgress, kAirShortage, kPressure1Progress,
                     QStringLiteral("気圧データ(1hpaごと)が足りません！"), kPressure2Progress});
}

TEST(LoadCalibrationTables, NamesDifferingOnlyInCaseAreFound)
{
    FileTestFolder f;
    f.Write("ekion.csv", TableFile(Ramp(3, 256)));
    LoadCalibrationTables(f.state, f.surface, f.dir());
    EXPECT_EQ(f.state.LiquidTemperatureTable, TableOf(Ramp(3, 256)));
}

TEST(LoadCalibrationTables, FolderInPlaceOfAFileIsLikeAMissingFile)
{
    FileTestFolder f;
    ASSERT_TRUE(f.dir().mkdir(QStringLiteral("EKION.CSV")));
    f.Write("KION.CSV", TableFile(Ramp(0, 256)));
    LoadCalibrationTables(f.state, f.surface, f.dir());
    f.ExpectPrinted({kAirProgress});
}

TEST(LoadCalibrationTables, TheSampleFilesLoadWholeAndRising)
{
    FileTestFolder f;
    LoadCalibrationTables(f.state, f.surface, QDir(SourcePath("/data")));
    f.ExpectPrinted({kLiquidProgress, kAirProgress, kPressure1Progress, kPressure2Progress});
    const auto rising = [](const CalibrationTable& t) { return std::is_sorted(t.begin(), t.end()); };
    EXPECT_TRUE(rising(f.state.LiquidTemperatureTable));
    EXPECT_TRUE(rising(f.state.AirTemperatureTable));
    EXPECT_TRUE(rising(f.state.Pressure1Table));
    EXPECT_TRUE(rising(f.state.Pressure2Table));
    EXPECT_EQ(f.state.LiquidTemperatureTable.front(), -10);
    EXPECT_EQ(f.state.LiquidTemperatureTable.back(), 100);
    EXPECT_EQ(f.state.AirTemperatureTable.back(), 50);
    EXPECT_EQ(f.state.Pressure1Table[128], 1013);
    EXPECT_EQ(f.state.Pressure2Table[128], 1013);
    EXPECT_EQ(f.state.Pressure2Table[129] - f.state.Pressure2Table[128], 2);
}

TEST(ReadCalibrationValues, HeaderIsDiscardedWhateverItHolds)
{
    // A first line of values is taken as the header: everything shifts and the end runs short.
    const Read shifted = ReadText(TableFile(Ramp(0, 256)).sliced(7));   // drop "header\n"
    EXPECT_EQ(shifted.table[0], 1);
    EXPECT_EQ(shifted.table[254], 255);
    EXPECT_EQ(shifted.table[255], 0);
    EXPECT_EQ(shifted.error, kFileErrorPastEnd);

    // An empty header line, and a header of a lone CR, each count as the header.
    EXPECT_EQ(ReadText("\n" + TableFile(Ramp(5, 256)).sliced(7)).table, TableOf(Ramp(5, 256)));
    EXPECT_EQ(ReadText("\r" + TableFile(Ramp(5, 256)).sliced(7)).table, TableOf(Ramp(5, 256)));
}

TEST(ReadCalibrationValues, SeparatorsMayBeCommasLineBreaksBlanksInAnyMix)
{
    const CalibrationTable expected = TableOf(Ramp(-100, 256));
    QByteArray oneLine = "h\n";
    QByteArray pairs = "h\r\n";
    QByteArray spaced = "h\n\n";
    for (int i = 0; i < 256; ++i) {
        const QByteArray v = QByteArray::number(i - 100);
        oneLine += v + (i < 255 ? "," : "");
        pairs += v + (i % 2 ? "\r\n" : " ,\t");
        spaced += "  " + v + " \n\n";
    }
    EXPECT_EQ(ReadText(oneLine).table, expected);
    EXPECT_EQ(ReadText(pairs).table, expected);
    EXPECT_EQ(ReadText(spaced).table, expected);
    EXPECT_EQ(ReadText(spaced).error, 0);
    // Two columns (byte, value) are read as values one after the other.
    EXPECT_EQ(ReadText("b,v\n0,7\n1,8\n").table[1], 7);
}

TEST(ReadCalibrationValues, MoreThan256ValuesUseTheFirst256)
{
    const Read read = ReadText(TableFile(Ramp(0, 300)) + QByteArray(1 << 20, 'x'));
    EXPECT_EQ(read.table, TableOf(Ramp(0, 256)));
    EXPECT_EQ(read.error, 0);
}

TEST(ReadCalibrationValues, ValuesThatCannotBeStoredKeepTheirEntryAndReportIt)
{
    CalibrationTable table{};
    table.fill(7);
    int16_t error = 0;
    QByteArray text = "h\n99999\n-99999\nabc\n12abc\n-\n";
    for (int i = 5; i < 256; ++i)
        text += "1\n";
    ReadCalibrationValues(text, table, error);
    EXPECT_EQ(table[0], 7);
    EXPECT_EQ(table[1], 7);
    EXPECT_EQ(table[2], 7);
    EXPECT_EQ(table[3], 7);
    EXPECT_EQ(table[4], 7);
    EXPECT_EQ(table[5], 1);   // the values after them stay in step
    EXPECT_EQ(table[255], 1);
    EXPECT_EQ(error, kFileErrorNotANumber);
}

TEST(ReadCalibrationValues, NulBytesAndAHugeLineDoNotStopTheReading)
{
    QByteArray text = "h\n" + QByteArray(1 << 20, '5') + "\n" + QByteArray("1\0" "2\n3\n", 6);
    const Read read = ReadText(text);
    EXPECT_EQ(read.table[0], 0);   // a million digits is beyond 16 bits
    EXPECT_EQ(read.table[1], 0);   // "1\02" is no number
    EXPECT_EQ(read.table[2], 3);
    EXPECT_EQ(read.error, kFileErrorPastEnd);
}

TEST(ParseCalibrationValue, WholeDecimalAndBadValues)
{
    EXPECT_EQ(ParseCalibrationValue("25").value, 25);
    EXPECT_EQ(ParseCalibrationValue("+25").value, 25);
    EXPECT_EQ(ParseCalibrationValue("-32768").value, -32768);
    EXPECT_EQ(ParseCalibrationValue("32767").value, 32767);
    EXPECT_EQ(ParseCalibrationValue("007").value, 7);
    // Decimals round to the nearest whole number, halves to even.
    EXPECT_EQ(ParseCalibrationValue("21.4").value, 21);
    EXPECT_EQ(ParseCalibrationValue("21.5").value, 22);
    EXPECT_EQ(ParseCalibrationValue("22.5").value, 22);
    EXPECT_EQ(ParseCalibrationValue("-0.4").value, 0);
    EXPECT_EQ(ParseCalibrationValue("1.013e3").value, 1013);
    EXPECT_EQ(ParseCalibrationValue(".5").value, 0);
    // Beyond 16 bits.
    EXPECT_EQ(ParseCalibrationValue("32768").error, kFileErrorOverflow);
    EXPECT_EQ(ParseCalibrationValue("32767.5").error, kFileErrorOverflow);
    EXPECT_EQ(ParseCalibrationValue("-99999").error, kFileErrorOverflow);
    EXPECT_EQ(ParseCalibrationValue("1e400").error, kFileErrorOverflow);
    // Not numbers.
    for (const char* text : {"", "-", ".", "1.2.3", "1e", "nan", "inf", "0x10", "12abc", "１２", "1,5"})
        EXPECT_EQ(ParseCalibrationValue(text).error, kFileErrorNotANumber) << text;
}
