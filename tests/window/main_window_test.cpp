#include "render/SurfaceView.h"
#include "support/Fakes.h"
#include "widgets/WindowIcon.h"
#include "window/Poruka.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Positions in the window are kept in twips; a pixel is 15 twips.
QRect Twips(int left, int top, int width, int height)
{
    auto px = [](int twips) { return static_cast<int>(twips / 15.0 + 0.5); };
    return QRect(px(left), px(top), px(width), px(height));
}

QColor BackOf(const QWidget* control)
{
    return control->palette().color(control->backgroundRole());
}

} // namespace

TEST(MainWindow, EveryControlSitsAtItsPlace)
{
    TestWindow t;
    Poruka& w = *t.window;
    EXPECT_EQ(w.size(), QSize(645, 423));
    const struct { QWidget* control; QRect place; } places[] = {
        {w.Owari, Twips(240, 5400, 1320, 700)},    {w.Setumei, Twips(240, 2160, 1320, 700)},
        {w.Settei, Twips(240, 2970, 1320, 700)},   {w.DataReset, Twips(240, 3780, 1320, 700)},
        {w.Start, Twips(240, 4590, 1320, 700)},    {w.Label3, Twips(0, 1500, 1800, 390)},
        {w.Label4, Twips(1320, 240, 480, 930)},    {w.Text1, Twips(480, 195, 840, 450)},
        {w.Label2, Twips(0, 0, 1800, 270)},        {w.Label5, Twips(1320, 1080, 480, 420)},
        {w.Text2, Twips(0, 1890, 1800, 2160)},     {w.Label6, Twips(0, 720, 480, 775)},
        {w.Text3, Twips(240, 1020, 1080, 480)},    {w.Label7, Twips(0, 270, 1320, 810)},
        {w.Picture1, Twips(1800, 0, 7935, 6375)},
    };
    for (const auto& p : places)
        EXPECT_EQ(p.control->geometry(), p.place) << p.control->objectName().toStdString();
    // The surface is a little larger than the space beside the strip: the border cuts it off.
    EXPECT_EQ(w.Picture1->geometry(), QRect(120, 0, 529, 425));
}

TEST(MainWindow, TabOrderStartsAtTheExitButton)
{
    TestWindow t;
    Poruka& w = *t.window;
    const std::vector<QWidget*> expected = {w.Owari, w.Setumei, w.Settei, w.DataReset, w.Start,
                                            w.Text1,  w.Text2,   w.Text3,  w.Picture1};
    std::vector<QWidget*> order;
    QWidget* next = w.Owari;
    do {
        if (next->focusPolicy() & Qt::TabFocus)
            order.push_back(next);
        next = next->nextInFocusChain();
    } while (next != w.Owari && order.size() < 20);
    EXPECT_EQ(order, expected);

    w.Form_Load();
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(w.focusWidget(), w.Owari);
}

TEST(MainWindow, CaptionsTextsAndIcon)
{
    TestWindow t;
    Poruka& w = *t.window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("温度と気圧"));
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_TRUE(w.windowIcon().availableSizes().contains(QSize(32, 32)));
    EXPECT_EQ(w.Owari->text(), QStringLiteral("おわり"));
    EXPECT_EQ(w.Setumei->text(), QStringLiteral("せつめい"));
    EXPECT_EQ(w.Settei->text(), QStringLiteral("せってい"));
    EXPECT_EQ(w.DataReset->text(), QStringLiteral("リセット"));
    EXPECT_EQ(w.Start->text(), QStringLiteral("スタート"));
    EXPECT_FALSE(w.RunActive());
    EXPECT_EQ(w.Label3->text(), QString());
    EXPECT_EQ(w.Label4->text(), QStringLiteral("℃"));
    EXPECT_EQ(w.Label5->text(), QStringLiteral("hPa"));
    EXPECT_EQ(w.Label6->text(), QStringLiteral("気圧"));
    EXPECT_EQ(w.Label7->text(), QStringLiteral("温度"));
    EXPECT_EQ(w.Label2->text(), QString());
    EXPECT_EQ(w.Text1->text(), QStringLiteral("Text1"));
    EXPECT_EQ(w.Text3->text(), QStringLiteral("Text1"));
    EXPECT_EQ(w.Text2->toPlainText(), QString());
}

