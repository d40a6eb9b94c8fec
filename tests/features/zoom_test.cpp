// The main window shown larger for a class: exact pixel blocks, controls and fonts at the
// factor, the keys and the menu, resizing, full screen with the status, and a HiDPI screen.

#include "features/ExportCommands.h"
#include "features/FullScreenStatus.h"
#include "widgets/ScaledControls.h"
#include "features/Zoom.h"
#include "render/SurfaceView.h"
#include "settings/Fsettei.h"
#include "settings/OpenSettingsWindow.h"
#include "support/Fakes.h"
#include "support/Pictures.h"
#include "TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {

// A window that has started up on the sample files and shown a few readings, so the pictures
// hold marks, digits and a liquid column.
struct ReadingWindow : TestWindow {
    ReadingWindow()
    {
        const QDir data(QStringLiteral(PORUKA_SOURCE_DIR "/data"));
        for (const QString& name : data.entryList(QDir::Files)) {
            QFile::copy(data.filePath(name), folder.filePath(name));
        }
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

// Every whole F x F block of the picture area holds one colour.
int MixedBlocks(const QImage& picture, QRect area, int factor)
{
    int mixed = 0;
    for (int y = area.top(); y + factor - 1 <= area.bottom(); y += factor) {
        for (int x = area.left(); x + factor - 1 <= area.right(); x += factor) {
            const QRgb first = picture.pixel(x, y);
            for (int i = 0; i < factor * factor; ++i)
                mixed += picture.pixel(x + i % factor, y + i / factor) != first ? 1 : 0;
        }
    }
    return mixed;
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
    EXPECT_EQ(content.center(), w.rect().center());
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), w.statusBoard().brackets());
    EXPECT_EQ(status->text(), QStringLiteral("（ぽるか未接続）"));
    // In the grey margin above the content, over the pictures, and large.
    EXPECT_LE(status->geometry().bottom(), content.top());
    EXPECT_GE(status->geometry().left(), content.left() + w.Picture1->x());
    EXPECT_GE(status->fontInfo().pixelSize(), 24);
    const QImage shown = w.grab().toImage();
    SavePictureIfAsked(shown, QStringLiteral("zoom-full-screen-status.png"));
    EXPECT_EQ(shown.pixel(status->geometry().topLeft() + QPoint(2, 2)), qRgb(176, 0, 0));

    w.statusBoard().set(StatusSource::Port, QString());
    EXPECT_FALSE(status->isVisible());
    w.statusBoard().set(StatusSource::Port, QStringLiteral("ぽるか未接続"));
    EXPECT_TRUE(status->isVisible());
    t.zoom().setFullScreen(false);
    EXPECT_FALSE(status->isVisible());
}

// A 1920 x 1080 projector shows the window at 2.5x with a margin of 11 pixels above it: too
// thin for the text, which then lies over the top edge of the pictures.
TEST(Zoom, FullScreenStatusWithoutRoomAboveLiesOverThePictures)
{
    QWidget screen;
    screen.resize(1920, 1080);
    FullScreenStatus status(screen);
    status.setStatus(QStringLiteral("（ぽるか未接続）"));
    const QRect content(153, 11, 1613, 1058);
    const QRect pictures(453, 11, 1313, 1058);
    status.place(content, pictures);
    EXPECT_TRUE(status.isHidden()) << "only in full screen";
    status.setFullScreen(true);
    EXPECT_FALSE(status.isHidden());
    EXPECT_EQ(status.y(), pictures.top());
    EXPECT_NEAR(status.geometry().center().x(), pictures.center().x(), 1);
    EXPECT_GE(status.fontInfo().pixelSize(), 1080 / 20);
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

// The program itself on a screen of two device pixels to the logical one: the window keeps its
// size in logical pixels and the pictures are drawn as exact 2 x 2 blocks, not smoothed.
TEST(Zoom, HighDensityScreenShowsThePicturesAsExactBlocks)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("window.png"));
    const QDir data(QStringLiteral(PORUKA_SOURCE_DIR "/data"));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), folder.filePath(name));
    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PORUKA_PROGRAM_PATH),
                  {QStringLiteral("--screenshot"), picture, QStringLiteral("--quit-after"), QStringLiteral("0"),
                   QStringLiteral("--port"), folder.filePath(QStringLiteral("no-box"))});
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QImage shown(picture);
    SavePictureIfAsked(shown, QStringLiteral("zoom-device-pixel-ratio-2.png"));
    ASSERT_EQ(shown.size(), QSize(1290, 846));
    EXPECT_EQ(MixedBlocks(shown, QRect(240, 0, 1050, 846), 2), 0);
}
