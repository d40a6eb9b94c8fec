#include "features/ExportFiles.h"

#include "render/Surface.h"
#include "widgets/WindowLayout.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kPicturesWidth = 501;
constexpr int kPicturesHeight = 400;

QString DateText(const QDate& date, bool withYear)
{
    const QString monthDay = QStringLiteral("%1月%2日").arg(date.month()).arg(date.day());
    return withYear ? QStringLiteral("%1年").arg(date.year()) + monthDay : monthDay;
}

QString TimeText(const SampleMoment& moment)
{
    return moment.time.toString(moment.tenths ? QStringLiteral("H:mm:ss") : QStringLiteral("H:mm"));
}

// Drawn without smoothing, the same on every machine, like the pictures above.
QFont CaptionFont(int pixels, bool bold)
{
    QFont font = WindowFont(9, bold);
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A swatch of the curve's colour, outlined so that a white or grey curve shows on the white,
// and the unit beside it. Returns where the next entry may begin.
int DrawLegendEntry(QPainter& painter, int left, int baseline, QRgb colour, const QString& text)
{
    const QRect swatch(left, baseline - 8, 24, 7);
    painter.fillRect(swatch, QColor::fromRgb(colour));
    painter.setPen(Qt::black);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.drawText(swatch.right() + 6, baseline, text);
    return swatch.right() + 6 + painter.fontMetrics().horizontalAdvance(text) + 18;
}

}   // namespace

QString RunSpanText(const std::vector<SampleMoment>& moments, int count, const QDateTime& now)
{
    const SampleMoment* first = nullptr;
    const SampleMoment* last = nullptr;
    for (int i = 0; i < std::min<int>(count, static_cast<int>(moments.size())); ++i) {
        if (!moments[i].time.isValid())
            continue;
        if (!first)
            first = &moments[i];
        last = &moments[i];
    }
    if (!first)
        return DateText(now.date(), true) + QStringLiteral("（記録なし）");
    const QDate from = first->time.date();
    const QDate to = last->time.date();
    QString end = TimeText(*last);
    if (to != from)
        end = DateText(to, to.year() != from.year()) + u' ' + end;
    return DateText(from, true) + u' ' + TimeText(*first) + u'～' + end;
}

QImage GraphPicture(Surface& surface, const PictureCaption& caption)
{
    QImage picture(kPicturesWidth, kPicturesHeight + kCaptionHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, surface.image(), 0, 0, kPicturesWidth, kPicturesHeight);

    // First line: the title and the span; second line: the legend.
    const int firstBaseline = kPicturesHeight + 18;
    const int secondBaseline = kPicturesHeight + 37;
    painter.setPen(Qt::black);
    painter.setFont(CaptionFont(16, true));
    const QString title = QStringLiteral("温度と気圧");
    painter.drawText(8, firstBaseline, title);
    const int spanLeft = 8 + painter.fontMetrics().horizontalAdvance(title) + 16;
    painter.setFont(CaptionFont(13, false));
    painter.drawText(spanLeft, firstBaseline, caption.span);
    int left = 8;
    left = DrawLegendEntry(painter, left, secondBaseline, caption.temperatureColour, QStringLiteral("温度（℃）"));
    DrawLegendEntry(painter, left, secondBaseline, caption.pressureColour, QStringLiteral("気圧（hPa）"));
    return picture;
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}
