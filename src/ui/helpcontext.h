#pragma once

#include <QObject>
#include <QVariant>

#include <functional>

namespace vellicor {

// Help for windows, by the number of their dialog or command (131 for the Rolls page, 300 for the
// Select Unit dialog, ...). A window tags itself once; F1 and the What's This? mode then find the
// help of the nearest tagged window or action. Untagged windows get the help contents.
inline constexpr const char* kHelpContextProperty = "vellicorHelpContext";

inline void SetHelpContext(QObject* object, int contextId)
{
    object->setProperty(kHelpContextProperty, contextId);
}

// The context of `object` or of its nearest tagged parent; 0 when none is tagged.
inline int HelpContextOf(const QObject* object)
{
    for (; object; object = object->parent()) {
        const QVariant id = object->property(kHelpContextProperty);
        if (id.isValid())
            return id.toInt();
    }
    return 0;
}

// Where ShowHelp sends its requests: the application installs the help viewer here at start-up.
inline std::function<void(int)>& HelpHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

// Opens the help for `contextId` (its topic, or the contents when it has none).
inline void ShowHelp(int contextId)
{
    if (HelpHandler())
        HelpHandler()(contextId);
}

} // namespace vellicor
