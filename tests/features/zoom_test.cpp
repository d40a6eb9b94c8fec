// The main window shown larger for a class: exact pixel blocks, controls and fonts at the
// factor, the keys and the menu, resizing, full screen with the status, and a HiDPI screen.

#include "features/ExportCommands.h"
#include "features/FullScreenStatus.h"
#include "features/Zoom.h"
#include "render/SurfaceView.h"
#include "settings/Fsettei.h"
#include "settings/OpenSettingsWindow.h"
#include "support/Fakes.h"
#include "support/Pictures.h"
#include "support/Screens.h"
#include "support/TestPaths.h"
#include "widgets/ScaledControls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {

// A window that has started up on the sample files and shown a few readings, so the pictures
// hold marks, digits and a liquid column.
struct ReadingWindow : TestWindow {
    ReadingWindow()
    {
        const QDir data(SourcePath("/data"));
        for (const QString& name : data.entryList(QDir::Files)) {
            QFile::copy(data.filePath(name), folder.filePath(name));
        }
        PutOnScreen(*window, "large");   // room for every factor
        port->replies = {"QUIRAN", {}};
        for (int i = 0; i < 6; ++i)
            port->replies.push_back(QByteArray(1, static_cast<char>(i % 2 ? 113 : 90)));
        window->Form_Load();
        for (int i = 0; i < 6; ++i)
            window->Timer1_Timer();
    }
    Poruka& w() { return *window; }
    WindowZoom& zoom() { return program->zoom(); }
};

std::map<QWidget*, QRect> ControlPlaces(Poruka& window)
{
    std::map<QWidget*, QRect> places;
    for (QWidget* control : window.Picture1->parentWidget()->findChildren<QWidget*>()) {
        if (control->parentWidget() == window.Picture1->parentWidget())
            places[control] = control->geometry();
    }
    return places;
}

// The region of every paint event the view receives.
class PaintedRegion : public QObject {
public:
    explicit PaintedRegion(QWidget& view) { view.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion region;
};

// What the view repaints for two readings that move both columns, at a factor.
QRegion RepaintedByTwoReadings(double factor)
{
    ReadingWindow t;
    t.zoom().setFactor(factor);
    t.w().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&t.w()));
    QCoreApplication::processEvents();
    PaintedRegion painted(*t.w().Picture1);
    t.port->replies = {QByteArray(1, char(96)), QByteArray(1, char(110))};
    t.w().Timer1_Timer();
    t.w().Timer1_Timer();
    QCoreApplication::processEvents();
    return painted.region;
}

void Press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
}

// The extent of what differs from the control's background left of its text: the box of a
// check box, the circle of an option button.
QSize IndicatorSize(QWidget& control)
{
    const QImage image = control.grab().toImage();
    const QRgb back = image.pixel(0, 0);
    int width = 0;
    int top = image.height();
    int bottom = -1;
    for (int x = 0; x < image.width(); ++x) {
        int marked = 0;
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != back) {
                ++marked;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        if (marked == 0 && width > 0)
            break;
        width += marked > 0 ? 1 : 0;
    }
    return QSize(width, bottom - top + 1);
}

// The entries of the menu of sizes by the factor they name; full screen as 0.
std::map<double, QAction*> SizeChoices(QMenu& sizes)
{
    std::map<double, QAction*> choices;
    for (QAction* action : sizes.actions()) {
        if (action->isCheckable())
            choices[action->text().endsWith(u'倍') ? action->text().chopped(1).toDouble() : 0] = action;
    }
    return choices;
}

} // namespace

TEST(Zoom, FactorsFitTheScreen)
{
    const QSize window(645, 423);
    EXPECT_EQ(LargestFittingFactor(QSize(1920, 1080), window), 2);   // 3x needs 1935 pixels
    EXPECT_EQ(LargestFittingFactor(QSize(968, 635), window), 1.5);
    EXPECT_EQ(LargestFittingFactor(QSize(967, 700), window), 1);
    EXPECT_EQ(LargestFittingFactor(QSize(100, 100), window), 1);
    EXPECT_EQ(FullScreenFactor(QSize(1920, 1080), window), 2.5);
    EXPECT_EQ(FullScreenFactor(QSize(3840, 2160), window), 5);
    EXPECT_EQ(FullScreenFactor(QSize(800, 600), window), 1);
}

