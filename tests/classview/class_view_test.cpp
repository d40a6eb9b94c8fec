// The class view in the program: the menu item and the address window start and stop it, and
// a page that comes back after a sleep gets exactly the samples it missed.

#include "base/ProgramState.h"
#include "classview/ClassView.h"
#include "program/Program.h"
#include "support/Fakes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ClassViewInProgram : ::testing::Test {
    ClassViewInProgram()
    {
        PorukaEnvironment environment;
        environment.port = std::make_unique<FakeCommPort>();
        environment.clock = std::make_unique<FakeClock>();
        environment.questions = std::make_unique<ScriptedQuestions>();
        environment.workingFolder = QDir(folder.path());
        environment.endProgram = [] {};
        program = std::make_unique<Program>(std::move(environment));
    }

    QTemporaryDir folder;
    std::unique_ptr<Program> program;
};

RecordedSample Sample(int slot)
{
    return {slot, 2000.0f + slot, 10130.0f, {QDateTime::currentDateTime(), true, true, {}}};
}

}   // namespace

TEST_F(ClassViewInProgram, MenuItemShowsTheAddressAsQrCodeAndClosingTheWindowStops)
{
    ClassView& view = program->classView();
    ASSERT_TRUE(program->pictureMenu().actions().contains(&view.action()));
    view.action().trigger();
    ASSERT_TRUE(view.running());
    ClassViewWindow* shown = view.addressWindow();
    ASSERT_TRUE(shown && shown->isVisible());
    EXPECT_EQ(shown->Address->text(), view.address());
    EXPECT_TRUE(view.address().contains(":" + QString::number(view.server().port()) + "/" + view.server().key() + "/"));
    // Crisp modules: whole blocks of pure black and white.
    const QImage code = shown->Code->pixmap().toImage();
    ASSERT_FALSE(code.isNull());
    EXPECT_EQ(code.width() % ClassViewWindow::kModulePixels, 0);
    EXPECT_EQ(code.convertToFormat(QImage::Format_Mono).convertToFormat(QImage::Format_RGB32), code.convertToFormat(QImage::Format_RGB32));

    shown->close();
    EXPECT_FALSE(view.running());
    EXPECT_FALSE(view.action().isChecked());

    view.action().trigger();
    const QByteArray firstKey = view.server().key();
    view.action().trigger();
    EXPECT_FALSE(view.running());
    view.action().trigger();
    EXPECT_NE(view.server().key(), firstKey) << "a new class key at every start";
}

TEST(ClassFeed, APageThatWakesGetsWhatItMissedAndAnotherRunGetsTheWholeRun)
{
    ProgramState state;
    RunLog run;
    StatusBoard status;
    bool recording = true;
    ClassFeed feed({state, run, status, [&] { return recording; }});
    feed.restart();   // run 1, empty
    for (int slot = 0; slot < 3; ++slot)
        run.record(Sample(slot));

    const struct {
        QByteArray lastId;
        bool reset;
        QList<int> expected;
    } cases[] = {
        {"", true, {0, 1, 2}},
        {"1.0", false, {0, 1, 2}},
        {"1.2", false, {2}},
        {"1.3", false, {}},
        {"1.4", true, {0, 1, 2}},
        {"7.1", true, {0, 1, 2}},
        {"x.y", true, {0, 1, 2}},
    };
    for (const auto& [lastId, reset, expected] : cases) {
        const QByteArray opening = feed.opening(lastId);
        EXPECT_EQ(opening.contains("event: reset"), reset) << lastId.constData();
        QList<int> sent;
        for (int slot = 0; slot < 3; ++slot) {
            if (opening.contains("\"i\":" + QByteArray::number(slot) + ","))
                sent << slot;
        }
        EXPECT_EQ(sent, expected) << lastId.constData();
    }
    run.clear();
    EXPECT_TRUE(feed.opening("1.3").contains("id: 2.0\nevent: reset"));
}
