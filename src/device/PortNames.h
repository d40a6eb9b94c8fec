#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The devices port number n (1..4; any other number means port 1) may name, in the order to
// try them. On Windows that is COMn alone. Elsewhere the number counts serial adapters as a
// teacher does: the USB adapters first, in the stable order of serial/by-id, then those it
// does not list (ttyUSB, then ttyACM, by number); port n is the nth of them, followed by the
// built-in port ttyS{n-1}. The list is never empty: with nothing there it names the built-in
// port, so that opening fails in the usual way. `devices` stands for /dev.
QStringList PortCandidates(int16_t portNumber, const QString& devices = QStringLiteral("/dev"));

// A device named on the command line: a relative path to an existing file becomes absolute,
// anything else (ttyUSB0, COM3, /dev/ttyS0) is passed on as it stands.
QString NamedDevice(const QString& device);