TEST(Zoom, WholeFactorsShowEverySurfacePixelAsABlockAndScaleEveryControl)
{
    ReadingWindow t;
    Poruka& w = t.w();
    const QImage one = w.grab().toImage();
    const std::map<QWidget*, QRect> places = ControlPlaces(w);
    ASSERT_EQ(places.size(), 15u);
    const QRect pictures = w.Picture1->geometry() & QRect(QPoint(0, 0), one.size());
    // What the test compares is a real picture: scale marks, digits, the liquid column.
    int coloured = 0;
    for (int y = pictures.top(); y <= pictures.bottom(); ++y)
        for (int x = pictures.left(); x <= pictures.right(); ++x)
            coloured += one.pixel(x, y) != QColor(192, 192, 192).rgb() ? 1 : 0;
    ASSERT_GT(coloured, 5000);

    for (int factor : {2, 3}) {
        t.zoom().setFactor(factor);
        const QImage zoomed = w.grab().toImage();
        SavePictureIfAsked(zoomed, QStringLiteral("zoom-%1x.png").arg(factor));
        ASSERT_EQ(zoomed.size(), one.size() * factor);
        int wrong = 0;
        for (int y = pictures.top(); y <= pictures.bottom(); ++y) {
            for (int x = pictures.left(); x <= pictures.right(); ++x) {
                for (int i = 0; i < factor * factor; ++i)
                    wrong += zoomed.pixel(x * factor + i % factor, y * factor + i / factor) != one.pixel(x, y);
            }
        }
        EXPECT_EQ(wrong, 0) << factor << "x";
        for (const auto& [control, place] : places) {
            EXPECT_EQ(control->geometry(), QRect(place.topLeft() * factor, place.size() * factor))
                << control->objectName().toStdString() << " at " << factor << "x";
        }
        // Text is laid out at the larger size, not blown up.
        EXPECT_EQ(w.Text1->font().pointSizeF(), 14.25 * factor);
        EXPECT_EQ(w.Owari->font().pointSizeF(), 12.0 * factor);
    }
    t.zoom().setFactor(1);
    EXPECT_EQ(w.grab().toImage(), one);
    EXPECT_EQ(ControlPlaces(w), places);
}

TEST(Zoom, ATickRepaintsOnlyTheChangedPixelsScaled)
{
    const QRegion one = RepaintedByTwoReadings(1);
    const QRegion two = RepaintedByTwoReadings(2);
    ASSERT_FALSE(one.isEmpty());
    QRegion scaled;
    int pixels = 0;
    for (const QRect& area : one) {
        scaled += QRect(area.topLeft() * 2, area.size() * 2);
        pixels += area.width() * area.height();
    }
    EXPECT_LT(pixels, 529 * 425 / 2);   // the columns and a rescaled barometer, not the picture
    EXPECT_EQ(two, scaled);
}

