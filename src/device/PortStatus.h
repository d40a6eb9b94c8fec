#pragma once

// What the window's caption tells the class about the port: whether the box is answering and,
// while the port will not open, why. The reconnecting port reports it; the program's main
// hands it to the window beside the port.

#include "device/CommPort.h"

#include <QObject>

class PortStatus : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool answering() const = 0;
    // Why the last attempt to open the port failed; None while it is open. (The same question
    // CommPort asks, so a port that is both answers it once.)
    virtual OpenFailure LastOpenFailure() const = 0;
    // A look at the port after an exchange; the owner calls it after every one.
    virtual void Check() = 0;

signals:
    void changed();   // answering() or LastOpenFailure() changed
};
