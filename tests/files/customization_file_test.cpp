#include "files/CustomizationFile.h"
#include "files/ReadLeadingNumber.h"
#include "files/SelectTables.h"
#include "render/Palette.h"

#include "support/FileTestFolder.h"
#include "support/TestPaths.h"

namespace {

const QString kReading = QStringLiteral("カスタマイズファイル(Vorum.txt) 読み込み中");
const QString kDone = QStringLiteral("設定終了");

struct Loaded : FileTestFolder {
    explicit Loaded(const QByteArray& file)
    {
        Write("VORUM.TXT", file);
        stoppedAt = LoadCustomizationFile(state, surface, dir());
    }
    std::optional<int> stoppedAt;
};

// Field f of entry e of a table.
int16_t Field(const AlertTable& alerts, int f, int e)
{
    return alerts[static_cast<size_t>(f)][static_cast<size_t>(e)];
}

} // namespace

TEST(ReadLeadingNumber, DigitsAndMinusSignsAsFarAsTheyFormANumber)
{
    EXPECT_EQ(ReadLeadingNumber(u"35 remark"), 35);
    EXPECT_EQ(ReadLeadingNumber(u"5-3"), 5);
    EXPECT_EQ(ReadLeadingNumber(u"-5-3"), -5);
    EXPECT_EQ(ReadLeadingNumber(u""), 0);
    EXPECT_EQ(ReadLeadingNumber(u"-"), 0);
    EXPECT_EQ(ReadLeadingNumber(u"--5"), 0);
    EXPECT_EQ(ReadLeadingNumber(u" 35"), 0);
    EXPECT_EQ(ReadLeadingNumber(u"+5"), 0);
    EXPECT_EQ(ReadLeadingNumber(u"3.7"), 3);
    EXPECT_EQ(ReadLeadingNumber(u"00000000000000000000012"), 12);
    EXPECT_EQ(ReadLeadingNumber(u"-32768"), -32768);
    EXPECT_EQ(ReadLeadingNumber(u"32767"), 32767);
    EXPECT_EQ(ReadLeadingNumber(u"32768"), std::nullopt);
    EXPECT_EQ(ReadLeadingNumber(u"-32769"), std::nullopt);
    EXPECT_EQ(ReadLeadingNumber(u"99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ReadLeadingNumber(u"１２"), 0);   // full-width digits are no digits
}

TEST(LoadCustomizationFile, WithoutAFileEveryDefaultStandsAndOnlyTheLastLineShows)
{
    FileTestFolder f;
    f.state.LiquidTemperatureTable.fill(25);
    f.state.Pressure1Table.fill(1013);
    f.state.AirTemperatureTable.fill(-3);
    f.state.MinuteToggle = 1;
    LoadCustomizationFile(f.state, f.surface, f.dir());
    const ProgramState& s = f.state;
    EXPECT_EQ(s.TemperatureProbe, -1);
    EXPECT_EQ(s.ThermometerAuto, -1);
    EXPECT_EQ(s.ThermometerMax, 100);
    EXPECT_EQ(s.ThermometerMin, -10);
    EXPECT_EQ(s.PressureStep, 1);
    EXPECT_EQ(s.BarometerAuto, -1.0f);
    EXPECT_EQ(s.BarometerMax, 1200);
    EXPECT_EQ(s.BarometerMin, 800);
    EXPECT_EQ(s.MinuteMode, 1);
    EXPECT_EQ(s.PortNumber, 1);
    EXPECT_EQ(s.MinuteToggle, 0);
    EXPECT_EQ(s.RequestF2, 0xF2);
    EXPECT_EQ(s.RequestF3, 0xF3);
    const std::array<QRgb, 13> colours = {
        s.ThermometerTickColor, s.ThermometerGlassColor, s.ThermometerFrameColor,
        s.ThermometerLiquidColor, s.ThermometerTextColor, s.BarometerTickColor,
        s.BarometerGlassColor, s.BarometerFrameColor, s.BarometerLiquidColor,
        s.BarometerTextColor, s.GraphBackColor, s.GraphTickColor, s.GraphAxisTextColor};
    const std::array<int, 13> indexes = {15, 15, 0, 12, 15, 15, 15, 0, 9, 15, 6, 0, 15};
    for (size_t i = 0; i < colours.size(); ++i)
        EXPECT_EQ(colours[i], kPalette[static_cast<size_t>(indexes[i])]) << "colour " << i;
    // The liquid and 1 hPa tables are active, whatever the probe says.
    EXPECT_EQ(s.TemperatureTable, s.LiquidTemperatureTable);
    EXPECT_EQ(s.PressureTable, s.Pressure1Table);
    EXPECT_EQ(s.TemperatureAlertCount, 0);
    EXPECT_EQ(s.PressureAlertCount, 0);
    f.ExpectPrinted({kDone});
}

TEST(LoadCustomizationFile, LimitsFollowTheirRangeRules)
{
    Loaded a("max=130\nMin=-50\nMax2=700\nMin2=650\n");
    EXPECT_EQ(a.state.ThermometerMax, 120);
    EXPECT_EQ(a.state.ThermometerMin, -30);
    EXPECT_EQ(a.state.BarometerMax, 800);
    EXPECT_EQ(a.state.BarometerMin, 700);
    a.ExpectPrinted({kReading, kDone});

    Loaded b("Min=200\nMin2=1150\nMax2=1300\nMax=-31\n");
    EXPECT_EQ(b.state.ThermometerMin, 120);
    EXPECT_EQ(b.state.BarometerMin, 1100);
    EXPECT_EQ(b.state.BarometerMax, 1200);
    EXPECT_EQ(b.state.ThermometerMax, -30);
}

TEST(LoadCustomizationFile, SwitchesAndNumbersAreStoredAsWritten)
{
    Loaded a("Zidou=1\nKion=1\nVorum=5\nZidou2=0\nPort=3\nZikan=0\n");
    EXPECT_EQ(a.state.ThermometerAuto, 1);
    EXPECT_EQ(a.state.TemperatureProbe, 1);
    EXPECT_EQ(a.state.PressureStep, 5);
    EXPECT_EQ(a.state.BarometerAuto, 0.0f);
    EXPECT_EQ(a.state.PortNumber, 3);
    EXPECT_EQ(a.state.MinuteMode, 0);
    // The probe and sensitivity keys do not change the active tables.
    EXPECT_EQ(a.state.TemperatureTable, a.state.LiquidTemperatureTable);

    EXPECT_EQ(Loaded("Zikan=2\n").state.MinuteMode, 0);
    EXPECT_EQ(Loaded("Zikan=1\n").state.MinuteMode, 1);
    EXPECT_EQ(Loaded("Max=35 degrees\n").state.ThermometerMax, 35);
    EXPECT_EQ(Loaded("Max= 35\n").state.ThermometerMax, 0);
    EXPECT_EQ(Loaded("Max=5-3\n").state.ThermometerMax, 5);
}

TEST(LoadCustomizationFile, KeysIgnoreCaseAndIndentButNotABlankBeforeTheEquals)
{
    Loaded a("   grphback=2\n\tVorumedaMemori=4\n");
    EXPECT_EQ(a.state.GraphBackColor, kPalette[2]);
    EXPECT_EQ(a.state.BarometerTickColor, kPalette[4]);
    EXPECT_EQ(Loaded("GrphBack =2\n").state.GraphBackColor, kPalette[6]);
}

TEST(LoadCustomizationFile, BadColourIndexStopsLaterLines)
{
    Loaded a("Max=50\nOndokeiEki=16\nMin=5\nU30\nmessage\n");
    EXPECT_EQ(a.state.ThermometerMax, 50);
    EXPECT_EQ(a.state.ThermometerLiquidColor, kPalette[12]);
    EXPECT_EQ(a.state.ThermometerMin, -10);
    EXPECT_EQ(a.state.TemperatureAlertCount, 0);
    a.ExpectPrinted({kReading, kDone});
    EXPECT_EQ(a.stoppedAt, 2);
    EXPECT_EQ(Loaded("OndokeiEki=-1\nMin=5\n").state.ThermometerMin, -10);
}

TEST(LoadCustomizationFile, NumberBeyond16BitsKeepsTheValueAndStopsLaterLines)
{
    Loaded a("Max=50\nMax=99999\nMin=5\n");
    EXPECT_EQ(a.state.ThermometerMax, 50);
    EXPECT_EQ(a.stoppedAt, 2);
    EXPECT_EQ(a.state.ThermometerMin, -10);
    EXPECT_EQ(Loaded("Max=-99999\n").state.ThermometerMax, 100);
    EXPECT_EQ(Loaded("Port=-32768\n").state.PortNumber, -32768);
    // The interval becomes the minute interval, and still nothing later counts.
    Loaded b("Zikan=0\nZikan=70000\nZikan=0\n");
    EXPECT_EQ(b.state.MinuteMode, 1);
}

TEST(LoadCustomizationFile, AlertLinesFillEntriesAndPrintTheirDigits)
{
    Loaded a("KU1013T5C255\n気圧が上がった\nU30T10C255\nお湯が30℃\nD-5\ncold\n"
             "U25.5T10\nhalf\nKion =5\nswallowed\n");
    const ProgramState& s = a.state;
    ASSERT_EQ(s.PressureAlertCount, 2);
    EXPECT_EQ(Field(s.PressureAlerts, 0, 0), -1);
    EXPECT_EQ(Field(s.PressureAlerts, 1, 0), 10130);
    EXPECT_EQ(Field(s.PressureAlerts, 2, 0), 5);
    EXPECT_EQ(Field(s.PressureAlerts, 3, 0), 255);
    EXPECT_EQ(s.PressureAlertTexts[0], QStringLiteral("気圧が上がった"));
    // "Kion =5" is no setting: a falling pressure alert whose threshold begins after "KI".
    EXPECT_EQ(Field(s.PressureAlerts, 0, 1), 0);
    EXPECT_EQ(Field(s.PressureAlerts, 1, 1), 0);
    EXPECT_EQ(s.PressureAlertTexts[1], QStringLiteral("swallowed"));

    ASSERT_EQ(s.TemperatureAlertCount, 3);
    EXPECT_EQ(Field(s.TemperatureAlerts, 1, 0), 3000);
    EXPECT_EQ(Field(s.TemperatureAlerts, 2, 0), 10);
    EXPECT_EQ(s.TemperatureAlertTexts[0], QStringLiteral("お湯が30℃"));
    EXPECT_EQ(Field(s.TemperatureAlerts, 0, 1), 0);
    EXPECT_EQ(Field(s.TemperatureAlerts, 1, 1), -500);
    EXPECT_EQ(Field(s.TemperatureAlerts, 2, 1), 0);
    EXPECT_EQ(Field(s.TemperatureAlerts, 3, 1), 0);
    // A decimal point ends the line's reading: no display time.
    EXPECT_EQ(Field(s.TemperatureAlerts, 1, 2), 2500);
    EXPECT_EQ(Field(s.TemperatureAlerts, 2, 2), 0);
    a.ExpectPrinted({kReading, "1013", "30", "-5", "25", "", kDone});
}

TEST(LoadCustomizationFile, ColourWithoutDisplayTimeAndTimeAfterColour)
{
    Loaded a("U1C12T5\nm\nDT\nm\n");
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 1, 0), 100);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 3, 0), 12);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 2, 0), 0);   // "T" after "C" is not read
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 1, 1), 0);
    EXPECT_EQ(a.state.TemperatureAlertCount, 2);
}

