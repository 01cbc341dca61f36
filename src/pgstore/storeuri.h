#pragma once

#include <string>

namespace vellicor {

// Whether the settings store's "Inventory"/"Store" value (or --store) names a PostgreSQL database;
// empty means the files of the data directory.
bool IsPostgresUri(const std::string& store);

// The URI without its password, to show to the user.
std::string UriWithoutPassword(const std::string& uri);

} // namespace vellicor
