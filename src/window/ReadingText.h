#pragma once

#include "base/Numbers.h"

#include <QString>

#include <cstring>

// The text of the value a readout last showed. A steady room reads the same value fifteen
// times a second, and writing a number out costs more than the rest of the readout's tick,
// so a value's text is worked out only when the value changes (bit for bit: -0 and NaN too).
class ReadingText {
public:
    const QString& Of(float value)
    {
        if (m_text.isNull() || std::memcmp(&value, &m_value, sizeof value) != 0) {
            m_value = value;
            m_text = DecimalText(value);
        }
        return m_text;
    }

private:
    float m_value = 0;
    QString m_text;
};
