// Saving the recorded run as CSV and the pictures as PNG: the text built from the state, the
// files written through the main window's commands, and what the teacher sees when it fails.

#include "base/DateTime.h"
#include "features/ExportCommands.h"
#include "features/ExportFiles.h"
#include "render/Surface.h"
#include "render/SurfaceView.h"
#include "run/RunCsv.h"
#include "run/RunLog.h"
#include "support/Fakes.h"
#include "support/Pictures.h"
#include "support/TestPaths.h"
#include "widgets/CommandRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QString kHeader = QStringLiteral("番号,経過時間(秒),時刻,温度(℃),気圧(hPa),状態,警報");
const std::vector<SampleMoment> kNoMoments;

double MorningOfDecember7(int seconds = 20)
{
    return DateTimeValue(QDateTime(QDate(2026, 12, 7), QTime(9, 30, seconds)));
}

// The CSV split into rows of fields, without the byte-order mark and the line ends.
std::vector<QStringList> ReadRows(const QByteArray& csv)
{
    std::vector<QStringList> rows;
    const QString text = QString::fromUtf8(csv.mid(kBom.size()));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString& line : lines)
        if (!line.isEmpty())
            rows.push_back(line.split(QLatin1Char(',')));
    return rows;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

ExportCommands& Commands(TestWindow& test)
{
    return test.program->exportCommands();
}

// A run of varied values: warming water and slowly falling pressure, with a cold start.
void FillRun(ProgramState& state, int samples)
{
    for (int i = 0; i < kHistorySlots; ++i) {
        state.TemperatureHistory[i] = static_cast<float>(-250 + (i * 37) % 10300);
        state.PressureHistory[i] = static_cast<float>(10132 - (i % 400));
    }
    state.SampleCount = samples;
}

} // namespace

TEST(BuildSamplesCsv, EmptyRunIsByteOrderMarkAndHeaderOnly)
{
    ProgramState state;
    EXPECT_EQ(BuildSamplesCsv(state, kNoMoments, true), kBom + kHeader.toUtf8() + "\r\n");
    EXPECT_EQ(BuildSamplesCsv(state, kNoMoments, false), kBom + kHeader.toUtf8() + "\r\n");
}

// The moment of a sample taken on 2026-12-07 at the given time; tenths for the 0.1-s mode.
SampleMoment TakenAt(QTime time, bool tenths = false)
{
    return {QDateTime(QDate(2026, 12, 7), time), tenths, true, {}};
}

TEST(BuildSamplesCsv, TimeAndElapsedSecondsComeFromEachSlotsMoment)
{
    ProgramState state;
    state.MinuteMode = 1;
    state.StartTime = MorningOfDecember7();   // not used: each slot has its own moment
    state.SampleCount = 3;
    state.TemperatureHistory = {2300, 2345.6f, -50};
    state.PressureHistory = {10130, 10125, 9999};
    state.TemperatureHistory[3] = 9999;   // the next free slot is not part of the run
    // The third sample came after a pause of 25 minutes.
    const std::vector<SampleMoment> moments = {TakenAt(QTime(9, 30, 20)), TakenAt(QTime(9, 31, 20, 999)),
                                               TakenAt(QTime(9, 57, 21))};
    const auto rows = ReadRows(BuildSamplesCsv(state, moments, true));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].join(','), kHeader);
    EXPECT_EQ(rows[1].join(','), QStringLiteral("0,0,2026-12-07 09:30:20,23.00,1013.0,,"));
    EXPECT_EQ(rows[2].join(','), QStringLiteral("1,60,2026-12-07 09:31:20,23.46,1012.5,,"));
    EXPECT_EQ(rows[3].join(','), QStringLiteral("2,1621,2026-12-07 09:57:21,-0.50,999.9,,"));
}

