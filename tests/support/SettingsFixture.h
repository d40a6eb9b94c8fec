#pragma once

// A started main window wired to the fakes, with helpers to open the settings window, put a run
// into a known state and see which graph view a command left on the surface.

#include "base/Numbers.h"
#include "render/Surface.h"
#include "settings/Fsettei.h"
#include "settings/OpenSettingsWindow.h"
#include "support/Fakes.h"
#include "window/Poruka.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

class SettingsFixture : public ::testing::Test {
protected:
    static constexpr QRgb kMarker = qRgb(255, 0, 255);

    void SetUp() override
    {
        t.window->Form_Load();
        t.window->show();
        QApplication::setActiveWindow(t.window);
    }

    // Stops the readout with 25 °C and 1013 hPa in the fields, so that every sample records them.
    void HoldReadings()
    {
        main().Timer1->stop();
        main().Text1->setText(QStringLiteral(" 25"));
        main().Text3->setText(QStringLiteral(" 1013"));
    }

    Poruka& main() { return *t.window; }
    ProgramState& state() { return t.window->state(); }

    // Presses "せってい" and makes the settings window the active one, as a click would.
    Fsettei& OpenSettings()
    {
        main().Settei_Click();
        Fsettei* settings = SettingsWindowOf(main());
        EXPECT_NE(settings, nullptr);
        QApplication::setActiveWindow(settings);
        return *settings;
    }

    // A run that is recording, as Start leaves it.
    void Recording(double samples, int16_t minuteMode)
    {
        state().SampleCount = samples;
        state().MinuteMode = minuteMode;
        main().Start->setText(QString::fromUtf8(Poruka::kStopCaption));
        main().Timer2->start(minuteMode == 1 ? 30000 : 100);
    }

    // A run that was stopped, as Stop leaves it.
    void Stopped(double samples, int16_t minuteMode)
    {
        state().SampleCount = samples;
        state().MinuteMode = minuteMode;
        main().Start->setText(QString::fromUtf8(Poruka::kStartCaption));
        main().Timer2->stop();
    }

    // Covers the surface with a colour no picture uses, so that whatever is drawn next shows.
    void MarkSurface() { main().surface().FilledBox(0, 0, Surface::kWidth - 1, Surface::kHeight - 1, kMarker); }

    // The graph between the instruments, as the surface shows it now.
    QImage GraphArea() { return main().surface().image().copy(kGraph); }

    // Part of a marked surface after the given drawing, drawn from a copy of the state.
    static QImage AreaDrawnBy(const QRect& area, const ProgramState& from,
                              const std::function<void(ProgramState&, Surface&)>& draw)
    {
        auto copy = std::make_unique<ProgramState>(from);
        Surface surface;
        surface.FilledBox(0, 0, Surface::kWidth - 1, Surface::kHeight - 1, kMarker);
        draw(*copy, surface);
        return surface.image().copy(area);
    }

    static QImage GraphAreaDrawnBy(const ProgramState& from,
                                   const std::function<void(ProgramState&, Surface&)>& draw)
    {
        return AreaDrawnBy(kGraph, from, draw);
    }

    static QImage UntouchedGraphArea()
    {
        return GraphAreaDrawnBy(ProgramState{}, [](ProgramState&, Surface&) {});
    }

    static inline const QRect kGraph{71, 1, 329, 356};   // inside both graph views

    TestWindow t;
};
