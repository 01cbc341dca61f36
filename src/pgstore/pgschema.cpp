#include "pgstore/pgschema.h"

#include "pgstore/pgconnection.h"

#include <array>

namespace vellicor {
namespace {

// Migration i takes the schema from version i to i + 1. Dates of stock records keep the files'
// day count for an exact round trip and show it as a timestamp, which ERP systems read.
constexpr std::array<const char*, kPgSchemaVersion> kMigrations{
    R"sql(
CREATE SCHEMA IF NOT EXISTS vellicor;
CREATE TABLE vellicor.meta (name text PRIMARY KEY, value text NOT NULL);
INSERT INTO vellicor.meta VALUES ('schema_version', '0'), ('library_value', '-1');
CREATE SEQUENCE vellicor.stock_id AS integer MINVALUE -2147483648 START WITH 1;
SELECT setval('vellicor.stock_id', 0);
CREATE TABLE vellicor.stock (
  row_key bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  row_version integer NOT NULL DEFAULT 1,
  id integer NOT NULL,
  type integer NOT NULL CHECK (type BETWEEN 0 AND 65535),
  name text NOT NULL,
  length double precision NOT NULL,
  width double precision NOT NULL,
  thickness double precision NOT NULL,
  cost_per_kg double precision NOT NULL,
  qty integer NOT NULL CHECK (qty BETWEEN 0 AND 65535),
  material text NOT NULL,
  remarks text NOT NULL,
  left_trim double precision NOT NULL,
  right_trim double precision NOT NULL,
  date_status integer NOT NULL,
  date_days double precision NOT NULL,
  dated timestamp GENERATED ALWAYS AS (
    CASE WHEN date_status = 0 AND date_days BETWEEN -657434 AND 2958465
         THEN timestamp '1899-12-30' + trunc(date_days) * interval '1 day'
              + abs(date_days - trunc(date_days)) * interval '1 day' END) STORED
);
CREATE INDEX stock_by_id ON vellicor.stock (id);
CREATE TABLE vellicor.stock_used (
  line bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  stock_id integer NOT NULL,
  order_no text NOT NULL,
  qty integer NOT NULL,
  used_on date,
  spare text NOT NULL,
  material text NOT NULL,
  length double precision NOT NULL,
  width double precision NOT NULL,
  thickness double precision NOT NULL
);
CREATE TABLE vellicor.bookings (
  booking_key text PRIMARY KEY,
  attempt text NOT NULL,
  order_no text NOT NULL,
  offcut_ids integer[] NOT NULL DEFAULT '{}',
  booked_at timestamptz NOT NULL DEFAULT now()
);
CREATE TABLE vellicor.materials (
  position integer PRIMARY KEY,
  name text NOT NULL,
  code text NOT NULL,
  density real NOT NULL,
  cost_per_kg real NOT NULL,
  min_offcut_length real NOT NULL,
  min_offcut_width real NOT NULL
);
CREATE VIEW vellicor.stock_on_hand AS
  SELECT id AS stock_id, CASE type WHEN 0 THEN 'Prime' WHEN 1 THEN 'Offcut' END AS kind, name, material,
         thickness, width, length, qty, cost_per_kg, left_trim, right_trim, remarks, dated
  FROM vellicor.stock;
CREATE VIEW vellicor.stock_used_log AS
  SELECT stock_id, order_no, qty, used_on, material, length, width, thickness FROM vellicor.stock_used;
)sql",
};

} // namespace

int PgSchemaVersion(PgConnection& db)
{
    const auto present = db.Exec("SELECT to_regclass('vellicor.meta') IS NOT NULL");
    if (!present)
        return -1;
    if (present->Text(0, 0) != "t")
        return 0;
    const auto version = db.Exec("SELECT value::integer FROM vellicor.meta WHERE name = 'schema_version'");
    if (!version)
        return -1;
    return version->Rows() == 1 ? std::stoi(version->Text(0, 0)) : 0;
}

int MigratePgSchema(PgConnection& db)
{
    if (!db.Exec("BEGIN"))
        return -1;
    // Two programs initialising one database at once take turns.
    int version = -1;
    if (db.Exec("SELECT pg_advisory_xact_lock(hashtext('vellicor schema'))"))
        version = PgSchemaVersion(db);
    for (int v = version; v >= 0 && v < kPgSchemaVersion; ++v) {
        if (!db.ExecScript(kMigrations[v])
            || !db.Exec("UPDATE vellicor.meta SET value = $1 WHERE name = 'schema_version'", {std::to_string(v + 1)})) {
            version = -1;
            break;
        }
        version = v + 1;
    }
    if (version < 0 || !db.Exec("COMMIT")) {
        db.Rollback();
        return -1;
    }
    return version;
}

} // namespace vellicor