TEST(Zoom, KeysAndMenuChangeTheFactor)
{
    ReadingWindow t;
    Poruka& w = t.w();
    w.show();
    QApplication::setActiveWindow(&w);
    const std::pair<int, double> steps[] = {
        {Qt::Key_Equal, 1.5}, {Qt::Key_Plus, 2}, {Qt::Key_Equal, 3}, {Qt::Key_Plus, 3},
        {Qt::Key_Minus, 2},   {Qt::Key_Minus, 1.5}, {Qt::Key_Minus, 1}, {Qt::Key_Minus, 1},
        {Qt::Key_Plus, 1.5},  {Qt::Key_0, 1},
    };
    for (const auto& [key, factor] : steps) {
        Press(w, key);
        EXPECT_EQ(t.zoom().factor(), factor) << QKeySequence(key).toString().toStdString();
        EXPECT_EQ(w.size(), ScaledSize(QSize(645, 423), factor));
    }

    QMenu* sizes = nullptr;
    for (QAction* action : t.program->pictureMenu().actions()) {
        if (action->menu() && action->text() == QStringLiteral("表示の大きさ"))
            sizes = action->menu();
    }
    ASSERT_NE(sizes, nullptr);
    std::map<QString, QAction*> choices;
    for (QAction* action : sizes->actions())
        choices[action->text()] = action;
    for (const auto& [text, factor] : {std::pair{"2倍", 2.0}, {"3倍", 3.0}, {"1.5倍", 1.5}, {"1倍", 1.0}}) {
        ASSERT_TRUE(choices.count(QString::fromUtf8(text)));
        choices[QString::fromUtf8(text)]->trigger();
        EXPECT_EQ(t.zoom().factor(), factor) << text;
        EXPECT_TRUE(choices[QString::fromUtf8(text)]->isChecked());
    }

    Press(w, Qt::Key_F11, Qt::NoModifier);
    EXPECT_TRUE(w.isFullScreen());
    Press(w, Qt::Key_F11, Qt::NoModifier);
    EXPECT_FALSE(w.isFullScreen());
    choices[QStringLiteral("全画面")]->trigger();
    EXPECT_TRUE(w.isFullScreen());
    Press(w, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(w.isFullScreen());
}

TEST(Zoom, ResizingPicksTheLargestFactorThatFitsAndCentresTheContent)
{
    ReadingWindow t;
    Poruka& w = t.w();
    w.show();
    w.resize(1400, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(t.zoom().factor(), 2);
    EXPECT_EQ(w.Picture1->parentWidget()->geometry(), QRect(55, 27, 1290, 846));
    EXPECT_EQ(w.Picture1->geometry(), QRect(240, 0, 1058, 850));

    w.resize(966, 700);   // 1.5x needs 968 pixels
    QCoreApplication::processEvents();
    EXPECT_EQ(t.zoom().factor(), 1);
    EXPECT_EQ(w.Picture1->parentWidget()->geometry(), QRect(160, 138, 645, 423));
}

TEST(Zoom, FullScreenShowsTheCaptionsStatusInTheWindow)
{
    ReadingWindow t;
    Poruka& w = t.w();
    auto* status = w.findChild<FullScreenStatus*>();
    ASSERT_NE(status, nullptr);
    w.show();
    w.statusBoard().set(StatusSource::Port, QStringLiteral("ぽるか未接続"));
    EXPECT_FALSE(status->isVisible()) << "the caption says it";

    t.zoom().setFullScreen(true);
    QCoreApplication::processEvents();
    ASSERT_TRUE(w.isFullScreen());
    const QRect content = w.Picture1->parentWidget()->geometry();
    EXPECT_EQ(content.center().x(), w.rect().center().x());
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), w.statusBoard().brackets());
    EXPECT_EQ(status->text(), QStringLiteral("（ぽるか未接続）"));
    // Above the content, over the middle of the pictures, and large.
    EXPECT_LE(status->geometry().bottom(), content.top());
    EXPECT_GE(status->geometry().left(), content.left() + w.Picture1->x());
    EXPECT_GE(status->fontInfo().pixelSize(), 24);
    const QImage shown = w.grab().toImage();
    SavePictureIfAsked(shown, QStringLiteral("zoom-full-screen-status.png"));
    EXPECT_EQ(shown.pixel(status->geometry().topLeft() + QPoint(2, 2)), qRgb(176, 0, 0));

    w.statusBoard().set(StatusSource::Port, QString());
    EXPECT_FALSE(status->isVisible());
    EXPECT_EQ(w.Picture1->parentWidget()->geometry().center(), w.rect().center());
    w.statusBoard().set(StatusSource::Port, QStringLiteral("ぽるか未接続"));
    EXPECT_TRUE(status->isVisible());
    t.zoom().setFullScreen(false);
    EXPECT_FALSE(status->isVisible());
}

// A 1920 x 1080 projector shows the window at 2.5x with a margin of 11 pixels above it: too
// thin for the text, so the pictures step down to 2x and leave it a band of its own.
TEST(Zoom, FullScreenStatusNeverCoversThePictures)
{
    ReadingWindow t;
    Poruka& w = t.w();
    PutOnScreen(w, "full-hd");
    w.show();
    t.zoom().setFullScreen(true);
    QCoreApplication::processEvents();
    ASSERT_EQ(w.size(), QSize(1920, 1080));
    EXPECT_EQ(t.zoom().factor(), 2.5);

    w.statusBoard().set(StatusSource::Port, QStringLiteral("ぽるか未接続"));
    auto* status = w.findChild<FullScreenStatus*>();
    ASSERT_TRUE(status->isVisible());
    const QRect content = w.Picture1->parentWidget()->geometry();
    const QRect pictures = w.Picture1->geometry().translated(content.topLeft());
    EXPECT_EQ(t.zoom().factor(), 2);
    EXPECT_FALSE(status->geometry().intersects(pictures));
    EXPECT_TRUE(w.rect().contains(content));
    EXPECT_GE(status->fontInfo().pixelSize(), 1080 / 20);
    SavePictureIfAsked(w.grab().toImage(), QStringLiteral("zoom-full-screen-1080.png"));

    w.statusBoard().set(StatusSource::Port, QString());
    EXPECT_EQ(t.zoom().factor(), 2.5);
}

