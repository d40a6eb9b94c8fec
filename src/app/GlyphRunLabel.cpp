#include "app/GlyphRunLabel.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStyleOption>

GlyphRunLabel::GlyphRunLabel(QWidget* parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GlyphRunLabel::paintEvent(QPaintEvent* event)
{
    {
        // The background comes with the text's painter rather than from a painter of Qt's own
        // begun before this one: one painter less ten times a second.
        QPainter painter(this);
        painter.fillRect(rect(), palette().brush(backgroundRole()));
        if (DrawAsGlyphRun(painter))
            return;
    }
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
        m_glyphs.clear();
    }
    return m_screenFont;
}

// Null for a character drawn otherwise: one that is not printable, combines with its
// neighbour, or is missing from the font.
const GlyphRunLabel::Glyph* GlyphRunLabel::GlyphOf(QChar character)
{
    auto found = m_glyphs.constFind(character.unicode());
    if (found == m_glyphs.constEnd()) {
        if (!character.isPrint() || character.isMark())
            return nullptr;
        const QList<quint32> indexes = m_screenFont.glyphIndexesForString(QString(character));
        if (indexes.size() != 1 || indexes.front() == 0)
            return nullptr;
        const qreal advance = m_screenFont.advancesForGlyphIndexes(indexes).front().x();
        found = m_glyphs.insert(character.unicode(), Glyph{indexes.front(), advance});
    }
    return &*found;
}

bool GlyphRunLabel::DrawAsGlyphRun(QPainter& painter)
{
    const QString shown = text();
    if (shown.isEmpty() || textFormat() != Qt::PlainText
        || alignment() != (Qt::AlignLeft | Qt::AlignTop) || indent() > 0 || margin() != 0)
        return false;
    const QRawFont& font = ScreenFont();
    if (m_placesGlyphsItself)
        return false;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(shown.size());
    positions.reserve(shown.size());
    qreal x = 0;
    for (QChar character : shown) {
        const Glyph* glyph = GlyphOf(character);
        if (!glyph)
            return false;   // QLabel shapes it, or falls back to another font
        glyphs.append(glyph->index);
        positions.append(QPointF(x, 0));
        x += glyph->advance;
    }
    const QRect area = contentsRect();
    if (x > area.width())
        return false;   // would wrap

    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    if (frameShape() != QFrame::NoFrame)
        drawFrame(&painter);
    QStyleOption state;
    state.initFrom(this);   // the palette's colour group for this moment, as QLabel paints
    painter.setPen(state.palette.color(foregroundRole()));
    painter.drawGlyphRun(QPointF(area.left(), area.top() + font.ascent()), run);
    return true;
}
