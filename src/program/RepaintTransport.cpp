#include "program/RepaintTransport.h"

#include <QByteArray>
#include <QtGlobal>

void SendRepaintsOverTheConnection()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}
