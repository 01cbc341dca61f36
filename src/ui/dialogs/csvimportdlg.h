#pragma once

#include "csv/csvimport.h"
#include "ui/uiservices.h"

#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vellicor {

class CSGridWnd;

// "Csv Import Settings ...": shows a delimited file's detected layout, lets the user change it and
// map the caller's items to the file's columns, and imports the file on OK. The rows it gives back
// are the item values in item order, each followed by "::".
class CCsvImportDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Id = 141;
    static constexpr int IdDelimiterGroup = 1001;
    static constexpr int IdComma = 1002;  // then Tab, Space and Other, in radio order
    static constexpr int IdOtherEdit = 1006;
    static constexpr int IdSkipLinesLabel = 1007;
    static constexpr int IdSaveSettings = 1009;
    static constexpr int IdSettingsGroup = 1010;
    static constexpr int IdHasHeaders = 1011;
    static constexpr int IdCombineDuplicates = 1012;
    // Columns of the mapping grid.
    enum MappingCol { ColItem = 1, ColImportColumn, ColExample, ColDefault };

    // Reads the file and detects its layout; `section` keeps this caller's choices in the settings.
    CCsvImportDlg(std::vector<std::string> items, std::vector<std::string> examples, const std::string& caption,
                  const std::string& file, const std::string& section, UiServices services, QWidget* parent = nullptr);

    int GetRowCount() const { return csv_.RowCount(); }
    const std::string& GetRow(int index) const { return csv_.Row(index); }
    bool CombineDuplicates() const { return csv_.CombineDuplicates(); }

    CSGridWnd* PreviewGrid() const { return preview_; }
    CSGridWnd* MappingGrid() const { return mapping_; }
    QRadioButton* DelimiterButton(CCsvImport::Radio radio) const;
    QLineEdit* OtherEdit() const { return other_; }
    QSpinBox* SkipLinesBox() const { return skipLines_; }
    QCheckBox* HeadersBox() const { return headers_; }
    QCheckBox* CombineBox() const { return combine_; }
    QPushButton* SaveButton() const { return save_; }

    // OK: imports the file and closes, unless the import keeps the dialog open.
    void accept() override;

protected:
    // The first show compares the saved settings with the detected ones and restores the mapping.
    void showEvent(QShowEvent* event) override;

private:
    // The controls and both grids from the import's state.
    void ShowState();
    // The user's choices in the mapping grid into the import.
    void PullMapping();

    CCsvImport csv_;
    QButtonGroup* delimiters_;
    QLineEdit* other_;
    QSpinBox* skipLines_;
    QCheckBox* headers_;
    QCheckBox* combine_;
    QPushButton* save_;
    CSGridWnd* preview_;
    CSGridWnd* mapping_;
    bool opened_ = false;
};

// The open-file dialog that picks an existing CSV file to import; empty when the user cancelled.
QString AskCsvImportFile(QWidget* parent);

} // namespace vellicor
