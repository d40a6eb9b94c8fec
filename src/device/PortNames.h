#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// The device behind port number n (1..4; any other number means port 1): COMn on Windows,
// elsewhere the first existing of /dev/ttyUSB{n-1}, /dev/ttyACM{n-1}, /dev/ttyS{n-1}.
// USB adapters come first because classrooms rarely have a built-in serial port.
QString PortDeviceName(int16_t portNumber);
QString PortDeviceName(int16_t portNumber, const std::function<bool(const QString&)>& exists);

// A device named on the command line: a relative path to an existing file becomes absolute,
// anything else (ttyUSB0, COM3, /dev/ttyS0) is passed on as it stands.
QString NamedDevice(const QString& device);
