#pragma once

#include <QDialogButtonBox>

class QDialog;

namespace vellicor {

// OK and Cancel of dialog `dialogId`, labelled with that dialog's texts and wired to accept and
// reject; OK is the default button.
QDialogButtonBox* CreateOkCancel(QDialog* dialog, int dialogId);

} // namespace vellicor
