#pragma once

#include <QWidget>

class Poruka;

// The settings window: scale limits, probe, pressure sensitivity and recording interval.
class Fsettei : public QWidget {
    Q_OBJECT
public:
    explicit Fsettei(Poruka& main, QWidget* parent = nullptr);

private:
    Poruka& m_main;
};