TEST(BuildSamplesCsv, TenthSecondSamplesShowTenthsAndSlotsWithoutMomentStayEmpty)
{
    ProgramState state;
    state.MinuteMode = 0;
    state.SampleCount = 4;
    const std::vector<SampleMoment> moments = {TakenAt(QTime(6, 23, 4, 750), true),
                                               TakenAt(QTime(6, 23, 4, 849), true),
                                               TakenAt(QTime(6, 23, 5, 70), true)};
    const auto rows = ReadRows(BuildSamplesCsv(state, moments, true));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].join(','), QStringLiteral("0,0.0,2026-12-07 06:23:04.7,0.00,0.0,,"));
    EXPECT_EQ(rows[2][1] + ' ' + rows[2][2], QStringLiteral("0.1 2026-12-07 06:23:04.8"));
    EXPECT_EQ(rows[3][1] + ' ' + rows[3][2], QStringLiteral("0.3 2026-12-07 06:23:05.0"));
    EXPECT_EQ(rows[4].join(','), QStringLiteral("3,,,0.00,0.0,,"));   // never recorded here
    for (const QStringList& row : rows)
        EXPECT_EQ(row.size(), 7);
}

TEST(BuildSamplesCsv, MarksSamplesWithoutTheBoxAndQuotesAlertMessages)
{
    ProgramState state;
    state.SampleCount = 3;
    std::vector<SampleMoment> moments = {TakenAt(QTime(8, 0)), TakenAt(QTime(8, 1)), TakenAt(QTime(8, 2))};
    moments[1].answering = false;
    moments[2].alerts = {QStringLiteral("25℃をこえました"), QStringLiteral("気圧が\r\n下がりました, \"注意\"")};
    const QByteArray csv = BuildSamplesCsv(state, moments, true);
    const QStringList lines = QString::fromUtf8(csv.mid(kBom.size())).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 5);   // the header, three rows, nothing after the last line end
    EXPECT_EQ(lines[1], QStringLiteral("0,0,2026-12-07 08:00:00,0.00,0.0,,"));
    EXPECT_EQ(lines[2], QStringLiteral("1,60,2026-12-07 08:01:00,0.00,0.0,未接続,"));
    EXPECT_EQ(lines[3], QStringLiteral("2,120,2026-12-07 08:02:00,0.00,0.0,,"
                                       "\"25℃をこえました / 気圧が 下がりました, \"\"注意\"\"\""));
}

TEST(BuildSamplesCsv, ElapsedSecondsCrossMidnightAndMonthEnd)
{
    ProgramState state;
    state.MinuteMode = 1;
    state.SampleCount = 2;
    const std::vector<SampleMoment> moments = {
        {QDateTime(QDate(2026, 12, 31), QTime(23, 59, 30)), false, true, {}},
        {QDateTime(QDate(2027, 1, 1), QTime(0, 0, 30)), false, true, {}}};
    const auto rows = ReadRows(BuildSamplesCsv(state, moments, true));
    EXPECT_EQ(rows[2][1] + ' ' + rows[2][2], QStringLiteral("60 2027-01-01 00:00:30"));
}

TEST(ExportedSampleCount, TakesWhatTheGraphShowsWithoutTheOverwrittenCapSlot)
{
    ProgramState state;
    // Recording: slot SampleCount is the next free one.
    state.SampleCount = 10;
    EXPECT_EQ(ExportedSampleCount(state, true), 10);
    // Stopped after 10 samples: SampleCount was stepped back to 9, slot 9 still holds the
    // tenth sample and the whole-run graph shows it.
    state.SampleCount = 9;
    EXPECT_EQ(ExportedSampleCount(state, false), 10);
    // Stopped with SampleCount 0 the graph is empty, and so is the file.
    state.SampleCount = 0;
    EXPECT_EQ(ExportedSampleCount(state, false), 0);
    // At the cap, slot 12000 is overwritten by every later sample: never exported.
    state.SampleCount = 12000;
    EXPECT_EQ(ExportedSampleCount(state, true), 12000);
    EXPECT_EQ(ExportedSampleCount(state, false), 12000);
    state.SampleCount = 11999;
    EXPECT_EQ(ExportedSampleCount(state, true), 11999);
    EXPECT_EQ(ExportedSampleCount(state, false), 12000);
    for (double odd : {-3.0, std::nan(""), -1e300}) {
        state.SampleCount = odd;
        EXPECT_EQ(ExportedSampleCount(state, true), 0);
        EXPECT_EQ(ExportedSampleCount(state, false), 0);
    }
    state.SampleCount = 1e9;
    EXPECT_EQ(ExportedSampleCount(state, true), 12000);
}

