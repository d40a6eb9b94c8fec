// At 1.5x the view smooths the pictures, so a changed surface pixel also changes its
// neighbours' share of the screen. Every repaint must reach all of it, or a stale fringe stays.

#include "render/Surface.h"
#include "render/SurfaceView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <random>

namespace {

// The whole picture as the smoothed view paints it.
QImage WholePicture(Surface& surface, double scale)
{
    QImage picture(qCeil(Surface::kWidth * scale), qCeil(Surface::kHeight * scale), QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, Surface::kWidth * scale, Surface::kHeight * scale), surface.image());
    return picture;
}

// What the screen shows: each paint event takes only its region from the whole picture.
struct ScreenOfView : QObject {
    ScreenOfView(SurfaceView& view, Surface& surface)
        : surface(surface)
        , screen(WholePicture(surface, view.scale()))
    {
        view.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const QImage whole = WholePicture(surface, static_cast<SurfaceView*>(watched)->scale());
            QPainter painter(&screen);
            for (const QRect& area : static_cast<QPaintEvent*>(event)->region())
                painter.drawImage(area, whole, area);
        }
        return false;
    }
    Surface& surface;
    QImage screen;
};

}   // namespace

TEST(SmoothedView, EveryChangeRepaintsItsWholeShareOfTheScreen)
{
    Surface surface;
    surface.takeChanged();
    SurfaceView view(surface);
    view.setScale(1.5);
    view.resize(qCeil(Surface::kWidth * 1.5), qCeil(Surface::kHeight * 1.5));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    ScreenOfView shown(view, surface);

    std::minstd_rand random(15);
    int stale = 0;
    for (int i = 0; i < 60; ++i) {
        const float x = static_cast<float>(random() % Surface::kWidth);
        const float y = static_cast<float>(random() % Surface::kHeight);
        const QRgb colour = qRgb(int(random() % 256), int(random() % 256), int(random() % 256));
        if (i % 2)
            surface.Point(x, y, colour);
        else
            surface.Line(x, y, x + float(random() % 9), y, colour);
        view.showChanges();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        stale += shown.screen == WholePicture(surface, 1.5) ? 0 : 1;
    }
    EXPECT_EQ(stale, 0) << "changes after which the screen kept a stale pixel";
}
