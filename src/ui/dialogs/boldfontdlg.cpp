#include "ui/dialogs/boldfontdlg.h"

#include <QGuiApplication>

namespace vellicor {

CBoldFontDlg::CBoldFontDlg(QWidget* parent) : QDialog(parent), bold_(font())
{
    bold_.setWeight(QFont::ExtraBold);
    setWindowIcon(QGuiApplication::windowIcon());
}

void CBoldFontDlg::SetBoldFont(QWidget* control) const
{
    control->setFont(bold_);
}

} // namespace vellicor