TEST(LoadCustomizationFile, ThirtyTwoAlertsKeepTheFirst30AndTheLast)
{
    QByteArray file;
    for (int i = 1; i <= 32; ++i)
        file += "U" + QByteArray::number(i) + (i == 31 ? "T9C99" : "") + "\nm" + QByteArray::number(i) + "\n";
    Loaded a(file);
    const ProgramState& s = a.state;
    EXPECT_EQ(s.TemperatureAlertCount, 30);
    EXPECT_EQ(Field(s.TemperatureAlerts, 1, 29), 3000);
    EXPECT_EQ(s.TemperatureAlertTexts[29], QStringLiteral("m30"));
    EXPECT_EQ(Field(s.TemperatureAlerts, 1, 30), 3200);
    EXPECT_EQ(s.TemperatureAlertTexts[30], QStringLiteral("m32"));
    // The last entry is the last line as a whole, without the 31st line's time and colour.
    EXPECT_EQ(Field(s.TemperatureAlerts, 2, 30), 0);
    EXPECT_EQ(Field(s.TemperatureAlerts, 3, 30), 0);
    EXPECT_TRUE(s.TemperatureAlertEntry30Used);
    EXPECT_FALSE(s.PressureAlertEntry30Used);
}

TEST(LoadCustomizationFile, ExactlyThirtyAlertsLeaveTheLastEntryUnused)
{
    QByteArray file;
    for (int i = 1; i <= 30; ++i)
        file += "KU" + QByteArray::number(1000 + i) + "\nm\n";
    Loaded a(file);
    EXPECT_EQ(a.state.PressureAlertCount, 30);
    EXPECT_FALSE(a.state.PressureAlertEntry30Used);
    file += "KU1100\nlast\n";
    EXPECT_TRUE(Loaded(file).state.PressureAlertEntry30Used);
}

