#pragma once

#include "report/reportcontent.h"

#include <QDialog>

class QPrinter;
class QPrintPreviewWidget;

namespace vellicor {

class IUserMessages;

// The pages of a report or knife sheet as they will print on the printer of Print SetUp, with
// "Print...", "Export as PDF..." and "Close".
class CPrintPreviewDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 251;
    static constexpr int IdPrint = 1101;
    static constexpr int IdExportPdf = 1102;

    // `pdfPath` is the name the PDF export offers first.
    CPrintPreviewDlg(ReportContent content, QPrinter& printer, QString pdfPath, IUserMessages& messages,
                     QWidget* parent = nullptr);

    QPrintPreviewWidget* Preview() const { return preview_; }

private:
    void OnPrint();
    void OnExportPdf();

    ReportContent content_;
    QPrinter& printer_;
    QString pdfPath_;
    IUserMessages& messages_;
    QPrintPreviewWidget* preview_;
};

// Print: the print dialog on the Print SetUp printer, then the pages; false when cancelled.
bool PrintWithDialog(const ReportContent& content, QPrinter& printer, QWidget* parent);

// Export as PDF: asks for the file, offering `pdfPath`, and writes it on the printer's page; tells
// the user (message 178) when it cannot be written. False when cancelled or failed.
bool ExportPdfWithDialog(const ReportContent& content, const QPrinter& printer, const QString& pdfPath,
                         IUserMessages& messages, QWidget* parent);

} // namespace vellicor
