#include "cli/climessages.h"

#include "platform/stringtable.h"

#include <ostream>

namespace vellicor::cli {

MessageAnswer CliMessages::Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                                MessageIcon /*icon*/)
{
    err_ << Strings().Format(stringId, args) << '\n';
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::No;
    }
    return MessageAnswer::Cancel;
}

} // namespace vellicor::cli
