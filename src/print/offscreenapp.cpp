#include "print/offscreenapp.h"

#include <QGuiApplication>

namespace vellicor {

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 3;
    static char name[] = "vellicor-cli";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    // The command line's standard error is for the system's own messages, not Qt's notes about its
    // environment; critical and fatal messages still go there.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            qt_message_output(type, context, text);
    });
    // Never destroyed: at exit it would outlive the Qt statics it depends on.
    new QGuiApplication(argc, argv);
}

} // namespace vellicor
