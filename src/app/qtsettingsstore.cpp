#include "app/qtsettingsstore.h"

#include "units/numtext.h"

#include <QSettings>

namespace vellicor {
namespace {

QString Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

} // namespace

std::optional<std::string> QtSettingsStore::ReadString(const std::string& section, const std::string& name) const
{
    const QVariant v = settings_.value(Key(section, name));
    if (!v.isValid())
        return std::nullopt;
    return v.toString().toStdString();
}

std::optional<int> QtSettingsStore::ReadInt(const std::string& section, const std::string& name) const
{
    const QVariant v = settings_.value(Key(section, name));
    if (!v.isValid())
        return std::nullopt;
    return ParseInt(v.toString().toStdString());
}

void QtSettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    settings_.setValue(Key(section, name), QString::fromStdString(value));
}

void QtSettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    settings_.setValue(Key(section, name), value);
}

} // namespace vellicor
