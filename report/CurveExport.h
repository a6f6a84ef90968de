#pragma once

#include "disk/AtomicFileQt.h"
#include "model/Response.h"
#include "model/ValueText.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QWidget;

// Curves out of the program: the response graph as a PNG or SVG picture and
// the channels' responses as CSV, each written whole or not at all
// (AtomicFile), a failure with the system's reason.

// One channel's column: its heading and its curve in dB at the 241 axis
// frequencies (FreqTable).
struct CurveColumn
{
    QString strHeading;
    Response adDb{};
};

// UTF-8 with a byte order mark and CRLF line ends, as the report's CSV:
// "Hz" and the headings, then one row per axis frequency (three decimals)
// with each channel's level (four decimals), points as decimal separators
// whatever the locale.
QByteArray CurvesCsv(const std::vector<CurveColumn>& columns);
AtomicFile::QtOutcome WriteCurvesCsv(const std::vector<CurveColumn>& columns, const QString& path);

enum class EPictureFormat
{
    Png,
    Svg,
};
// ".svg" in any case is SVG; everything else PNG.
EPictureFormat PictureFormatOf(const QString& path);

// Draws a picture on a painter of the size given.
using PicturePainter = std::function<void(QPainter& painter)>;
// A picture of `size` logical pixels in the format PictureFormatOf gives
// for path; an SVG carries `title`.
AtomicFile::QtOutcome WritePicture(const QString& path, QSize size, const PicturePainter& paint,
                                   const QString& title);

// Tells the user where a file went or why it could not be written, with
// the report's texts.
void ShowWriteOutcome(QWidget* pParent, const AtomicFile::QtOutcome& outcome, const QString& path, ELanguage eLanguage);
