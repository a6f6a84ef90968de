// Usage: data_view_shot zh|en FOLDER
// Saves the Data View window of a sample report (window-LANG.png) and the
// pages of its print preview, portrait and landscape
// (preview-LANG-ORIENTATION.png), to look at by eye, and the report as
// the PDF export writes it (report-LANG.pdf).
#include "model/ValueText.h"
#include "report/DataViewDlg.h"
#include "ui/MessageBox.h"
#include "tests/report/ReportFixture.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
    {
        std::fprintf(stderr, "usage: data_view_shot zh|en FOLDER\n");
        return 2;
    }
    const QString lang = args.at(1);
    const ELanguage eLanguage = lang == QLatin1String("en") ? kEnglish : kChinese;
    const QDir folder(args.at(2));

    CDataViewDlg dialog(SampleReport(eLanguage), eLanguage);
    dialog.show();
    app.processEvents();
    bool bOk = dialog.grab().save(folder.filePath(QStringLiteral("window-%1.png").arg(lang)));

    for (const auto& [orientation, name] : {std::pair{QPageLayout::Portrait, "portrait"},
                                            std::pair{QPageLayout::Landscape, "landscape"}})
    {
        QPrinter printer(QPrinter::HighResolution);
        std::unique_ptr<QPrintPreviewDialog> preview(dialog.CreatePreview(printer));
        printer.setPageOrientation(orientation);
        preview->resize(1100, 900);
        preview->show();
        app.processEvents();
        bOk = preview->grab().save(folder.filePath(QStringLiteral("preview-%1-%2.png").arg(lang, name))) && bOk;
    }

    CMessageBox::SetPresenter([](QWidget*, const QString&, const QString& text, CMessageBox::EIcon) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    dialog.SetFileAsker([&](QWidget*, const QString&, const QString&, const QString&, const QStringList&) {
        return folder.filePath(QStringLiteral("report-%1.pdf").arg(lang));
    });
    dialog.ExportPdf();
    return bOk ? 0 : 1;
}
