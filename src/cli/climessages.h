#pragma once

#include "platform/usermessages.h"

#include <iosfwd>

namespace vellicor::cli {

// Message boxes of a command-line run: the text goes to standard error. Nobody is there to answer
// a question, so it takes the answer that changes nothing (No, or Cancel where there is no No).
class CliMessages : public IUserMessages {
public:
    explicit CliMessages(std::ostream& err) : err_(err) {}

    MessageAnswer Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                       MessageIcon icon) override;

private:
    std::ostream& err_;
};

} // namespace vellicor::cli
