#include "app/GlyphRunLabel.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

void GlyphRunLabel::paintEvent(QPaintEvent* event)
{
    if (!DrawAsGlyphRun())
        QLabel::paintEvent(event);
}

const QRawFont& GlyphRunLabel::ScreenFont()
{
    const int dpi = logicalDpiY();
    if (!m_screenFont.isValid() || m_madeAtDpi != dpi || m_madeFrom != font()) {
        m_madeFrom = font();
        m_madeAtDpi = dpi;
        m_screenFont = QRawFont::fromFont(QFont(font(), this));
        m_placesGlyphsItself = !m_screenFont.fontTable("GPOS").isEmpty()
            || !m_screenFont.fontTable("kern").isEmpty();
    }
    return m_screenFont;
}

bool GlyphRunLabel::DrawAsGlyphRun()
{
    const QString shown = text();
    const bool plainCharacters = std::all_of(shown.begin(), shown.end(),
                                             [](QChar c) { return c.isPrint() && !c.isMark(); });
    if (shown.isEmpty() || !plainCharacters || textFormat() != Qt::PlainText
        || alignment() != (Qt::AlignLeft | Qt::AlignTop) || indent() > 0 || margin() != 0)
        return false;
    const QRawFont& font = ScreenFont();
    if (m_placesGlyphsItself)
        return false;
    const QList<quint32> glyphs = font.glyphIndexesForString(shown);
    if (glyphs.size() != shown.size() || glyphs.contains(0u))
        return false;   // a surrogate pair, or a character the font lacks: Qt falls back

    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    qreal x = 0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(x, 0));
        x += advance.x();
    }
    const QRect area = contentsRect();
    if (x > area.width())
        return false;   // would wrap

    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter painter(this);
    if (frameShape() != QFrame::NoFrame)
        drawFrame(&painter);
    QStyleOption state;
    state.initFrom(this);   // the palette's colour group for this moment, as QLabel paints
    painter.setPen(state.palette.color(foregroundRole()));
    painter.drawGlyphRun(QPointF(area.left(), area.top() + font.ascent()), run);
    return true;
}