TEST(LoadCustomizationFile, FortyPressureAlertsStayWithin30)
{
    QByteArray file;
    for (int i = 0; i < 40; ++i)
        file += "KD" + QByteArray::number(1000 + i) + "\nmessage\n";
    Loaded a(file);
    EXPECT_EQ(a.state.PressureAlertCount, 30);
    EXPECT_EQ(Field(a.state.PressureAlerts, 1, 30), 10390);
    EXPECT_EQ(a.state.TemperatureAlertCount, 0);
}

TEST(LoadCustomizationFile, AlertAsLastLineIsCountedWithAnEmptyMessage)
{
    Loaded a("U40T3");
    EXPECT_EQ(a.state.TemperatureAlertCount, 1);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 1, 0), 4000);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 2, 0), 3);
    EXPECT_TRUE(a.state.TemperatureAlertTexts[0].isEmpty());
    EXPECT_EQ(a.stoppedAt, std::nullopt);   // nothing was left unread
    Loaded b("Max=40\nU\n");
    EXPECT_EQ(b.state.TemperatureAlertCount, 1);
    b.ExpectPrinted({kReading, "", kDone});
}

TEST(LoadCustomizationFile, AlertPartsThatDoNotFitStopLaterLinesAfterTheMessage)
{
    // 400 °C is beyond 16 bits once scaled; the display time still counts, and the message.
    Loaded a("U400T7\ntoo hot\nMax=50\n");
    EXPECT_EQ(a.state.TemperatureAlertCount, 1);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 0, 0), -1);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 1, 0), 0);
    EXPECT_EQ(Field(a.state.TemperatureAlerts, 2, 0), 7);
    EXPECT_EQ(a.state.TemperatureAlertTexts[0], QStringLiteral("too hot"));
    EXPECT_EQ(a.state.ThermometerMax, 100);
    a.ExpectPrinted({kReading, "400", kDone});
    EXPECT_EQ(a.stoppedAt, 1);   // the alert line, not its message

    Loaded b("'comment\nKU1000T99999C5\nm\nMin=5\n");
    EXPECT_EQ(b.stoppedAt, 2);
    EXPECT_EQ(Field(b.state.PressureAlerts, 1, 0), 10000);
    EXPECT_EQ(Field(b.state.PressureAlerts, 2, 0), 0);
    EXPECT_EQ(Field(b.state.PressureAlerts, 3, 0), 5);
    EXPECT_EQ(b.state.ThermometerMin, -10);
    EXPECT_EQ(Loaded("KU3277\nm\n").state.PressureAlertCount, 1);
    EXPECT_EQ(Field(Loaded("KU3276\nm\n").state.PressureAlerts, 1, 0), 32760);
}

