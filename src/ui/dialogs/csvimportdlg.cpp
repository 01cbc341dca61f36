#include "ui/dialogs/csvimportdlg.h"

#include "ui/dialogs/dialogbuttons.h"
#include "ui/grid/gridwnd.h"
#include "ui/uitext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace vellicor {
namespace {

QString Text(int control)
{
    return UiText(DialogTextId(CCsvImportDlg::Id, control));
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

constexpr int kFileDialogTitle = 150;
constexpr int kFileFilter = 61801;

} // namespace

CCsvImportDlg::CCsvImportDlg(std::vector<std::string> items, std::vector<std::string> examples,
                             const std::string& caption, const std::string& file, const std::string& section,
                             UiServices services, QWidget* parent)
    : QDialog(parent),
      csv_(std::move(items), std::move(examples), caption, file, section, services.settings, services.messages),
      delimiters_(new QButtonGroup(this)),
      other_(new QLineEdit(this)),
      skipLines_(new QSpinBox(this)),
      headers_(new QCheckBox(Text(IdHasHeaders), this)),
      combine_(new QCheckBox(Text(IdCombineDuplicates), this)),
      save_(new QPushButton(Text(IdSaveSettings), this)),
      preview_(new CSGridWnd("IDR_CSV_FILE_DATA_GRID", services, this)),
      mapping_(new CSGridWnd("IDR_CSV_COLINFO_OGL", services, this))
{
    csv_.ReadFile();
    setWindowTitle(caption.empty() ? Text(0) : Q(caption));

    auto* delimiterBox = new QGroupBox(Text(IdDelimiterGroup), this);
    auto* delimiterLayout = new QHBoxLayout(delimiterBox);
    for (int radio = CCsvImport::RadioComma; radio <= CCsvImport::RadioOther; ++radio) {
        auto* button = new QRadioButton(Text(IdComma + radio), delimiterBox);
        delimiters_->addButton(button, radio);
        delimiterLayout->addWidget(button);
    }
    other_->setMaxLength(1);
    other_->setMaximumWidth(40);
    delimiterLayout->addWidget(other_);

    auto* skipRow = new QHBoxLayout;
    skipRow->addWidget(new QLabel(Text(IdSkipLinesLabel), this));
    skipRow->addWidget(skipLines_);
    skipRow->addStretch();
    skipRow->addWidget(save_);

    auto* settingsBox = new QGroupBox(Text(IdSettingsGroup), this);
    auto* settingsLayout = new QHBoxLayout(settingsBox);
    settingsLayout->addWidget(headers_);
    settingsLayout->addWidget(combine_);

    preview_->SetReadOnly(true);
    preview_->SetAllowAppendRows(false);
    preview_->SetAllowDeleteRows(false);
    mapping_->SetAllowAppendRows(false);
    mapping_->SetAllowDeleteRows(false);
    mapping_->SetRowCount(static_cast<int>(csv_.Items().size()));
    mapping_->SetStyleRange(CGridRange::Cols(ColItem, ColItem), CGridStyle().SetReadOnly(true));
    mapping_->SetStyleRange(CGridRange::Cols(ColExample, ColExample), CGridStyle().SetReadOnly(true));
    mapping_->SetStyleRange(CGridRange::Cols(ColImportColumn, ColImportColumn),
                            CGridStyle().SetControl(CellControl::ChoiceList));
    for (std::size_t i = 0; i < csv_.Items().size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        mapping_->SetValue(row, ColItem, Q(csv_.Items()[i]));
        mapping_->SetValue(row, ColExample, Q(csv_.Examples()[i]));
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(delimiterBox);
    layout->addLayout(skipRow);
    layout->addWidget(settingsBox);
    layout->addWidget(preview_, 1);
    layout->addWidget(mapping_, 1);
    layout->addWidget(CreateOkCancel(this, Id));
    resize(560, 520);

    connect(delimiters_, &QButtonGroup::idClicked, this, [this](int radio) {
        PullMapping();
        csv_.SelectDelimiter(static_cast<CCsvImport::Radio>(radio));
        ShowState();
    });
    connect(other_, &QLineEdit::editingFinished, this, [this] {
        if (!csv_.OtherEnabled())
            return;
        PullMapping();
        csv_.LeaveOtherBox(other_->text().toStdString());
        ShowState();
    });
    connect(skipLines_, &QSpinBox::valueChanged, this, [this](int value) {
        PullMapping();
        csv_.SetSkipLines(value);
        ShowState();
    });
    connect(headers_, &QCheckBox::toggled, this, [this](bool on) {
        PullMapping();
        csv_.SetHasHeaders(on);
        ShowState();
    });
    connect(combine_, &QCheckBox::toggled, this, [this](bool on) { csv_.SetCombineDuplicates(on); });
    connect(save_, &QPushButton::clicked, this, [this] {
        PullMapping();
        csv_.SaveSettings();
    });
}

QRadioButton* CCsvImportDlg::DelimiterButton(CCsvImport::Radio radio) const
{
    return static_cast<QRadioButton*>(delimiters_->button(radio));
}

void CCsvImportDlg::showEvent(QShowEvent* event)
{
    if (!opened_) {
        opened_ = true;
        csv_.Open();
        ShowState();
    }
    QDialog::showEvent(event);
}

void CCsvImportDlg::ShowState()
{
    {
        const QSignalBlocker b1(skipLines_);
        const QSignalBlocker b2(headers_);
        const QSignalBlocker b3(combine_);
        const QSignalBlocker b4(other_);
        delimiters_->button(csv_.DelimiterRadio())->setChecked(true);
        other_->setText(Q(csv_.OtherText()));
        other_->setEnabled(csv_.OtherEnabled());
        const auto [low, high] = csv_.SkipLinesRange();
        skipLines_->setRange(low, high);
        skipLines_->setValue(csv_.SkipLines());
        headers_->setChecked(csv_.HasHeaders());
        combine_->setChecked(csv_.CombineDuplicates());
    }

    const std::vector<std::string>& choices = csv_.Choices();
    const int columns = csv_.PreviewColumnCount();
    preview_->LockUpdate(true);
    preview_->SetColCount(columns);
    for (int c = 1; c <= columns; ++c)
        preview_->SetValue(0, c, Q(choices[static_cast<std::size_t>(c)]));
    const auto& rows = csv_.PreviewRows();
    preview_->SetRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            preview_->SetValue(static_cast<int>(r) + 1, static_cast<int>(c) + 1, Q(rows[r][c]));
    preview_->LockUpdate(false);

    QString choiceList;
    for (const std::string& choice : choices)
        choiceList += Q(choice) + '\n';
    mapping_->SetStyleRange(CGridRange::Cols(ColImportColumn, ColImportColumn), CGridStyle().SetChoices(choiceList));
    for (std::size_t i = 0; i < csv_.Items().size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        mapping_->SetValue(row, ColImportColumn, Q(choices[static_cast<std::size_t>(csv_.ImportColumn(i))]));
        mapping_->SetValue(row, ColDefault, Q(csv_.DefaultText(i)));
    }
}

void CCsvImportDlg::PullMapping()
{
    mapping_->TransferCurrentCell();
    const std::vector<std::string>& choices = csv_.Choices();
    for (std::size_t i = 0; i < csv_.Items().size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const std::string text = mapping_->GetValue(row, ColImportColumn).toStdString();
        const auto it = std::find(choices.begin(), choices.end(), text);
        csv_.SetImportColumn(i, it == choices.end() ? -1 : static_cast<int>(it - choices.begin()));
        csv_.SetDefaultText(i, mapping_->GetValue(row, ColDefault).toStdString());
    }
}

void CCsvImportDlg::accept()
{
    PullMapping();
    if (csv_.Accept())
        QDialog::accept();
}

QString AskCsvImportFile(QWidget* parent)
{
    QFileDialog dialog(parent, UiText(kFileDialogTitle), QString(), UiText(kFileFilter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace vellicor
