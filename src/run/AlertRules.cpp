#include "run/AlertRules.h"

#include <algorithm>

namespace {

constexpr int kDirection = 0;
constexpr int kThreshold = 1;
constexpr int kOverflowEntry = kAlertEntries - 1;   // 30

bool EntryIsBlank(const AlertTable& alerts, const AlertTexts& texts, int entry)
{
    for (int field = 0; field < kAlertFields; ++field) {
        if (alerts[field][entry] != 0)
            return false;
    }
    return texts[entry].isEmpty();
}

bool Fires(const AlertTable& alerts, int entry, float previous, float latest)
{
    const float threshold = alerts[kThreshold][entry];
    if (alerts[kDirection][entry] == -1)
        return previous < threshold && latest >= threshold;
    return previous > threshold && latest <= threshold;
}

} // namespace

bool AlertEntryInUse(const AlertTable& alerts, const AlertTexts& texts, int16_t count,
                     bool entry30Used, int entry)
{
    if (entry < 0 || entry >= kAlertEntries)
        return false;
    if (entry < std::min<int>(count, kOverflowEntry))
        return true;
    return entry == kOverflowEntry && count >= kOverflowEntry
        && (entry30Used || !EntryIsBlank(alerts, texts, entry));
}

std::vector<int> FiringAlerts(const AlertTable& alerts, const AlertTexts& texts, int16_t count,
                              bool entry30Used, float previous, float latest)
{
    std::vector<int> firing;
    for (int entry = 0; entry < kAlertEntries; ++entry) {
        if (AlertEntryInUse(alerts, texts, count, entry30Used, entry)
            && Fires(alerts, entry, previous, latest))
            firing.push_back(entry);
    }
    return firing;
}

int LastFiringAlert(const AlertTable& alerts, const AlertTexts& texts, int16_t count,
                    bool entry30Used, float previous, float latest)
{
    const std::vector<int> firing = FiringAlerts(alerts, texts, count, entry30Used, previous, latest);
    return firing.empty() ? -1 : firing.back();
}

int AlertDisplayInterval(int seconds)
{
    if (seconds <= 0)
        return 0;
    if (seconds > kLongestAlertInterval / 1000)
        return kLongestAlertInterval;
    return seconds * 1000;
}

std::optional<unsigned int> AlertBackColour(int value)
{
    if (value < 0 || value > 0xFFFFFF)
        return std::nullopt;
    const unsigned int red = value & 0xFF;
    const unsigned int green = (value >> 8) & 0xFF;
    const unsigned int blue = (value >> 16) & 0xFF;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}
