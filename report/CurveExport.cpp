#include "report/CurveExport.h"

#include "model/DataDefine.h"
#include "model/NumberText.h"
#include "report/ReportText.h"
#include "ui/MessageBox.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace
{
constexpr int kFreqDecimals = 3;
constexpr int kDbDecimals = 4;
}

QByteArray CurvesCsv(const std::vector<CurveColumn>& columns)
{
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += "Hz";
    for (const CurveColumn& column : columns)
    {
        bytes += ',';
        // Headings are channel labels and names: no comma, quote or line
        // break reaches them, but a user's name may start like a formula.
        QString heading = column.strHeading;
        heading.remove(QLatin1Char(',')).remove(QLatin1Char('"'));
        bytes += heading.toUtf8();
    }
    bytes += "\r\n";
    const auto& freqs = FreqTable();
    for (size_t i = 0; i < freqs.size(); ++i)
    {
        bytes += FixedText(freqs[i], kFreqDecimals);
        for (const CurveColumn& column : columns)
        {
            bytes += ',';
            bytes += FixedText(column.adDb[i], kDbDecimals);
        }
        bytes += "\r\n";
    }
    return bytes;
}

AtomicFile::QtOutcome WriteCurvesCsv(const std::vector<CurveColumn>& columns, const QString& path)
{
    return AtomicFile::Write(path, CurvesCsv(columns));
}

EPictureFormat PictureFormatOf(const QString& path)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? EPictureFormat::Svg : EPictureFormat::Png;
}

AtomicFile::QtOutcome WritePicture(const QString& path, QSize size, const PicturePainter& paint, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (PictureFormatOf(path) == EPictureFormat::Svg)
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        // A screen's 96 dpi: the picture opens at the size it was shown.
        svg.setResolution(96);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(title);
        QPainter painter(&svg);
        paint(painter);
    }
    else
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            paint(painter);
        }
        image.save(&buffer, "PNG");
    }
    buffer.close();
    // Nothing drawn is nothing to keep: a picture too large for memory
    // leaves the buffer empty.
    if (bytes.isEmpty())
        return {AtomicFile::EResult::kWriteFailed, QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())};
    return AtomicFile::Write(path, bytes);
}

void ShowWriteOutcome(QWidget* pParent, const AtomicFile::QtOutcome& outcome, const QString& path, ELanguage eLanguage)
{
    const QString name = QFileInfo(path).fileName();
    switch (outcome.eResult)
    {
    case AtomicFile::EResult::kOk:
        CMessageBox::Show(pParent, ReportText(EReportText::ExportSaved, eLanguage).arg(name));
        break;
    case AtomicFile::EResult::kWriteFailed:
        CMessageBox::ShowFailure(pParent, ReportText(EReportText::WriteFailed, eLanguage).arg(name), outcome.strReason);
        break;
    case AtomicFile::EResult::kReplaceFailed:
        CMessageBox::ShowFailure(pParent, ReportText(EReportText::OverwriteFailed, eLanguage), outcome.strReason);
        break;
    }
}