TEST(MainWindow, FontsAndColours)
{
    TestWindow t;
    Poruka& w = *t.window;
    // The classroom font name is drawn with IPA Gothic; without it Japanese text is boxes.
    EXPECT_EQ(QFontInfo(w.Owari->font()).family(), QStringLiteral("IPAGothic"));
    for (QWidget* value : {static_cast<QWidget*>(w.Text1), static_cast<QWidget*>(w.Text3)}) {
        EXPECT_DOUBLE_EQ(value->font().pointSizeF(), 14.25);
        EXPECT_TRUE(value->font().bold());
    }
    for (QLabel* unit : {w.Label4, w.Label5}) {
        EXPECT_DOUBLE_EQ(unit->font().pointSizeF(), 12);
        EXPECT_TRUE(unit->font().bold());
    }
    for (QWidget* plain : std::initializer_list<QWidget*>{w.Owari, w.Start, w.Label3, w.Label6, w.Label7, w.Text2}) {
        EXPECT_DOUBLE_EQ(plain->font().pointSizeF(), 12);
        EXPECT_FALSE(plain->font().bold());
    }

    const QColor yellow(255, 255, 0), cyan(0, 255, 255), grey(192, 192, 192);
    EXPECT_EQ(BackOf(&w), grey);
    for (QWidget* label : std::initializer_list<QWidget*>{w.Label2, w.Label3, w.Label4, w.Label5, w.Label6, w.Label7, w.Text1, w.Text3})
        EXPECT_EQ(BackOf(label), yellow) << label->objectName().toStdString();
    EXPECT_EQ(BackOf(w.Text2), cyan);
    for (QWidget* button : std::initializer_list<QWidget*>{w.Owari, w.Setumei, w.Settei, w.DataReset, w.Start})
        EXPECT_EQ(BackOf(button), grey);
    EXPECT_EQ(w.Text1->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST(MainWindow, TimersWaitAndLoadHidesTheAlertFieldAndReset)
{
    TestWindow t;
    Poruka& w = *t.window;
    for (QTimer* timer : {w.Timer1, w.Timer2, w.Timer3, w.Timer5})
        EXPECT_FALSE(timer->isActive());
    for (QWidget* control : std::initializer_list<QWidget*>{w.Text2, w.DataReset, w.Setumei, w.Start})
        EXPECT_FALSE(control->isHidden());

    w.Form_Load();
    EXPECT_TRUE(w.Text2->isHidden());
    EXPECT_TRUE(w.DataReset->isHidden());
    for (QWidget* control : std::initializer_list<QWidget*>{w.Owari, w.Setumei, w.Settei, w.Start, w.Text1, w.Text3, w.Picture1})
        EXPECT_FALSE(control->isHidden());
    EXPECT_FALSE(w.Timer2->isActive());
    EXPECT_FALSE(w.Timer3->isActive());
    EXPECT_EQ(w.state().SampleCount, 0);
}

// For a person to look at: the whole window and its left strip enlarged. Set PORUKA_PICTURES
// to a folder to keep them.
TEST(MainWindow, PictureOfTheWindow)
{
    TestWindow t;
    Poruka& w = *t.window;
    w.Form_Load();
    w.show();
    const QImage window = w.grab().toImage();
    EXPECT_EQ(window.size(), QSize(645, 423));
    // The window shows the drawing surface pixel for pixel where the pictures stand.
    const QRect pictures = w.Picture1->geometry() & w.rect();
    EXPECT_EQ(window.copy(pictures).convertToFormat(QImage::Format_RGB32),
              w.surface().image().copy(0, 0, pictures.width(), pictures.height()).convertToFormat(QImage::Format_RGB32));
    const QString folder = qEnvironmentVariable("PORUKA_PICTURES");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(window.save(QDir(folder).filePath("window.png")));
        const QImage strip = window.copy(0, 0, 130, 423);
        EXPECT_TRUE(strip.scaled(strip.size() * 3).save(QDir(folder).filePath("window-strip.png")));
        // With an alert shown over the upper buttons.
        w.Setumei->hide();
        w.Settei->hide();
        w.Text2->setPlainText(QStringLiteral("５０度をこえました。火を弱めましょう。"));
        w.Text2->show();
        const QImage alert = w.grab().toImage().copy(0, 0, 130, 423);
        EXPECT_TRUE(alert.scaled(alert.size() * 3).save(QDir(folder).filePath("window-alert.png")));
    }
}

// Labels overlap each other and lie beneath the fields; none of their texts may be covered.
TEST(MainWindow, NoLabelTextIsCovered)
{
    TestWindow t;
    Poruka& w = *t.window;
    for (QLabel* label : {w.Label4, w.Label5, w.Label6, w.Label7}) {
        const QFontMetrics metrics(label->font());
        const QRect text(label->geometry().topLeft(),
                         QSize(metrics.horizontalAdvance(label->text()), metrics.ascent()));
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                ASSERT_EQ(w.childAt(x, y), label) << label->text().toStdString() << " at " << x << "," << y;
    }
}

TEST(MainWindow, IconIsOurOwnPicture)
{
    const QPixmap icon = MakeWindowIcon().pixmap(32, 32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    const QString folder = qEnvironmentVariable("PORUKA_PICTURES");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(icon.scaled(128, 128).save(QDir(folder).filePath("icon.png")));
    }
}
