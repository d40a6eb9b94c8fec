#pragma once

// Every timer interval the program fixes, in milliseconds. Some differ on purpose between the
// way a run starts and the way the settings window resumes it; the places that use the
// unexpected ones say so.

// Live readout (Timer1).
inline constexpr int kReadoutMinuteModeMs = 200;      // minute mode, at start-up and after the settings
inline constexpr int kReadoutTenthModeMs = 64;        // 0.1-s mode at start-up
inline constexpr int kReadoutAfterSettingsMs = 100;   // 0.1-s mode after the settings are applied with samples recorded

// Recording (Timer2).
inline constexpr int kRecordMinuteModeMs = 30000;    // minute mode; every second tick records
inline constexpr int kRecordTenthModeMs = 100;       // 0.1-s mode: starting a run, resuming after help, exit or close
inline constexpr int kRecordAfterSettingsMs = 200;   // 0.1-s mode when the settings window resumes the run
