#include "device/BoxLink.h"

#include "base/ProgramState.h"
#include "device/CommPort.h"
#include "render/Surface.h"

#include <QStringList>

namespace {

void PrintInstructions(Surface& surface)
{
    const QStringList lines = {
        QStringLiteral("「ぽるか」初期化中。"),
        QString(),
        QStringLiteral("　「ぽるか」が接続されていないと、プログラムが"),
        QStringLiteral("　起動しません。もし、プログラムが動かない場合に"),
        QStringLiteral("　は、「ぽるか」の接続と、ポートの設定を確認して"),
        QStringLiteral("　下さい。"),
        QStringLiteral("　初期設定では接続ポートは「１」になっています。"),
        QStringLiteral("　ポートの設定変更は「VORUM.TXT」で行って下さい。"),
        QString(),
    };
    for (const QString& line : lines)
        surface.PrintLine(line);
}

} // namespace

void SetUpBoxLink(ProgramState& state, Surface& surface, CommPort& port)
{
    PrintInstructions(surface);

    state.RawTemperature = 0;
    state.BoxMissing = -1;
    // The liquid probe's table is the active one until the settings are applied.
    state.TemperatureTable = state.LiquidTemperatureTable;

    if (state.PortNumber < 1)
        state.PortNumber = 1;
    if (state.PortNumber > 4)
        state.PortNumber = 4;
    if (!port.Open(state.PortNumber))
        return;   // no port, no box; the instructions above are the user's guidance

    port.Write(0x00);
    port.Write(0x00);
    port.Write(0xFF);
    QByteArray received = port.ReadAvailable();
    if (received.size() < kBoxAnswer.size())
        received += port.WaitForReply(kBoxAnswerWaitMilliseconds, kBoxAnswer.size() - received.size());
    if (received.startsWith(kBoxAnswer))
        state.BoxMissing = 0;
    // What arrived is used for nothing else: it was taken from the port above, so the first
    // readout tick never reads a letter of the answer as a temperature.
}

void ShowNotConnected(Surface& surface)
{
    surface.PrintLine(QStringLiteral("ぽるかが接続されていません!"));
}
