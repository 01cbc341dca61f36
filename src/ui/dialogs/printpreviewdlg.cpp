#include "ui/dialogs/printpreviewdlg.h"

#include "platform/usermessages.h"
#include "print/contentpdf.h"
#include "ui/dialogs/dialogbuttons.h"
#include "ui/helpcontext.h"
#include "ui/uitext.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellicor {
namespace {
constexpr int kMsgOutputOpen = 178;
constexpr int kPdfFilter = 12511103;
} // namespace

CPrintPreviewDlg::CPrintPreviewDlg(ReportContent content, QPrinter& printer, QString pdfPath, IUserMessages& messages,
                                   QWidget* parent)
    : QDialog(parent), content_(std::move(content)), printer_(printer), pdfPath_(std::move(pdfPath)),
      messages_(messages), preview_(new QPrintPreviewWidget(&printer, this))
{
    setWindowTitle(UiText(DialogTextId(Id)));
    SetHelpContext(this, Id);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* device) { PrintContent(content_, *device); });
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);

    QPushButton* print = CreateButton(this, Id, IdPrint);
    QPushButton* pdf = CreateButton(this, Id, IdExportPdf);
    QPushButton* close = CreateButton(this, Id, IdCancel);
    connect(print, &QPushButton::clicked, this, &CPrintPreviewDlg::OnPrint);
    connect(pdf, &QPushButton::clicked, this, &CPrintPreviewDlg::OnExportPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(pdf);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    resize(800, 900);
}

void CPrintPreviewDlg::OnPrint()
{
    if (PrintWithDialog(content_, printer_, this))
        preview_->updatePreview();
}

void CPrintPreviewDlg::OnExportPdf()
{
    ExportPdfWithDialog(content_, printer_, pdfPath_, messages_, this);
}

bool PrintWithDialog(const ReportContent& content, QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PrintContent(content, printer);
    return true;
}

bool ExportPdfWithDialog(const ReportContent& content, const QPrinter& printer, const QString& pdfPath,
                         IUserMessages& messages, QWidget* parent)
{
    const QString path = QFileDialog::getSaveFileName(parent, UiText(DialogTextId(CPrintPreviewDlg::Id, CPrintPreviewDlg::IdExportPdf)),
                                                      pdfPath, UiText(kPdfFilter));
    if (path.isEmpty())
        return false;
    if (WriteContentPdf(content, path.toStdString(), printer.pageLayout()))
        return true;
    messages.Tell(kMsgOutputOpen, {}, MessageIcon::Question);
    return false;
}

} // namespace vellicor
