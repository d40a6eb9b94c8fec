#include "app/Poruka.h"

#include "render/Barometer.h"
#include "render/GraphFrame.h"
#include "render/Thermometer.h"

#include <QLabel>
#include <QTimer>

// Placeholder bodies until the live readout lands.
void Poruka::RedrawInstruments()
{
    DrawThermometer(m_state, m_surface);
    DrawBarometer(m_state, m_surface);
    DrawPageFrame(m_state, m_surface);
}

void Poruka::Timer1Start()
{
    RedrawInstruments();
}

void Poruka::Timer1_Timer() {}
