#pragma once

#include "platform/usermessages.h"

#include <functional>

class QWidget;

namespace vellicor {

// Message boxes by string id, captioned with the application name.
class QtMessages : public IUserMessages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer Show(int stringId, const std::vector<std::string>& args, MessageButtons buttons,
                       MessageIcon icon) override;

private:
    QWidget* parent_;
};

} // namespace vellicor
