// The elapsed-time label draws its text from glyphs; it must show exactly what a QLabel with
// the same font, colours and size shows, at every factor of the display.

#include "features/Zoom.h"
#include "run/ElapsedTime.h"
#include "support/Fakes.h"
#include "support/Screens.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(GlyphRunLabel, ShowsTheSamePixelsAsAQLabelAtEveryFactor)
{
    TestWindow t;
    PutOnScreen(*t.window, "large");   // room for every factor
    QLabel* const shown = t.window->Label3;
    const QStringList texts = {
        QStringLiteral("    0秒"),
        QStringLiteral("   12.3秒"),
        QStringLiteral("    1200秒"),
        QStringLiteral("  -0.1秒"),
        QStringLiteral("0時間1分"),
        QStringLiteral("8日8時間0分"),
        QStringLiteral("１分ごとに測定"),
        QStringLiteral("１秒ごとに測定"),
        // Too wide for one line, and characters from other fonts: QLabel paints these.
        QStringLiteral("   123456789012345.6秒"),
        QStringLiteral("温度 ☃ 🌡"),
    };
    const auto expectSameAsQLabel = [&](const std::string& context) {
        QLabel twin;
        twin.setFont(shown->font());
        twin.setPalette(shown->palette());
        twin.setAutoFillBackground(shown->autoFillBackground());
        twin.setAlignment(shown->alignment());
        twin.setWordWrap(shown->wordWrap());
        twin.setTextFormat(shown->textFormat());
        twin.resize(shown->size());
        for (const QString& text : texts) {
            shown->setText(text);
            twin.setText(text);
            EXPECT_EQ(shown->grab().toImage(), twin.grab().toImage()) << context << ": " << text.toStdString();
        }
    };
    for (const double factor : {3.0, 2.0, 1.5, 1.0}) {
        t.program->zoom().setFactor(factor);
        expectSameAsQLabel(std::to_string(factor) + "x");
    }
    // The same texts in another colour are painted anew, not copied from what was painted
    // just before.
    QPalette colours = shown->palette();
    colours.setColor(shown->foregroundRole(), Qt::darkRed);
    shown->setPalette(colours);
    expectSameAsQLabel("another colour");
}

// The label changes ten times a second while recording; a new text must not make the window
// lay itself out again, at any factor of the display.
TEST(GlyphRunLabel, NewTextAsksForNoLayout)
{
    struct LayoutRequests : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::LayoutRequest;
            return false;
        }
    } requests;
    TestWindow t;
    PutOnScreen(*t.window, "large");   // room for every factor
    t.window->show();
    QLabel* const label = t.window->Label3;
    for (const double factor : {1.0, 2.0}) {
        t.program->zoom().setFactor(factor);
        QCoreApplication::sendPostedEvents();
        label->parentWidget()->installEventFilter(&requests);
        label->setText(QStringLiteral("    12.3秒"));
        label->setText(QStringLiteral("    12.4秒"));
        QCoreApplication::sendPostedEvents();
        label->parentWidget()->removeEventFilter(&requests);
    }
    EXPECT_EQ(requests.count, 0);
}

// A new elapsed time repaints only the characters that changed. What the window then shows of
// the label must be what a whole repaint shows: a missed pixel would stay stale on screen.
TEST(GlyphRunLabel, RepaintsOnlyTheChangedCharactersAndLeavesNothingStale)
{
    struct PaintedWidth : QObject {
        int width = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                width = std::max(width, static_cast<QPaintEvent*>(event)->region().boundingRect().width());
            return false;
        }
    } painted;
    TestWindow t;
    PutOnScreen(*t.window, "large");   // room for every factor
    t.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t.window));
    GlyphRunLabel* const label = t.window->Label3;
    label->installEventFilter(&painted);
    // The width the window repainted of the label for the text.
    const auto show = [&](const QString& text) {
        painted.width = 0;
        label->ShowText(text);
        QCoreApplication::sendPostedEvents();   // paints the window's pixels
        const int repainted = painted.width;
        // Asked for anew: on a scaled display a new factor makes a new image of the window.
        const auto* screen = dynamic_cast<const QImage*>(t.window->backingStore()->paintDevice());
        const qreal ratio = screen->devicePixelRatio();
        const QRect shown(label->mapTo(t.window, QPoint()) * ratio, label->size() * ratio);
        EXPECT_EQ(screen->copy(shown), label->grab().toImage().convertToFormat(screen->format()))
            << label->width() << " px wide: " << text.toStdString();
        return repainted;
    };
    for (const double factor : {1.0, 1.5}) {
        t.program->zoom().setFactor(factor);
        show(QStringLiteral("   123456789012345.6秒"));   // too wide: QLabel paints it
        for (const double count : {0, 1, 9, 10, 11, 99, 100, 101, 995, 1000, 1001, 9999, 10000, 5})
            show(SecondsElapsedText(count));
        // One digit each; the second ten shows the first ten's digits again in the same place.
        for (const int from : {1231, 1241}) {
            show(SecondsElapsedText(from));
            for (int count = from + 1; count < from + 9; ++count)
                EXPECT_LT(show(SecondsElapsedText(count)), label->width() / 6) << factor << "x, " << count;
        }
        show(MinuteElapsedText(1441));
    }
}
