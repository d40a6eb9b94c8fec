#pragma once

// The window caption tells the class whether the box is answering. When start-up finds no
// box, or the port is lost while the program runs, it reads "温度と気圧（ぽるか未接続）" until
// the box answers again; the value fields keep their last values meanwhile. Only a port that
// can reconnect (ReconnectingPort) reports this; with any other port nothing changes.

class Poruka;

inline constexpr const char* kConnectedCaption = "温度と気圧";
inline constexpr const char* kNotConnectedCaption = "温度と気圧（ぽるか未接続）";
inline constexpr const char* kNotConnectedStatus = "ぽるか未接続";   // the caption's bracket

// Hook for the main window, after its readout timer is connected: each readout tick is
// followed by a look at the port, and the caption follows what the port reports.
void InstallConnectionStatus(Poruka& window);
