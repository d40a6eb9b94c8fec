#pragma once

#include <QByteArray>
#include <QCache>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QRawFont>
#include <QVarLengthArray>

#include <optional>

// A label whose text changes many times a second (the elapsed time of a 0.1-s run). Qt lays
// out a label's text again on every paint: script runs, shaping, line breaking, a large part
// of a recording's CPU in a real window. A text of one line of plain characters that the
// label's own font covers, in a font that neither kerns nor positions glyphs, and that fits
// the width is drawn here from the font's glyphs and advances instead, with the same pixels.
// Anything else is painted by QLabel.
//
// The label is opaque and fills its background from its palette itself, as a label that fills
// its background does, with the painter that then draws the text.
class GlyphRunLabel final : public QLabel {
public:
    explicit GlyphRunLabel(QWidget* parent = nullptr);

    // Shows a text unless the label shows it already, as ShowText does for any label. When the
    // old and the new text are both drawn from glyphs, only the pixels of the characters that
    // differ are repainted: a tenth of a second more is one digit, not the whole label.
    void ShowText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Glyph {
        quint32 index;
        qreal advance;
        qreal inkLeft;   // the glyph's drawn pixels, from its origin
        qreal inkRight;
    };
    struct PlacedGlyph {
        Glyph glyph;
        qreal x;   // of its origin on the line
    };
    // A text as a glyph run; a label's line is short.
    using GlyphLine = QVarLengthArray<PlacedGlyph, 32>;

    bool DrawAsGlyphRun(QPainter& painter, const QRect& repainted);
    void PaintGlyphs(QPainter& painter, const QRect& repainted, const GlyphLine& drawn, QPointF origin);
    const QImage* PaintedPart(const QPainter& painter, const QRect& repainted, const GlyphLine& drawn,
                              QPointF origin);
    bool LayOut(const QString& text, qreal width, GlyphLine& line);
    std::optional<QRect> ChangedPixels(const QString& before, const QString& after);
    const QRawFont& ScreenFont();
    const Glyph* GlyphOf(QChar character);

    // The label's font as the painter resolves it on the label's screen, and what it was made
    // from.
    QRawFont m_screenFont;
    QFont m_madeFrom;
    int m_madeAtDpi = 0;
    bool m_placesGlyphsItself = false;   // the font has kerning or glyph positioning tables
    QHash<char16_t, Glyph> m_glyphs;     // of the screen font; a label shows few characters
    // The pixels painted for a part of the label, by what was drawn there. A 0.1-s run's last
    // digit takes ten values in one place, so most repaints copy pixels painted before rather
    // than take the text rasterizer's long path ten times a second.
    QCache<QByteArray, QImage> m_paintedParts{256 * 1024};   // bytes of pixels
};
