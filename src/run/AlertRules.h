#pragma once

// How one alert table is read: which entries hold alerts, which of them a step between two
// samples sets off, and how an entry's display time and colour value become a timer interval
// and a background colour.

#include "base/ProgramState.h"

#include <optional>
#include <vector>

// The entries that hold alerts: 0..count-1, and entry 30 as well once more than 30 alert lines
// were read (the loader keeps the latest of them there and stops counting at 30). With exactly
// 30 lines entry 30 stays blank, so it is taken only when the loader says it was used or it
// holds something; a blank entry would otherwise fire as a falling alert through 0.
bool AlertEntryInUse(const AlertTable& alerts, const AlertTexts& texts, int16_t count,
                     bool entry30Used, int entry);

// The entries that the step previous -> latest sets off, in order: a rising entry (direction
// -1) when previous < threshold <= latest, any other direction when previous > threshold >= latest.
std::vector<int> FiringAlerts(const AlertTable& alerts, const AlertTexts& texts, int16_t count,
                              bool entry30Used, float previous, float latest);
// The last of them; -1 when none fires.
int LastFiringAlert(const AlertTable& alerts, const AlertTexts& texts, int16_t count,
                    bool entry30Used, float previous, float latest);

// Display time in seconds -> alert timer interval in ms. 0 means the message stays until the
// run stops (no timer); so does a negative time. Times beyond the timer's old 65535 ms limit
// are held at that limit.
int AlertDisplayInterval(int seconds);
inline constexpr int kLongestAlertInterval = 65535;

// The platform's colour number keeps red in the low byte, then green, then blue (255 = red).
// A value outside 0..0xFFFFFF is no colour: no result, and the field keeps its normal colour.
// The colour is written as 0xffRRGGBB, the form Qt's QRgb takes.
std::optional<unsigned int> AlertBackColour(int value);
