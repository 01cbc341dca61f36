#pragma once

#include <string>

namespace vellicor {

class PgConnection;

// The schema version this program works with.
inline constexpr int kPgSchemaVersion = 1;

// The schema version of the connected database: 0 when it holds no inventory; -1, with the
// connection's failure set, when it could not be read.
int PgSchemaVersion(PgConnection& db);

// Creates the inventory schema or migrates it to kPgSchemaVersion in one transaction, serialised
// against other programs doing the same. The resulting version, or -1 as above; a newer schema is
// left alone and returned as it is.
int MigratePgSchema(PgConnection& db);

} // namespace vellicor
