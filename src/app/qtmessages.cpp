#include "app/qtmessages.h"

#include "app/strings.h"
#include "platform/stringtable.h"

#include <QMessageBox>

namespace vellicor {

MessageAnswer QtMessages::Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                               MessageIcon icon)
{
    QMessageBox box(parent_);
    box.setWindowTitle(Text(ids::AppName));
    box.setText(QString::fromStdString(Strings().Format(stringId, args)));
    switch (icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
    }
}

} // namespace vellicor
