#include "ReferenceWindow.h"

#include <QPaintEvent>
#include <QPainter>

// An opaque widget that fills what it repaints, as the program's label and picture paint
// only their changed pixels.
class FilledWidget final : public QWidget {
public:
    FilledWidget(QWidget* parent, const QRect& geometry)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(geometry);
    }

    QColor colour = Qt::lightGray;

protected:
    void paintEvent(QPaintEvent* event) override { QPainter(this).fillRect(event->rect(), colour); }
};

ReferenceWindow::ReferenceWindow(const QString& device)
    : m_port(device)
    , m_lines(QStringLiteral("reference-lines.csv"))
    , m_label(new FilledWidget(this, QRect(0, 100, 120, 26)))
    , m_picture(new FilledWidget(this, QRect(130, 40, 529, 425)))
{
    resize(800, 600);
    m_port.Open(1);
    m_lines.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    connect(&m_readout, &QTimer::timeout, this, &ReferenceWindow::Exchange);
    connect(&m_recording, &QTimer::timeout, this, &ReferenceWindow::Tick);
    m_readout.start(64);
    m_recording.start(100);
}

void ReferenceWindow::Exchange()
{
    m_port.Write(m_pressureStep ? 0xF2 : 0xF3);
    m_pressureStep = !m_pressureStep;
    m_port.ReadAvailable();
}

void ReferenceWindow::Tick()
{
    ++m_ticks;
    m_lines.write(QByteArrayLiteral("1234,2026-12-08 09:30:12.3,20.00,1013.0,,\r\n"));
    const QColor colour = QColor::fromHsv(m_ticks * 37 % 360, 60, 220);
    m_label->colour = colour;
    m_picture->colour = colour;
    m_label->update(90, 0, 11, 26);
    m_picture->update(60 + m_ticks % 400, 180, 2, 53);
}
