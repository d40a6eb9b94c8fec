#pragma once

#include "device/SerialCommPort.h"

#include <QFile>
#include <QTimer>
#include <QWidget>

class FilledWidget;

// A bare Qt window that makes the events of a 0.1-s recording and does none of the program's
// work: every 64 ms a one-byte request to the box and a read of what has arrived; every 100 ms
// one line appended to a file with one write, a digit-sized repaint of a label-sized widget and
// a column's repaint of a picture-sized one. Measured beside the program, it shows what Qt, the
// X server and the machine cost for that pattern alone.
class ReferenceWindow final : public QWidget {
public:
    explicit ReferenceWindow(const QString& device);

    int ticks() const { return m_ticks; }

private:
    void Exchange();
    void Tick();

    SerialCommPort m_port;
    QFile m_lines;
    QTimer m_readout;
    QTimer m_recording;
    FilledWidget* m_label;
    FilledWidget* m_picture;
    bool m_pressureStep = false;
    int m_ticks = 0;
};
