#include "support/Pictures.h"
#include "support/SettingsFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <vector>

namespace {

constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kGrey = qRgb(192, 192, 192);

struct Placed {
    QWidget* control;
    QRect twips;   // left, top, width, height in twips, relative to the parent
    QRgb back;
    bool bold;
};

QRect Pixels(QRect twips)
{
    return QRect(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0), qRound(twips.width() / 15.0),
                 qRound(twips.height() / 15.0));
}

std::vector<Placed> Layout(Fsettei& w)
{
    return {
        {w.Frame3, {0, 0, 4080, 2700}, kYellow, false},
        {w.Check1, {120, 480, 3120, 270}, kYellow, true},
        {w.Label1, {720, 1050, 2280, 270}, kYellow, false},
        {w.Text1, {2520, 960, 960, 435}, kYellow, true},
        {w.Label9, {3600, 1050, 360, 270}, kYellow, false},
        {w.Label2, {720, 1920, 2520, 270}, kYellow, false},
        {w.Text2, {2520, 1830, 960, 450}, kYellow, true},
        {w.Label4, {3600, 1920, 360, 270}, kYellow, false},
        {w.Frame2, {0, 2700, 4080, 1500}, kYellow, false},
        {w.Option1, {240, 360, 3600, 270}, kYellow, false},
        {w.Option2, {240, 960, 3600, 270}, kYellow, false},
        {w.Frame1, {4200, 0, 4080, 2700}, kCyan, false},
        {w.Check4, {120, 480, 3120, 270}, kCyan, true},
        {w.Label5, {600, 1080, 2280, 270}, kCyan, false},
        {w.Text3, {2400, 960, 960, 450}, kCyan, true},
        {w.Label6, {3480, 1080, 360, 270}, kCyan, false},
        {w.Label7, {600, 1920, 2040, 270}, kCyan, false},
        {w.Text4, {2400, 1800, 960, 450}, kCyan, true},
        {w.Label8, {3480, 1920, 360, 270}, kCyan, false},
        {w.Frame4, {4200, 2700, 4080, 1500}, kCyan, false},
        {w.Option3, {360, 360, 2880, 270}, kCyan, false},
        {w.Option4, {360, 930, 2760, 270}, kCyan, false},
        {w.Frame5, {0, 4320, 4080, 1335}, kGrey, false},
        {w.Option5, {240, 360, 3720, 270}, kGrey, false},   // widened to fit its caption
        {w.Option6, {240, 840, 3720, 270}, kGrey, false},
        {w.FCancel, {4560, 4590, 1440, 810}, kGrey, true},
        {w.Owaru, {6120, 4590, 2040, 810}, kGrey, true},
    };
}

} // namespace

using SettingsWindow = SettingsFixture;

