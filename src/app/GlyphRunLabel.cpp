#include "app/GlyphRunLabel.h"

#include <QEvent>
#include <QGlyphRun>
#include <QPainter>
#include <QStyleOption>

void GlyphRunLabel::paintEvent(QPaintEvent* event)
{
    if (!DrawAsGlyphRun())
        QLabel::paintEvent(event);
}

void GlyphRunLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ScreenChangeInternal)
        m_font = QRawFont();
    QLabel::changeEvent(event);
}

bool GlyphRunLabel::DrawAsGlyphRun()
{
    const QString shown = text();
    if (shown.isEmpty() || textFormat() != Qt::PlainText || alignment() != (Qt::AlignLeft | Qt::AlignTop)
        || indent() > 0 || margin() != 0 || shown.contains(QLatin1Char('\n')))
        return false;
    // The font as the painter resolves it for this widget's screen.
    if (!m_font.isValid())
        m_font = QRawFont::fromFont(QFont(font(), this));
    const QList<quint32> glyphs = m_font.glyphIndexesForString(shown);
    if (glyphs.size() != shown.size() || glyphs.contains(0u))
        return false;   // a surrogate pair, or a character the font lacks: Qt falls back

    const QList<QPointF> advances = m_font.advancesForGlyphIndexes(glyphs);
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
    run.setRawFont(m_font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    QPainter painter(this);
    if (frameShape() != QFrame::NoFrame)
        drawFrame(&painter);
    QStyleOption state;
    state.initFrom(this);   // the palette's colour group for this moment, as QLabel paints
    painter.setPen(state.palette.color(foregroundRole()));
    painter.drawGlyphRun(QPointF(area.left(), area.top() + m_font.ascent()), run);
    return true;
}
