#pragma once

#include <QString>
#include <QStringList>

namespace vellicor {

// The last resort for opening a web address: the program that the desktop registers for HTML
// pages (the "text/html" entry of mimeapps.list and the Exec line of its desktop entry).
enum class HtmlHandlerResult {
    Started = 0,
    ProgramNotFound = 2,   // the program could not be started
    BadAssociation = 27,   // the desktop entry has no usable command
    NoAssociation = 31,    // no program is registered for HTML pages
};

HtmlHandlerResult OpenWithHtmlHandler(const QString& target);

// The value of `key` in `section` of an INI-style text (a desktop entry or a mimeapps.list);
// empty when missing.
QString IniValue(const QString& content, const QString& section, const QString& key);

// The program and arguments of a desktop entry's Exec line for `target`: the line is cut at its
// first file or address placeholder (%u, %U, %f, %F, quoted or not) and the target is added.
QStringList LaunchCommand(const QString& exec, const QString& target);

} // namespace vellicor