TEST(LoadCustomizationFile, WindowsFilesReadLikeUnixOnes)
{
    // CR LF line ends, a byte-order mark before the first key, lower-case name on disk.
    FileTestFolder f;
    f.Write("Vorum.txt", "\xEF\xBB\xBFMax=50\r\nU30\r\nお湯が30℃\r\n");
    LoadCustomizationFile(f.state, f.surface, f.dir());
    EXPECT_EQ(f.state.ThermometerMax, 50);
    EXPECT_EQ(f.state.TemperatureAlertTexts[0], QStringLiteral("お湯が30℃"));
}

TEST(LoadCustomizationFile, ShiftJisMessagesAreDecoded)
{
    // "温度が高い" in Shift_JIS, with CR LF.
    Loaded a("U30\r\n\x89\xb7\x93\x78\x82\xaa\x8d\x82\x82\xa2\r\nKD990\r\n\x8b\x43\x88\xb3\r\n");
    EXPECT_EQ(a.state.TemperatureAlertTexts[0], QStringLiteral("温度が高い"));
    EXPECT_EQ(a.state.PressureAlertTexts[0], QStringLiteral("気圧"));
}

TEST(LoadCustomizationFile, CommentsBlankLinesAndHostileBytesAreHarmless)
{
    Loaded a("'U30\n\n  ' Max=1\nX=5\n" + QByteArray("Min=\0" "7\n", 7) + QByteArray(1 << 20, 'U')
             + "\nmessage\nMax=60\n");
    EXPECT_EQ(a.state.ThermometerMin, 0);   // the value ends at the NUL byte
    EXPECT_EQ(a.state.TemperatureAlertCount, 1);
    EXPECT_EQ(a.state.TemperatureAlertTexts[0], QStringLiteral("message"));
    EXPECT_EQ(a.state.ThermometerMax, 60);
    EXPECT_EQ(a.stoppedAt, std::nullopt);

    Loaded empty("");
    empty.ExpectPrinted({kReading, kDone});
}