TEST(BuildSamplesCsv, StoppedRunKeepsTheSampleTheStopSteppedBackOver)
{
    ProgramState state;
    state.MinuteMode = 1;
    state.TemperatureHistory = {2000, 2100, 2200};
    state.PressureHistory = {10130, 10131, 10132};
    state.SampleCount = 2;   // three samples, then Stop
    const std::vector<SampleMoment> moments = {TakenAt(QTime(9, 30)), TakenAt(QTime(9, 31)),
                                               TakenAt(QTime(9, 32))};
    const auto rows = ReadRows(BuildSamplesCsv(state, moments, false));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[3].join(','), QStringLiteral("2,120,2026-12-07 09:32:00,22.00,1013.2,,"));
}

TEST(HistoryValueText, WritesRecordedUnitsWithFixedDecimals)
{
    EXPECT_EQ(HistoryValueText(2300, 2), QStringLiteral("23.00"));
    EXPECT_EQ(HistoryValueText(2345.6f, 2), QStringLiteral("23.46"));
    EXPECT_EQ(HistoryValueText(-5, 2), QStringLiteral("-0.05"));
    EXPECT_EQ(HistoryValueText(-0.4f, 2), QStringLiteral("0.00"));   // no "-0.00"
    EXPECT_EQ(HistoryValueText(10132, 1), QStringLiteral("1013.2"));
    EXPECT_EQ(HistoryValueText(0, 1), QStringLiteral("0.0"));
    EXPECT_EQ(HistoryValueText(std::nanf(""), 2), QString());
    EXPECT_EQ(HistoryValueText(INFINITY, 1), QString());
    EXPECT_EQ(HistoryValueText(3e38f, 1).indexOf(QLatin1Char('.')), 38);   // plain digits, no "e+37"
}

TEST(SuggestedExportName, NamesTheFileAfterDateAndMinute)
{
    EXPECT_EQ(SuggestedExportName(MorningOfDecember7(), QStringLiteral("csv")),
              QStringLiteral("poruka-2026-12-07-0930.csv"));
}

TEST(ExportCommands, SuggestsStartOfRunInMinuteModeAndNowOtherwise)
{
    TestWindow test;
    test.window->state().MinuteMode = 1;
    test.window->state().StartTime = MorningOfDecember7();
    EXPECT_TRUE(Commands(test).SuggestedPath(QStringLiteral("csv"))
                    .endsWith(QStringLiteral("/poruka-2026-12-07-0930.csv")));
    test.window->state().MinuteMode = 0;
    test.clock->now = DateTimeValue(QDateTime(QDate(2027, 2, 3), QTime(14, 5)));
    EXPECT_TRUE(Commands(test).SuggestedPath(QStringLiteral("png"))
                    .endsWith(QStringLiteral("/poruka-2027-02-03-1405.png")));
}

TEST(ExportCommands, FullRunReadsBackValueForValue)
{
    TestWindow test;
    ProgramState& state = test.window->state();
    state.MinuteMode = 0;
    FillRun(state, 12000);
    state.TemperatureHistory[12000] = 7777;   // the overwritten cap slot is not exported
    test.window->Start->setText(QString::fromUtf8(Poruka::kStopCaption));   // still recording
    const QString path = test.folder.filePath(QStringLiteral("run.csv"));
    test.questions->saveNames.push_back(path);

    Commands(test).saveDataAction()->trigger();

    const QByteArray csv = ReadFile(path);
    ASSERT_TRUE(csv.startsWith(kBom));
    const auto rows = ReadRows(csv);
    ASSERT_EQ(rows.size(), 12001u);
    EXPECT_EQ(rows[0].join(','), kHeader);
    for (int i = 0; i < 12000; ++i) {
        const QStringList& row = rows[i + 1];
        ASSERT_EQ(row.size(), 7) << "row " << i;
        EXPECT_EQ(row[0].toInt(), i);
        // Filled in directly, not recorded: no moment is known, so no time is made up.
        EXPECT_TRUE(row[1].isEmpty());
        EXPECT_TRUE(row[2].isEmpty());
        EXPECT_NEAR(row[3].toDouble(), state.TemperatureHistory[i] / 100.0, 1e-9) << "row " << i;
        EXPECT_NEAR(row[4].toDouble(), state.PressureHistory[i] / 10.0, 1e-9) << "row " << i;
    }
    EXPECT_TRUE(test.questions->shown.empty());
}