// Ctrl+=, the menu and a move to another screen offer only the sizes whose window, frame
// included, stays inside the screen; a window near the screen's corner is moved in.
TEST(Zoom, OnlySizesThatFitTheScreenAreOffered)
{
    ReadingWindow t;
    Poruka& w = t.w();
    w.show();
    QApplication::setActiveWindow(&w);
    const std::pair<const char*, double> screens[] = {{"projector", 1.5}, {"full-hd", 2}, {"large", 3}};
    for (const auto& [name, largest] : screens) {
        const QRect area = TestScreen(name)->availableGeometry();
        Press(w, Qt::Key_0);
        w.move(area.bottomRight() - QPoint(w.frameGeometry().width(), w.frameGeometry().height()));
        QCoreApplication::processEvents();
        ASSERT_EQ(w.screen(), TestScreen(name));
        for (int i = 0; i < 4; ++i)
            Press(w, Qt::Key_Equal);
        QCoreApplication::processEvents();
        EXPECT_EQ(t.zoom().factor(), largest) << name;
        EXPECT_GT(w.frameGeometry().height(), w.height()) << "the frame counts";
        EXPECT_TRUE(area.contains(w.frameGeometry())) << name;
        for (const auto& [factor, action] : SizeChoices(*t.zoom().menu()))
            EXPECT_EQ(action->isEnabled(), factor <= largest) << name << " " << factor;
    }

    // From 3x on the large screen to the projector: the size steps down to one that fits.
    ASSERT_EQ(t.zoom().factor(), 3);
    PutOnScreen(w, "projector");
    QCoreApplication::processEvents();
    EXPECT_EQ(t.zoom().factor(), 1.5);
    EXPECT_TRUE(TestScreen("projector")->availableGeometry().contains(w.frameGeometry()));
    SizeChoices(*t.zoom().menu())[2]->trigger();
    EXPECT_EQ(t.zoom().factor(), 1.5) << "a size that does not fit is not taken";
}

TEST(Zoom, SettingsWindowFollowsTheFactor)
{
    ReadingWindow t;
    Poruka& w = t.w();
    w.Settei_Click();
    Fsettei* settings = SettingsWindowOf(w);
    ASSERT_NE(settings, nullptr);
    const QSize size = settings->size();
    const QRect field = settings->Text1->geometry();
    t.zoom().setFactor(2);
    EXPECT_EQ(settings->size(), size * 2);
    EXPECT_EQ(settings->Text1->geometry(), QRect(field.topLeft() * 2, field.size() * 2));
    settings->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w.Settei_Click();   // a fresh window opens at the factor of the moment
    EXPECT_EQ(SettingsWindowOf(w)->size(), size * 2);
}

// The boxes of check boxes and option buttons, and the menus, grow with the text beside them:
// at 1x the box is some 13 pixels, too small to see or touch on a projector's 2x.
TEST(Zoom, IndicatorsAndMenusFollowTheFactor)
{
    ReadingWindow t;
    Poruka& w = t.w();
    w.Settei_Click();
    Fsettei& settings = *SettingsWindowOf(w);
    QMenu& menu = t.program->pictureMenu();
    QAction* saveData = menu.actions().front();
    const auto measure = [&] {
        return std::tuple{IndicatorSize(*settings.Check1), IndicatorSize(*settings.Option1),
                          menu.actionGeometry(saveData).height(), menu.sizeHint().width()};
    };
    const auto [box, circle, entry, menuWidth] = measure();
    ASSERT_GE(box.width(), 8);
    ASSERT_GE(circle.width(), 8);

    t.zoom().setFactor(2);
    const auto [box2, circle2, entry2, menuWidth2] = measure();
    for (const auto& [one, two, what] : {std::tuple{box, box2, "check box"}, {circle, circle2, "option button"}}) {
        EXPECT_GE(two.width(), 2 * one.width()) << what;
        EXPECT_GE(two.height(), 2 * one.height()) << what;
    }
    EXPECT_GE(entry2, 2 * entry) << "menu entry";
    EXPECT_GE(menuWidth2, 2 * menuWidth - 4) << "menu";
    SavePictureIfAsked(settings.grab().toImage(), QStringLiteral("settings-2x.png"));
    menu.popup(w.Picture1->mapToGlobal(QPoint(300, 200)));
    SavePictureIfAsked(menu.grab().toImage(), QStringLiteral("context-menu-2x.png"));
    menu.close();

    t.zoom().setFactor(1);
    EXPECT_EQ(measure(), std::tuple(box, circle, entry, menuWidth)) << "back at 1x as before";
}
