#include "support/Fakes.h"

#include "render/SurfaceView.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// What the screen shows of the view: every paint event copies its region, and only that,
// from the surface. A pixel that a handler changed outside the regions it asked for stays
// stale here and no longer matches the surface.
class ShownPicture : public QObject {
public:
    ShownPicture(SurfaceView& view, Surface& surface)
        : m_surface(surface)
        , picture(Surface::kWidth, Surface::kHeight, QImage::Format_RGB32)
    {
        picture.fill(Qt::magenta);
        view.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRegion region = static_cast<QPaintEvent*>(event)->region();
            QPainter painter(&picture);
            for (const QRect& area : region)
                painter.drawImage(area, m_surface.image(), area);
            ++paints;
            for (const QRect& area : region)
                paintedPixels += qint64(area.width()) * area.height();
        }
        return false;
    }

    Surface& m_surface;
    QImage picture;
    int paints = 0;
    qint64 paintedPixels = 0;
};

QByteArray Byte(int value)
{
    return QByteArray(1, static_cast<char>(value));
}

// A started window on the sample files whose tables read plainly: temperature = byte - 50 °C,
// pressure = 900 + byte hPa. The timers are stopped; the test calls the handlers itself.
struct RepaintedWindow : TestWindow {
    RepaintedWindow()
    {
        const QDir samples(SourcePath("/data"));
        for (const QString& name : samples.entryList({QStringLiteral("*.CSV"), QStringLiteral("VORUM.TXT")})) {
            QFile file(samples.filePath(name));
            file.open(QIODevice::ReadOnly);
            WriteFile(name, file.readAll());
        }
        port->replies = {QByteArray("QUIRAN")};
        window->Form_Load();
        window->Timer1->stop();
        AnswerUntilTemperatureAsked(*window, *port, 113);   // the next tick reads a temperature
        ProgramState& state = window->state();
        state.MinuteMode = 2;
        for (int i = 0; i < kTableSize; ++i) {
            state.TemperatureTable[i] = static_cast<int16_t>(i - 50);
            state.PressureTable[i] = static_cast<int16_t>(900 + i);
        }
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        shown = std::make_unique<ShownPicture>(*window->Picture1, window->surface());
        window->Picture1->update();   // the whole picture once, as the first exposure shows it
        Show();
    }

    // Lets the window paint what the last handler asked for, as the event loop would.
    void Show() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

    void ReadoutTick(int byte)
    {
        port->replies = {Byte(byte)};
        window->Timer1_Timer();
        Show();
    }

    void RecordingTick()
    {
        window->Timer2_Timer();
        Show();
    }

    // The window's edge hides the surface's last columns and rows; the rest must match.
    bool ShownAsDrawn()
    {
        const QRect visible = window->Picture1->visibleRegion().boundingRect();
        const QImage& drawn = window->surface().image();
        const size_t bytes = size_t(visible.width()) * sizeof(QRgb);
        for (int y = visible.top(); y <= visible.bottom(); ++y) {
            const uchar* left = shown->picture.constScanLine(y) + visible.left() * sizeof(QRgb);
            const uchar* right = drawn.constScanLine(y) + visible.left() * sizeof(QRgb);
            if (std::memcmp(left, right, bytes) != 0)
                return false;
        }
        return true;
    }

    std::unique_ptr<ShownPicture> shown;
};

}   // namespace

// Readings wander and now and then leap past the scales (which redraws an instrument); a run
// is recorded past two page turns, stopped (the whole run is drawn), continued and recorded
// on. After every tick the screen, painted region by region, must match the surface.
TEST(RegionalRepaint, LongRunPaintedRegionByRegionMatchesTheWholePicture)
{
    RepaintedWindow w;
    ASSERT_GT(w.window->Picture1->visibleRegion().boundingRect().width(), 500);
    ASSERT_TRUE(w.ShownAsDrawn());
    std::minstd_rand random(16);
    int temperature = 70;
    int pressure = 113;
    auto wander = [&](int& byte) {
        const int step = static_cast<int>(random() % 100);
        if (step < 2)
            byte = static_cast<int>(random() % 256);   // a leap, often out of scale
        else
            byte = std::clamp(byte + step % 7 - 3, 0, 255);
        return byte;
    };
    int stale = 0;
    auto tick = [&](bool recording) {
        w.ReadoutTick(wander(temperature));
        w.ReadoutTick(wander(pressure));
        if (recording)
            w.RecordingTick();
        stale += w.ShownAsDrawn() ? 0 : 1;
    };

    for (int i = 0; i < 150; ++i)
        tick(false);
    w.window->Start_Click();
    w.Show();
    for (int i = 0; i < 650; ++i)
        tick(true);
    w.window->Start_Click();   // stop: the whole run is drawn
    w.Show();
    EXPECT_TRUE(w.ShownAsDrawn());
    for (int i = 0; i < 50; ++i)
        tick(false);
    w.window->Start_Click();   // continue
    w.Show();
    for (int i = 0; i < 100; ++i)
        tick(true);

    EXPECT_EQ(stale, 0) << "ticks after which the screen showed a stale pixel";
    EXPECT_GE(w.window->state().SampleCount, 700);
    if (!w.ShownAsDrawn())
        w.shown->picture.save(QDir::temp().filePath(QStringLiteral("regional-repaint-stale.png")));
}

TEST(RegionalRepaint, SteadyReadingRepaintsNothingAndATypedValueIsOverwritten)
{
    RepaintedWindow w;
    w.ReadoutTick(70);    // 20 °C
    w.ReadoutTick(113);   // 1013 hPa
    const int paints = w.shown->paints;
    for (int i = 0; i < 10; ++i)
        w.ReadoutTick(i % 2 == 0 ? 70 : 113);
    EXPECT_EQ(w.shown->paints, paints) << "a steady room changes no pixel";
    EXPECT_EQ(w.window->Text1->text(), " 20");

    // What was typed into the field goes at the next reading, though the reading is unchanged.
    w.window->Text1->setText(QStringLiteral("99"));
    w.ReadoutTick(70);
    EXPECT_EQ(w.window->Text1->text(), " 20");
    w.ReadoutTick(113);

    // One step of the column repaints a strip of the thermometer, not the picture.
    const qint64 before = w.shown->paintedPixels;
    w.ReadoutTick(71);
    EXPECT_EQ(w.window->Text1->text(), " 21");
    EXPECT_GT(w.shown->paintedPixels, before);
    EXPECT_LT(w.shown->paintedPixels - before, 200);
    EXPECT_TRUE(w.ShownAsDrawn());
}
