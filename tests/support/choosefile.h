#pragma once

#include <QFileDialog>
#include <QLineEdit>
#include <QString>

namespace vellicor::test {

// Answers an open file dialog with `path` as the planner does, by typing it: selectFile leaves the
// name box alone while it has the focus, which it may have by the time the dialog is shown.
inline bool ChooseFile(QFileDialog& dialog, const QString& path)
{
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    if (!name)
        return false;
    name->setText(path);
    static_cast<QDialog&>(dialog).accept();
    return true;
}

} // namespace vellicor::test