TEST(LoadCustomizationFile, TheSampleFileKeepsTheDefaultsButTheProbeAndDefinesTwoAlerts)
{
    FileTestFolder f;
    FileTestFolder defaults;
    EXPECT_EQ(LoadCustomizationFile(f.state, f.surface, QDir(SourcePath("/data"))),
              std::nullopt);
    LoadCustomizationFile(defaults.state, defaults.surface, defaults.dir());
    const ProgramState& s = f.state;
    const ProgramState& d = defaults.state;
    EXPECT_EQ(s.ThermometerMax, d.ThermometerMax);
    EXPECT_EQ(s.ThermometerMin, d.ThermometerMin);
    EXPECT_EQ(s.BarometerMax, d.BarometerMax);
    EXPECT_EQ(s.BarometerMin, d.BarometerMin);
    EXPECT_EQ(s.ThermometerAuto, d.ThermometerAuto);
    EXPECT_EQ(s.BarometerAuto, d.BarometerAuto);
    // The settings window opens with the probe whose table the readings start on, so that
    // closing it untouched does not switch tables in front of the class.
    ProgramState applied = s;
    applied.AirTemperatureTable.fill(25);
    applied.LiquidTemperatureTable.fill(62);
    applied.TemperatureTable = applied.LiquidTemperatureTable;   // as the readings start
    SelectTemperatureTable(applied);
    EXPECT_EQ(applied.TemperatureTable, applied.LiquidTemperatureTable);
    EXPECT_NE(s.TemperatureProbe, d.TemperatureProbe);
    EXPECT_EQ(s.PressureStep, d.PressureStep);
    EXPECT_EQ(s.MinuteMode, d.MinuteMode);
    EXPECT_EQ(s.PortNumber, d.PortNumber);
    EXPECT_EQ(s.ThermometerLiquidColor, d.ThermometerLiquidColor);
    EXPECT_EQ(s.GraphBackColor, d.GraphBackColor);
    EXPECT_EQ(s.GraphAxisTextColor, d.GraphAxisTextColor);
    ASSERT_EQ(s.TemperatureAlertCount, 1);
    ASSERT_EQ(s.PressureAlertCount, 1);
    EXPECT_EQ(Field(s.TemperatureAlerts, 0, 0), -1);
    EXPECT_EQ(Field(s.TemperatureAlerts, 1, 0), 5000);
    EXPECT_EQ(Field(s.PressureAlerts, 0, 0), 0);
    EXPECT_EQ(Field(s.PressureAlerts, 1, 0), 10000);
    EXPECT_TRUE(s.TemperatureAlertTexts[0].startsWith(QStringLiteral("お湯が50℃")));
    f.ExpectPrinted({kReading, "50", "1000", kDone});
}
