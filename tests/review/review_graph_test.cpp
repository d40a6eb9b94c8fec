// Reading the review graph by pointer and keys, on the real widget: zoom around the pointer,
// pan, select a stretch, and come back to the whole run.

#include "review/ReviewGraph.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

struct Graph {
    // An hour of minute samples, warming; or with `tenths`, ten minutes of 0.1-s samples, more
    // than the graph has pixel columns even 1920 wide.
    explicit Graph(bool tenths = false)
    {
        auto series = std::make_shared<RunSeries>();
        const QDateTime start(QDate(2026, 12, 7), QTime(9, 30));
        const int samples = tenths ? 6000 : 60;
        for (int i = 0; i <= samples; ++i) {
            const QDateTime at = start.addMSecs((tenths ? 100 : 60000) * qint64(i));
            series->append({std::min(i, 12000), 2000.0f + 3000.0f * i / samples, 10130, {at, tenths, true, {}}});
        }
        graph.plot().runs().push_back({series, QStringLiteral("1班"), Qt::blue, true});
        graph.resize(800, 500);
        graph.show();
        graph.showAll();
        graph.grab();   // lays the graph out
    }
    void mouse(QEvent::Type type, double x, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF at(x, graph.plot().area().center().y());
        QMouseEvent event(type, at, graph.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&graph, &event);
    }
    double span() const { return graph.plot().view().toMs - graph.plot().view().fromMs; }

    ReviewGraph graph;
};

}   // namespace

TEST(ReviewGraph, WheelZoomsAroundThePointerAndCtrl0WayBack)
{
    Graph g;
    const double whole = g.span();
    const double x = g.graph.plot().area().left() + 200;
    const double under = g.graph.plot().msAt(x);
    const QPointF at(x, 200);
    QWheelEvent wheel(at, g.graph.mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&g.graph, &wheel);
    EXPECT_NEAR(g.span(), whole / 1.25, 1);
    EXPECT_NEAR(g.graph.plot().msAt(x), under, 1);
    EXPECT_FALSE(g.graph.showsAll());
    QTest::keyClick(&g.graph, Qt::Key_Minus);
    EXPECT_NEAR(g.span(), whole, 1);
    g.graph.showAll();
    EXPECT_TRUE(g.graph.showsAll());
}

TEST(ReviewGraph, DragsPanAndSelectByPointerAndKeys)
{
    Graph g;
    const double left = g.graph.plot().area().left();
    const double msPerPixel = g.span() / g.graph.plot().area().width();
    const double from = g.graph.plot().view().fromMs;

    // The right button drags the time axis along.
    g.mouse(QEvent::MouseButtonPress, left + 300, Qt::RightButton, Qt::RightButton);
    g.mouse(QEvent::MouseMove, left + 200, Qt::NoButton, Qt::RightButton);
    g.mouse(QEvent::MouseButtonRelease, left + 200, Qt::RightButton, Qt::NoButton);
    EXPECT_NEAR(g.graph.plot().view().fromMs, from + 100 * msPerPixel, 1);
    QTest::keyClick(&g.graph, Qt::Key_Left);   // a tenth of the view back
    EXPECT_NEAR(g.graph.plot().view().fromMs, from + 100 * msPerPixel - g.span() / 10, 1);

    // The left button selects the stretch it passes over.
    g.mouse(QEvent::MouseButtonPress, left + 100, Qt::LeftButton, Qt::LeftButton);
    g.mouse(QEvent::MouseMove, left + 400, Qt::NoButton, Qt::LeftButton);
    g.mouse(QEvent::MouseButtonRelease, left + 400, Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(g.graph.plot().selection);
    EXPECT_NEAR(g.graph.plot().selection->second - g.graph.plot().selection->first, 300 * msPerPixel, 1);

    // By keys: the reading line moves, and with Shift it selects from where it was.
    QTest::keyClick(&g.graph, Qt::Key_Escape);
    EXPECT_FALSE(g.graph.plot().selection);
    QTest::keyClick(&g.graph, Qt::Key_Right, Qt::ControlModifier);
    const double line = *g.graph.plot().reading;
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&g.graph, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(g.graph.plot().selection);
    EXPECT_DOUBLE_EQ(g.graph.plot().selection->first, line);
    EXPECT_NEAR(g.graph.plot().selection->second - line, g.span() / 20, 1);
}

// The curve's highest and lowest rows of its colour, as fractions of the picture's height.
std::pair<double, double> CurveRows(const QImage& image)
{
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == QColor(Qt::blue).rgb()) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {double(top) / image.height(), double(bottom) / image.height()};
}

TEST(ReviewGraph, SlidePictureDrawsADenseRunWhereTheWindowDoes)
{
    Graph g(true);
    const QImage shown = g.graph.grab().toImage();
    const QImage slide = g.graph.picture(1920);
    ASSERT_EQ(slide.width(), 1920);
    const auto [shownTop, shownBottom] = CurveRows(shown);
    const auto [slideTop, slideBottom] = CurveRows(slide);
    ASSERT_LT(shownTop, shownBottom);
    EXPECT_NEAR(slideTop, shownTop, 0.01);
    EXPECT_NEAR(slideBottom, shownBottom, 0.01);
}
