#include "settings/Fsettei.h"

#include "base/Numbers.h"
#include "files/AutoScale.h"
#include "files/SelectTables.h"
#include "render/Barometer.h"
#include "render/Thermometer.h"
#include "settings/ScaleLimits.h"
#include "window/Poruka.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// A field's text, or the stored limit's decimal text when the field was left empty.
QString FieldOrStored(const QLineEdit* field, double stored)
{
    const QString text = field->text();
    return text.isEmpty() ? DecimalText(stored) : text;
}

} // namespace

// Applies the window's controls in a fixed order: thermometer, probe, barometer, sensitivity,
// interval; then resumes a paused run.
void Fsettei::Owaru_Click()
{
    ApplyThermometerScale();
    ApplyBarometerScale();
    ApplyInterval();
    hide();
    ShowMainWindow();
    m_main.ResumeAfterSettingsApplied();
}

void Fsettei::ApplyThermometerScale()
{
    ProgramState& state = m_main.state();
    state.ThermometerAuto = Check1->isChecked() ? -1 : 0;
    // The chosen probe's table is made active first, so automatic limits are computed with the
    // table the readings will go through and the picture, the graph and the state agree.
    state.TemperatureProbe = Option1->isChecked() ? -1 : 0;
    SelectTemperatureTable(state);
    if (state.ThermometerAuto == 0) {
        const FixedLimits limits = CorrectLimits(FieldOrStored(Text1, state.ThermometerMin),
                                                 FieldOrStored(Text2, state.ThermometerMax),
                                                 kThermometerBounds);
        state.ThermometerMax = limits.max;
        state.ThermometerMin = limits.min;
    } else {
        // The barometer's limits are settled by its own step below.
        ComputeAutoScale(state, ScaleInstruments::Thermometer);
    }
    DrawThermometer(state, m_main.surface());
    state.GraphThermometerMax = state.ThermometerMax;
    state.GraphThermometerMin = static_cast<float>(state.ThermometerMin);
}

void Fsettei::ApplyBarometerScale()
{
    ProgramState& state = m_main.state();
    state.BarometerAuto = Check4->isChecked() ? -1.0f : 0.0f;
    state.PressureStep = Option3->isChecked() ? 1 : 2;   // before any automatic limits, as above
    SelectPressureTable(state);
    if (state.BarometerAuto == 0.0f) {
        const FixedLimits limits = CorrectLimits(FieldOrStored(Text3, state.BarometerMin),
                                                 FieldOrStored(Text4, state.BarometerMax),
                                                 kBarometerBounds);
        state.BarometerMax = limits.max;
        state.BarometerMin = limits.min;
    } else {
        // Fixed thermometer limits stay: the thermometer was drawn with them and the graph
        // must agree with it.
        ComputeAutoScale(state, state.ThermometerAuto == -1 ? ScaleInstruments::Both : ScaleInstruments::Barometer);
    }
    DrawBarometer(state, m_main.surface());
    state.GraphBarometerMax = state.BarometerMax;
    state.GraphBarometerMin = static_cast<float>(state.BarometerMin);
}

// This window's wording, "１秒ごと測定", differs from the main window's "１秒ごとに測定".
// Intended; keep both.
void Fsettei::ApplyInterval()
{
    ProgramState& state = m_main.state();
    if (Option5->isChecked()) {
        state.MinuteMode = 0;
        m_main.ShowModeCaption(QStringLiteral("１秒ごと測定"));
    } else {
        state.MinuteMode = 1;
        m_main.ShowModeCaption(QStringLiteral("１分ごと測定"));
    }
}
