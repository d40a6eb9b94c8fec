#pragma once

// Writing an export to disk: all or nothing (WriteWholeFile), the pictures as a worksheet.

#include "run/RecordedSample.h"
#include "run/WholeFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

class Surface;

// What a worksheet needs beside the pictures: the title, when the run was, which curve is which.
struct PictureCaption {
    QString span;                 // the run's date and time span, as RunSpanText gives it
    QRgb temperatureColour = 0;   // the colours the curves are drawn in
    QRgb pressureColour = 0;
};

// "2026年12月7日 9:30～10:15" from the first to the last of the first `count` moments (with
// seconds for a 0.1-s run, with the second date when the run went past midnight);
// "2026年12月7日（記録なし）" on the day `now` when none of them is known.
QString RunSpanText(const std::vector<SampleMoment>& moments, int count, const QDateTime& now);

// The three pictures as they stand (x 0..500, y 0..399 of the drawing surface) and below them a
// white strip with the title 温度と気圧, the span and a legend of the two curves.
QImage GraphPicture(Surface& surface, const PictureCaption& caption);
inline constexpr int kCaptionHeight = 44;

// The picture as PNG bytes (empty when encoding fails).
QByteArray PngBytes(const QImage& image);
