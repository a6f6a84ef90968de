#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <optional>

// The text of every page of a PDF file, or nothing when no extractor is
// there (pdftotext, poppler-utils).
inline std::optional<QStringList> PdfPages(const QString& path)
{
    const QString extractor = QStandardPaths::findExecutable("pdftotext");
    if (extractor.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(extractor, {"-layout", "-enc", "UTF-8", path, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringList{};
    // Compatibility forms undo ligatures such as "ﬁ" in "file".
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}