TEST_F(SettingsWindow, EveryControlSitsAtItsPlaceInItsColoursAndFont)
{
    Fsettei& w = OpenSettings();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("温度計と気圧計の設定"));
    EXPECT_EQ(w.size(), QSize(558, 383));
    EXPECT_EQ(w.palette().color(QPalette::Window).rgb(), kGrey);
    for (const Placed& p : Layout(w)) {
        SCOPED_TRACE(p.control->metaObject()->className());
        SCOPED_TRACE(qPrintable(p.control->property("text").toString()));
        EXPECT_EQ(p.control->geometry(), Pixels(p.twips));
        EXPECT_EQ(p.control->palette().color(QPalette::Window).rgb(), p.back);
        EXPECT_EQ(p.control->font().bold(), p.bold);
        EXPECT_EQ(p.control->font().pointSizeF(), 12.0);
    }
    EXPECT_EQ(w.Check1->parentWidget(), w.Frame3);
    EXPECT_EQ(w.Option2->parentWidget(), w.Frame2);
    EXPECT_EQ(w.Text4->parentWidget(), w.Frame1);
    EXPECT_EQ(w.Option4->parentWidget(), w.Frame4);
    EXPECT_EQ(w.Option6->parentWidget(), w.Frame5);
    EXPECT_EQ(w.Option3->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(w.Option5->font().family(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(w.Owaru->text(), QStringLiteral("設定をおわる"));
    EXPECT_EQ(w.FCancel->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(w.Option5->text(), QStringLiteral("0.1秒ごと（16分間記録可能）"));
    EXPECT_EQ(w.Option6->text(), QStringLiteral("１分ごと （８日間記録可能）"));
}

TEST_F(SettingsWindow, EveryCaptionFitsItsControl)
{
    Fsettei& w = OpenSettings();
    for (const Placed& p : Layout(w)) {
        if (qobject_cast<QLineEdit*>(p.control) || qobject_cast<QGroupBox*>(p.control))
            continue;
        SCOPED_TRACE(p.control->metaObject()->className());
        const QString text = p.control->property("text").toString();
        SCOPED_TRACE(qPrintable(text));
        const QSize needed = p.control->minimumSizeHint();
        EXPECT_LE(needed.width(), p.control->width());
        EXPECT_LE(p.control->fontMetrics().height(), p.control->height());
    }
    for (QGroupBox* frame : {w.Frame1, w.Frame2, w.Frame3, w.Frame4, w.Frame5})
        EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 16, frame->width());
}

TEST_F(SettingsWindow, TabWalksTheControlsInTheirOrder)
{
    Fsettei& w = OpenSettings();
    const std::vector<QWidget*> expected = {w.Check1, w.Text1, w.Text2, w.Option1, w.Option2,
                                            w.Check4, w.Text3, w.Text4, w.Option3, w.Option4,
                                            w.Option5, w.Option6, w.FCancel, w.Owaru};
    std::vector<QWidget*> chain;
    for (QWidget* next = w.Check1; chain.size() < expected.size(); next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus)
            chain.push_back(next);
    EXPECT_EQ(chain, expected);
    for (QPushButton* button : {w.FCancel, w.Owaru}) {
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
}

TEST_F(SettingsWindow, OpensFilledFromTheStoredSettings)
{
    state().ThermometerMax = 100;
    state().ThermometerMin = -30;
    state().BarometerMax = 1012.5;
    state().BarometerMin = 980;
    state().ThermometerAuto = -1;
    state().TemperatureProbe = -1;
    state().BarometerAuto = 0;
    state().PressureStep = 1;
    state().MinuteMode = 1;
    Fsettei& w = OpenSettings();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_TRUE(main().isEnabled());
    EXPECT_EQ(w.Text1->text(), QStringLiteral(" 100"));
    EXPECT_EQ(w.Text2->text(), QStringLiteral("-30"));
    EXPECT_EQ(w.Text3->text(), QStringLiteral(" 1012.5"));
    EXPECT_EQ(w.Text4->text(), QStringLiteral(" 980"));
    EXPECT_TRUE(w.Check1->isChecked());
    EXPECT_TRUE(w.Option1->isChecked());
    EXPECT_FALSE(w.Check4->isChecked());
    EXPECT_TRUE(w.Option3->isChecked());
    EXPECT_TRUE(w.Option6->isChecked());

    // Only exactly -1 counts as "automatic" and as the air probe; 1 alone is the 1 hPa table.
    state().ThermometerAuto = 1;
    state().TemperatureProbe = 1;
    state().BarometerAuto = -1.0f;
    state().PressureStep = 0;
    state().MinuteMode = 2;
    OpenSettings();
    EXPECT_FALSE(w.Check1->isChecked());
    EXPECT_TRUE(w.Option2->isChecked());
    EXPECT_TRUE(w.Check4->isChecked());
    EXPECT_TRUE(w.Option4->isChecked());
    EXPECT_TRUE(w.Option5->isChecked());
}

TEST_F(SettingsWindow, EachOpeningPausesTheRunAndDropsUnsavedEdits)
{
    Recording(10, 0);
    main().Timer1->start(64);
    Fsettei& first = OpenSettings();
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_TRUE(main().Timer1->isActive());   // the live readout goes on
    EXPECT_EQ(state().SampleCount, 9);

    first.Text1->setText(QStringLiteral("77"));
    first.Check4->setChecked(!first.Check4->isChecked());
    Fsettei& second = OpenSettings();
    EXPECT_EQ(&second, &first);   // kept, not rebuilt
    EXPECT_EQ(state().SampleCount, 8);
    EXPECT_EQ(second.Text1->text(), DecimalText(state().ThermometerMax));
    EXPECT_EQ(second.Check4->isChecked(), state().BarometerAuto == -1.0f);

    state().SampleCount = 0;
    OpenSettings();
    EXPECT_EQ(state().SampleCount, 0);   // never below 0
}

TEST_F(SettingsWindow, CancelHidesAndResumesOnlyARunWithSamples)
{
    Recording(10, 0);
    state().ThermometerMax = 40;
    Fsettei& w = OpenSettings();
    w.Text1->setText(QStringLiteral("77"));
    w.FCancel_Click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 200);   // not the 100 ms of a fresh start
    EXPECT_EQ(state().ThermometerMax, 40);
    EXPECT_EQ(state().SampleCount, 9);

    Recording(10, 1);
    OpenSettings();
    QTest::mouseClick(w.FCancel, Qt::LeftButton);
    EXPECT_TRUE(main().Timer2->isActive());
    EXPECT_EQ(main().Timer2->interval(), 30000);

    Recording(1, 1);   // the pause takes the only sample back
    OpenSettings();
    w.FCancel_Click();
    EXPECT_FALSE(main().Timer2->isActive());

    Stopped(10, 0);
    OpenSettings();
    w.FCancel_Click();
    EXPECT_FALSE(main().Timer2->isActive());
    OpenSettings();
    EXPECT_EQ(w.Text1->text(), QStringLiteral(" 40"));   // the cancelled edit is gone
}

TEST_F(SettingsWindow, ItsCloseControlDiscardsItWithoutApplyingOrResuming)
{
    Recording(10, 0);
    state().ThermometerMax = 40;
    QPointer<Fsettei> first = &OpenSettings();
    first->Text1->setText(QStringLiteral("77"));
    first->Check1->setChecked(!first->Check1->isChecked());
    EXPECT_TRUE(first->close());
    EXPECT_EQ(SettingsWindowOf(main()), nullptr);
    EXPECT_FALSE(main().Timer2->isActive());
    EXPECT_EQ(state().ThermometerMax, 40);

    Fsettei& second = OpenSettings();   // before the old one is actually deleted
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(second.Text1->text(), QStringLiteral(" 40"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(SettingsWindowOf(main()), &second);
    EXPECT_TRUE(second.isVisible());
}

TEST_F(SettingsWindow, EnterAndEscapePressNeitherButton)
{
    state().ThermometerMax = 40;
    Fsettei& w = OpenSettings();
    w.Text1->setText(QStringLiteral("77"));
    for (QPushButton* button : {w.Owaru, w.FCancel}) {
        button->setFocus(Qt::TabFocusReason);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(button, key);
    }
    QTest::keyClick(w.Option5, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(state().ThermometerMax, 40);

    // The space bar presses the focused button.
    w.Owaru->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.Owaru, Qt::Key_Space);
    EXPECT_FALSE(w.isVisible());
}

// The window as a person sees it; PORUKA_PICTURES keeps the picture for a look.
TEST_F(SettingsWindow, PictureShowsTheColouredGroups)
{
    state().ThermometerMax = 40;
    state().ThermometerMin = -10;
    state().ThermometerAuto = -1;
    state().TemperatureProbe = -1;
    state().BarometerMax = 1040;
    state().BarometerMin = 960;
    state().PressureStep = 1;
    state().MinuteMode = 1;
    Fsettei& w = OpenSettings();
    const QImage picture = w.grab().toImage();
    SavePictureIfAsked(picture, QStringLiteral("settings-window.png"));
    EXPECT_EQ(picture.pixel(200, 4), kYellow);   // beside each group's title
    EXPECT_EQ(picture.pixel(480, 4), kCyan);
    EXPECT_EQ(picture.pixel(200, 292), kGrey);
    EXPECT_EQ(picture.pixel(280, 375), kGrey);   // below the buttons
}
