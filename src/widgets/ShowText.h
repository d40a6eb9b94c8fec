#pragma once

#include <QString>

// Writes a text into a field or label only when it shows something else: a steady reading
// then costs no repaint. The field's own text is compared, not the last text written, so
// whatever was typed into a field is still overwritten by the next reading.
template <typename Control>
void ShowText(Control* control, const QString& text)
{
    if (control->text() != text)
        control->setText(text);
}
