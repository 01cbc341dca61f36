#pragma once

#include "inventory/inventory.h"
#include "inventory/matedb.h"
#include "inventory/stockdb.h"
#include "pgstore/pginventorystore.h"
#include "pgstore/pgschema.h"
#include "support/pgcluster.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace vellicor::test {

enum class StoreKind { Files, Postgres };

inline void PrintTo(StoreKind kind, std::ostream* out)
{
    *out << (kind == StoreKind::Files ? "Files" : "PostgreSQL");
}

inline std::string StoreKindName(const testing::TestParamInfo<StoreKind>& info)
{
    return testing::PrintToString(info.param);
}

// One inventory of the kind under test, empty at the start: a data directory of the test's own, or
// a database of its own in the process's cluster. Each planner gets a store object of their own.
class StoreFixture {
protected:
    void Prepare(StoreKind kind)
    {
        kind_ = kind;
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "-" + test->name();
        for (char& c : name)
            if (c == '/')
                c = '-';
        dir_ = std::filesystem::temp_directory_path() / ("vellicor-" + name);
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        if (kind == StoreKind::Postgres) {
            ASSERT_TRUE(PgTestCluster::Get().Running()) << "the test cluster did not start";
            uri_ = PgTestCluster::Get().NewDatabase();
            PgInventoryStore init(uri_, messages_);
            ASSERT_EQ(init.InitSchema(), kPgSchemaVersion);
        }
    }

    void Finish() const { std::filesystem::remove_all(dir_); }

    std::unique_ptr<IInventoryStore> NewStore(IUserMessages& messages) const
    {
        if (kind_ == StoreKind::Files)
            return std::make_unique<CsInventory>(dir_.string(), messages);
        auto store = std::make_unique<PgInventoryStore>(uri_, messages);
        EXPECT_TRUE(store->Open());
        return store;
    }

    StoreKind kind_ = StoreKind::Files;
    std::filesystem::path dir_;
    std::string uri_;
    RecordingMessages messages_;
};

} // namespace vellicor::test