TEST(ExportCommands, SavingWhileRecordingLeavesTheRunGoing)
{
    TestWindow test;
    Poruka& window = *test.window;
    window.state().MinuteMode = 0;
    FillRun(window.state(), 42);
    window.Start->setText(QString::fromUtf8(Poruka::kStopCaption));
    window.Timer2->start(100);
    test.questions->saveNames = {test.folder.filePath(QStringLiteral("live.csv")),
                                 test.folder.filePath(QStringLiteral("live.png"))};

    Commands(test).SaveDataAsCsv();
    Commands(test).SaveGraphAsPicture();

    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_EQ(window.Timer2->interval(), 100);
    EXPECT_EQ(window.state().SampleCount, 42);
    EXPECT_TRUE(window.RunActive());
    EXPECT_EQ(ReadRows(ReadFile(test.folder.filePath(QStringLiteral("live.csv")))).size(), 43u);
    EXPECT_TRUE(QFile::exists(test.folder.filePath(QStringLiteral("live.png"))));
}

TEST(ExportCommands, PictureHoldsTheThreePicturesPixelForPixel)
{
    TestWindow test;
    Surface& surface = test.window->surface();
    surface.FilledBox(10, 20, 60, 380, qRgb(255, 0, 0));     // thermometer's place
    surface.Line(70, 50, 400, 300, qRgb(0, 0, 255));          // graph's place
    surface.FilledBox(440, 10, 500, 399, qRgb(0, 128, 0));    // barometer up to the edge
    surface.FilledBox(501, 0, 528, 424, qRgb(255, 255, 0));   // beyond the pictures
    const QString path = test.folder.filePath(QStringLiteral("graph"));   // no suffix typed
    test.questions->saveNames.push_back(path);

    Commands(test).SaveGraphAsPicture();

    QImage saved(path + QStringLiteral(".png"));
    ASSERT_FALSE(saved.isNull());
    ASSERT_EQ(saved.size(), QSize(501, 400 + kCaptionHeight));
    const QImage expected = surface.image().copy(0, 0, 501, 400);
    int differing = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 501; ++x)
            differing += saved.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(saved.pixel(500, 399), qRgb(0, 128, 0));
    // The strip below names the curves in the colours the run draws them in.
    const ProgramState& state = test.window->state();
    const QImage caption = GraphPicture(surface, {RunSpanText({}, 0, DateTimeFromValue(test.clock->Now())), state.ThermometerLiquidColor, state.BarometerLiquidColor});
    EXPECT_EQ(saved.copy(0, 400, 501, kCaptionHeight), caption.copy(0, 400, 501, kCaptionHeight));
}

