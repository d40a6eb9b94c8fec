#include "widgets/GlyphRunLabel.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

GlyphRunLabel::GlyphRunLabel(QWidget* parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GlyphRunLabel::ShowText(const QString& text)
{
    const QString shown = this->text();
    if (shown == text)
        return;
    const std::optional<QRect> changed = isVisible() && updatesEnabled()
        ? ChangedPixels(shown, text)
        : std::nullopt;
    if (!changed) {
        setText(text);
        return;
    }
    // setText repaints the whole label. Updates are off for that moment (the attribute that
    // setUpdatesEnabled sets, without the whole repaint that turning them on again asks for),
    // and only the changed pixels are repainted.
    setAttribute(Qt::WA_UpdatesDisabled);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    update(*changed);
}

void GlyphRunLabel::paintEvent(QPaintEvent* event)
{
    {
        // The background comes with the text's painter rather than from a painter of Qt's own
        // begun before this one: one painter less ten times a second.
        QPainter painter(this);
        if (DrawAsGlyphRun(painter, event->rect()))
            return;
        painter.fillRect(event->rect(), palette().brush(backgroundRole()));
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
        m_paintedParts.clear();
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
        const QRectF ink = m_screenFont.boundingRect(indexes.front());
        found = m_glyphs.insert(character.unicode(),
                                Glyph{indexes.front(), advance, ink.left(), ink.right()});
    }
    return &*found;
}

// False for a text that QLabel paints, `width` being the room for it.
bool GlyphRunLabel::LayOut(const QString& text, qreal width, GlyphLine& line)
{
    if (text.isEmpty() || textFormat() != Qt::PlainText
        || alignment() != (Qt::AlignLeft | Qt::AlignTop) || indent() > 0 || margin() != 0)
        return false;
    ScreenFont();
    if (m_placesGlyphsItself)
        return false;
    line.reserve(text.size());
    qreal x = 0;
    for (QChar character : text) {
        const Glyph* glyph = GlyphOf(character);
        if (!glyph)
            return false;   // QLabel shapes it, or falls back to another font
        line.append(PlacedGlyph{*glyph, x});
        x += glyph->advance;
    }
    return x <= width;   // a wider text would wrap
}

bool GlyphRunLabel::DrawAsGlyphRun(QPainter& painter, const QRect& repainted)
{
    const QRect area = contentsRect();
    GlyphLine line;
    if (!LayOut(text(), area.width(), line))
        return false;
    // Glyphs whose ink ends more than a pixel outside the repainted part (the smoothing's
    // pixel, as in ChangedPixels) would only be clipped away.
    const qreal fromX = repainted.left() - area.left() - 1;
    const qreal toX = repainted.left() + repainted.width() - area.left() + 1;
    GlyphLine drawn;
    for (const PlacedGlyph& placed : std::as_const(line)) {
        if (placed.x + placed.glyph.inkRight >= fromX && placed.x + placed.glyph.inkLeft <= toX)
            drawn.append(placed);
    }
    const QPointF origin(area.left(), area.top() + m_screenFont.ascent());
    if (const QImage* painted = PaintedPart(painter, repainted, drawn, origin))
        painter.drawImage(repainted.topLeft(), *painted);
    else
        PaintGlyphs(painter, repainted, drawn, origin);
    return true;
}

void GlyphRunLabel::PaintGlyphs(QPainter& painter, const QRect& repainted, const GlyphLine& drawn,
                                QPointF origin)
{
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(drawn.size());
    positions.reserve(drawn.size());
    for (const PlacedGlyph& placed : drawn) {
        indexes.append(placed.glyph.index);
        positions.append(QPointF(placed.x, 0));
    }
    QGlyphRun run;
    run.setRawFont(m_screenFont);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.fillRect(repainted, palette().brush(backgroundRole()));
    if (frameShape() != QFrame::NoFrame)
        drawFrame(&painter);
    // palette() is in the colour group of this moment (disabled, inactive), as QLabel paints.
    painter.setPen(palette().color(foregroundRole()));
    painter.drawGlyphRun(origin, run);
}

// The pixels of `repainted` showing the glyphs `drawn`, painted once into an image of the
// device's format. Null where that image would not hold the pixels painted in place: on a
// device that is not an image, with a frame, over a background that is not one opaque colour,
// or where the part's corner falls between pixels (a display factor, a painter that scales).
const QImage* GlyphRunLabel::PaintedPart(const QPainter& painter, const QRect& repainted,
                                         const GlyphLine& drawn, QPointF origin)
{
    const QPaintDevice* device = painter.paintEngine()->paintDevice();
    const qreal ratio = device->devicePixelRatio();
    const QTransform& toDevice = painter.deviceTransform();
    const auto whole = [](qreal value) { return value == std::round(value); };
    const QBrush& background = palette().brush(backgroundRole());
    if (device->devType() != QInternal::Image || frameShape() != QFrame::NoFrame
        || background.style() != Qt::SolidPattern || !background.isOpaque() || !whole(ratio)
        || toDevice.type() > QTransform::TxScale || toDevice.m11() != ratio
        || toDevice.m22() != ratio || !whole(toDevice.dx()) || !whole(toDevice.dy()))
        return nullptr;
    const QImage::Format format = static_cast<const QImage*>(device)->format();

    // Everything the pixels depend on; the font is the screen font, which clears the cache.
    QByteArray key;
    key.reserve(80 + drawn.size() * 12);
    const auto add = [&key](auto value) {
        key.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    add(repainted.x()), add(repainted.y()), add(repainted.width()), add(repainted.height());
    add(ratio), add(origin.x()), add(origin.y()), add(format);
    add(background.color().rgba64()), add(palette().color(foregroundRole()).rgba64());
    for (const PlacedGlyph& placed : drawn)
        add(placed.glyph.index), add(placed.x);
    if (const QImage* painted = m_paintedParts.object(key))
        return painted;

    auto painted = std::make_unique<QImage>(repainted.size() * ratio, format);
    painted->setDevicePixelRatio(ratio);
    {
        QPainter onImage(painted.get());
        onImage.translate(-repainted.topLeft());
        PaintGlyphs(onImage, repainted, drawn, origin);
    }
    const qsizetype bytes = painted->sizeInBytes();
    return m_paintedParts.insert(key, painted.release(), bytes) ? m_paintedParts.object(key) : nullptr;
}

// The pixels where the label showing `after` differs from it showing `before`: the drawn
// pixels of the characters between the common start and the common end, in both texts. None
// when either text is not drawn from glyphs.
std::optional<QRect> GlyphRunLabel::ChangedPixels(const QString& before, const QString& after)
{
    const QRect area = contentsRect();
    GlyphLine old;
    GlyphLine now;
    if (!LayOut(before, area.width(), old) || !LayOut(after, area.width(), now))
        return std::nullopt;
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < shorter && before[start] == after[start])
        ++start;
    qsizetype end = 0;
    while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    // The common end stays in place only if what comes before it is as wide in both texts.
    if (end > 0 && old[before.size() - end].x != now[after.size() - end].x)
        end = 0;

    qreal left = std::numeric_limits<qreal>::max();
    qreal right = std::numeric_limits<qreal>::lowest();
    const auto addInk = [&](const GlyphLine& line, qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const PlacedGlyph& placed = line[i];
            if (placed.glyph.inkLeft < placed.glyph.inkRight) {
                left = std::min(left, placed.x + placed.glyph.inkLeft);
                right = std::max(right, placed.x + placed.glyph.inkRight);
            }
        }
    };
    addInk(old, start, before.size() - end);
    addInk(now, start, after.size() - end);
    if (left >= right)
        return QRect();   // only blank characters differ
    // A pixel more on each side: a glyph at a fractional position is smoothed into it.
    const int x = area.left();
    return QRect(QPoint(x + static_cast<int>(std::floor(left)) - 1, 0),
                 QPoint(x + static_cast<int>(std::ceil(right)) + 1, height() - 1))
        & rect();
}
