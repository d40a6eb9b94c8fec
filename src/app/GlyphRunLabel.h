#pragma once

#include <QLabel>
#include <QRawFont>

// A label whose text changes many times a second (the elapsed time of a 0.1-s run). Qt lays
// out a label's text again on every paint: script runs, shaping, line breaking, a fifth of a
// recording's CPU in a real window. A text of one line that the label's own font covers and
// that fits the width is drawn here from the font's glyphs and advances instead, with the
// same pixels; anything else (a text that would wrap, a character from a fallback font,
// another alignment) is painted by QLabel.
class GlyphRunLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool DrawAsGlyphRun();

    QRawFont m_font;   // the label's font as painted on this screen; reset when either changes
};