TEST(RunSpanText, FromTheFirstToTheLastKnownMoment)
{
    const QDateTime now(QDate(2026, 12, 9), QTime(14, 0));
    const auto on = [](QDate date, QTime time) { return SampleMoment{QDateTime(date, time), false, true, {}}; };
    const QDate day(2026, 12, 7);
    struct Case {
        std::vector<SampleMoment> moments;
        int count;
        const char* text;
    } cases[] = {
        {{}, 0, "2026年12月9日（記録なし）"},
        {{SampleMoment{}, SampleMoment{}}, 2, "2026年12月9日（記録なし）"},
        {{on(day, QTime(9, 30)), on(day, QTime(9, 31)), on(day, QTime(10, 15))}, 3, "2026年12月7日 9:30～10:15"},
        {{on(day, QTime(9, 30)), on(day, QTime(9, 31)), on(day, QTime(10, 15))}, 2, "2026年12月7日 9:30～9:31"},
        {{on(day, QTime(22, 0)), SampleMoment{}, on(day.addDays(1), QTime(7, 5))}, 3, "2026年12月7日 22:00～12月8日 7:05"},
        {{on(QDate(2026, 12, 31), QTime(23, 0)), on(QDate(2027, 1, 1), QTime(1, 0))}, 2, "2026年12月31日 23:00～2027年1月1日 1:00"},
        {{TakenAt(QTime(6, 23, 4, 750), true), TakenAt(QTime(6, 39, 44, 650), true)}, 2, "2026年12月7日 6:23:04～6:39:44"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunSpanText(c.moments, c.count, now), QString::fromUtf8(c.text)) << c.text;
}

// A worksheet's strip: title, span and both curves' colours with their units, pixel for pixel
// as the reference picture a person has looked at; the pictures above are left as they are.
TEST(GraphPicture, StripCarriesTitleSpanAndLegend)
{
    Surface surface;
    surface.FilledBox(0, 0, 528, 424, qRgb(128, 128, 0));
    const QImage picture = GraphPicture(surface, {QStringLiteral("2026年12月7日 9:30～10:15"), qRgb(255, 0, 0), qRgb(0, 0, 255)});
    SavePictureIfAsked(picture, QStringLiteral("graph-picture-caption.png"));
    const QImage reference(SourcePath("/tests/data/graph-picture-caption.png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), reference.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(picture.copy(0, 0, 501, 400), surface.image().copy(0, 0, 501, 400));
}

TEST(ExportCommands, CancelledDialogWritesNothing)
{
    TestWindow test;
    FillRun(test.window->state(), 10);
    Commands(test).SaveDataAsCsv();   // no scripted name: the user cancels
    EXPECT_EQ(test.questions->askedSave.size(), 1u);
    EXPECT_TRUE(test.questions->shown.empty());
    EXPECT_TRUE(QDir(test.folder.path()).entryList(QDir::Files).isEmpty());
}

TEST(ExportCommands, FailedWriteExplainsAndKeepsDataAndOldFile)
{
    TestWindow test;
    ProgramState& state = test.window->state();
    FillRun(state, 500);
    const History temperatures = state.TemperatureHistory;

    // A "folder" that is a regular file, a folder that does not exist, and a target that is a
    // folder: each fails whoever runs the test.
    test.WriteFile(QStringLiteral("plain-file"), "x");
    QDir(test.folder.path()).mkdir(QStringLiteral("a-folder.csv"));
    const QStringList impossible = {
        test.folder.filePath(QStringLiteral("plain-file/run.csv")),
        test.folder.filePath(QStringLiteral("missing/deeper/run.csv")),
        test.folder.filePath(QStringLiteral("a-folder.csv")),
    };
    for (const QString& path : impossible) {
        test.questions->shown.clear();
        test.questions->saveNames.push_back(path);
        Commands(test).SaveDataAsCsv();
        ASSERT_EQ(test.questions->shown.size(), 1u) << path.toStdString();
        EXPECT_EQ(test.questions->shown[0].title, QStringLiteral("保存できませんでした"));
        EXPECT_TRUE(test.questions->shown[0].message.startsWith(
            QStringLiteral("ファイルを保存できませんでした。")));
        EXPECT_TRUE(test.questions->shown[0].message.contains(
            QStringLiteral("記録したデータはそのまま残っています")));
    }
    EXPECT_FALSE(QFile::exists(impossible[0]));
    EXPECT_FALSE(QFile::exists(impossible[1]));
    EXPECT_EQ(state.SampleCount, 500);
    EXPECT_EQ(state.TemperatureHistory, temperatures);

    // A folder without write permission stops everyone but the superuser; either way the
    // result is a whole file or a message, never a part of one.
    const QString locked = test.folder.filePath(QStringLiteral("locked"));
    QDir(test.folder.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    test.questions->shown.clear();
    test.questions->saveNames.push_back(locked + QStringLiteral("/run.csv"));
    Commands(test).SaveDataAsCsv();
    if (test.questions->shown.empty())
        EXPECT_EQ(ReadFile(locked + QStringLiteral("/run.csv")), BuildSamplesCsv(state, test.window->runLog().moments(), false));
    else
        EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(WriteWholeFile, ReplacesAnOldFileOnlyWhenComplete)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("old.csv"));
    ASSERT_TRUE(WriteWholeFile(path, "first").ok);
    ASSERT_TRUE(WriteWholeFile(path, "second version").ok);
    EXPECT_EQ(ReadFile(path), QByteArray("second version"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ExportCommands, RightClickMenuAndShortcutsOfferBothSaves)
{
    TestWindow test;
    Poruka& window = *test.window;
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    emit window.Picture1->customContextMenuRequested(QPoint(200, 150));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 7);   // the two saves, the size of the view, the class view, the review
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("データをCSVで保存…"));
    EXPECT_EQ(menu->actions()[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("グラフを画像で保存…"));
    EXPECT_EQ(menu->actions()[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_TRUE(menu->actions()[2]->isSeparator());
    EXPECT_EQ(menu->actions()[3]->text(), QStringLiteral("表示の大きさ"));
    EXPECT_EQ(menu->actions()[5]->text(), QStringLiteral("生徒の端末に表示…"));
    EXPECT_EQ(menu->actions()[6]->text(), QStringLiteral("記録を見る…"));
    EXPECT_EQ(menu->actions()[6]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    menu->close();

    // The shortcuts work from anywhere in the window, also from a value field.
    window.Text1->setFocus();
    QTest::keyClick(window.Text1, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.Text1, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(test.questions->askedSave.size(), 2u);
    EXPECT_EQ(test.questions->askedSave[0].title, QStringLiteral("データをCSVで保存"));
    EXPECT_EQ(test.questions->askedSave[1].title, QStringLiteral("グラフを画像で保存"));
    // The dialog opens in the working folder.
    EXPECT_EQ(QFileInfo(test.questions->askedSave[0].message).dir(), QDir(test.folder.path()));
}

// The commands need no main window: a widget for the dialogs, the state, the run log, the
// surface, a clock and the questions are all they use.
TEST(ExportCommands, SaveFromTheirPartsAloneWithoutAnyMainWindow)
{
    QTemporaryDir folder;
    QWidget window;
    auto state = std::make_unique<ProgramState>();
    state->MinuteMode = 1;
    state->SampleCount = 1;
    state->TemperatureHistory[0] = 2345;
    state->PressureHistory[0] = 10132;
    RunLog run;
    run.record({0, 2345, 10132, {QDateTime(QDate(2026, 12, 7), QTime(9, 30)), false, true, {}}});
    Surface surface;
    FakeClock clock;
    clock.now = MorningOfDecember7();
    ScriptedQuestions questions;
    CommandRegistry commands;
    QMenu menu;
    ExportCommands exporting({window, *state, run, [] { return false; }, surface, clock, questions,
                              QDir(folder.path())},
                             commands, menu);
    EXPECT_EQ(menu.actions().size(), 2);

    questions.saveNames = {folder.filePath(QStringLiteral("run.csv")), folder.filePath(QStringLiteral("graph"))};
    exporting.SaveDataAsCsv();
    exporting.SaveGraphAsPicture();
    const std::vector<QStringList> rows = ReadRows(ReadFile(folder.filePath(QStringLiteral("run.csv"))));
    ASSERT_EQ(rows.size(), 3u);   // the header and slots 0 and 1 of a stopped run
    EXPECT_EQ(rows[1].join(QLatin1Char(',')), QStringLiteral("0,0,2026-12-07 09:30:00,23.45,1013.2,,"));
    EXPECT_FALSE(QImage(folder.filePath(QStringLiteral("graph.png"))).isNull());
    EXPECT_TRUE(questions.shown.empty());
}
