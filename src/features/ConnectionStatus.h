#pragma once

// The window caption tells the class whether the box is answering. When start-up finds no
// box, or the port is lost while the program runs, it reads "温度と気圧（ぽるか未接続）" until
// the box answers again; the value fields keep their last values meanwhile. When the port is
// there but will not open, the caption names the cause instead: no permission to open it, or
// another program holding it. Only a window given a PortStatus (the program's reconnecting
// port) reports this; without one nothing changes.

class PortStatus;
class StatusBoard;

inline constexpr const char* kConnectedCaption = "温度と気圧";
inline constexpr const char* kNotConnectedCaption = "温度と気圧（ぽるか未接続）";
// The caption's bracket for each cause.
inline constexpr const char* kNotConnectedStatus = "ぽるか未接続";
inline constexpr const char* kNoPermissionStatus = "ポートを開く権限がありません";
inline constexpr const char* kPortBusyStatus = "ポートは使用中です";

// The status board follows what the port reports, from now on. (Whoever exchanges with the
// port lets it look at itself after each exchange: PortStatus::Check.)
void ShowConnectionStatus(PortStatus& port, StatusBoard& status);
