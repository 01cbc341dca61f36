#include "app/htmlhandler.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vellicor {
namespace {

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The desktop entry file of the default program for HTML pages, looked up in the order the
// desktop uses: the user's choices before the system's.
QString HtmlHandlerEntry()
{
    QStringList lists = QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation, "mimeapps.list");
    lists += QStandardPaths::locateAll(QStandardPaths::ApplicationsLocation, "mimeapps.list");
    for (const QString& list : lists) {
        const QString ids = IniValue(ReadText(list), "Default Applications", "text/html");
        for (const QString& id : ids.split(';', Qt::SkipEmptyParts)) {
            const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id.trimmed());
            if (!entry.isEmpty())
                return entry;
        }
    }
    return {};
}

} // namespace

QString IniValue(const QString& content, const QString& section, const QString& key)
{
    bool inSection = false;
    for (const QString& raw : content.split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('[')) {
            inSection = line == '[' + section + ']';
        } else if (inSection) {
            const qsizetype eq = line.indexOf('=');
            if (eq > 0 && line.left(eq).trimmed() == key)
                return line.mid(eq + 1).trimmed();
        }
    }
    return {};
}

QStringList LaunchCommand(const QString& exec, const QString& target)
{
    static const QRegularExpression placeholder(R"("%[uUfF]"|%[uUfF])");
    const QRegularExpressionMatch match = placeholder.match(exec);
    QStringList args = QProcess::splitCommand(match.hasMatch() ? exec.left(match.capturedStart()) : exec);
    if (!args.isEmpty())
        args.append(target);
    return args;
}

HtmlHandlerResult OpenWithHtmlHandler(const QString& target)
{
    const QString entry = HtmlHandlerEntry();
    if (entry.isEmpty())
        return HtmlHandlerResult::NoAssociation;
    QStringList command = LaunchCommand(IniValue(ReadText(entry), "Desktop Entry", "Exec"), target);
    if (command.isEmpty())
        return HtmlHandlerResult::BadAssociation;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command) ? HtmlHandlerResult::Started
                                                     : HtmlHandlerResult::ProgramNotFound;
}

} // namespace vellicor
