#pragma once

#include <QDialogButtonBox>

class QDialog;
class QPushButton;
class QWidget;

namespace vellicor {

// OK and Cancel of dialog `dialogId`, labelled with that dialog's texts and wired to accept and
// reject; OK is the default button.
QDialogButtonBox* CreateOkCancel(QDialog* dialog, int dialogId);

// Button `control` of dialog or page `dialogId`, with that control's text, named by its id so that
// FindButton finds it; Enter does not press it.
QPushButton* CreateButton(QWidget* parent, int dialogId, int control);
QPushButton* FindButton(const QWidget* parent, int control);

} // namespace vellicor
