#pragma once

#include "pgstore/pgconnection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace vellicor::test {

// The throw-away PostgreSQL cluster of this test process (scripts/pg-test-cluster): started on
// first use, stopped when the process ends, reachable only through a Unix socket in its folder.
// Stores log in as "planner", an ordinary role owning the test databases; the superuser connection
// (Admin) breaks their connections and locks them out.
class PgTestCluster {
public:
    static PgTestCluster& Get()
    {
        static PgTestCluster cluster;
        return cluster;
    }

    bool Running() const { return running_; }
    const std::string& Password() const { return password_; }

    // A URI for `database` as `role` with `password`.
    std::string Uri(const std::string& database, const std::string& password,
                    const std::string& role = "planner") const
    {
        return "postgresql://" + role + ":" + password + "@/" + database + "?host=" + dir_;
    }

    // A fresh, empty database owned by the planner role; its URI.
    std::string NewDatabase()
    {
        const std::string name = "t" + std::to_string(getpid()) + "_" + std::to_string(++databases_);
        EXPECT_TRUE(Admin().Exec("CREATE DATABASE " + name + " OWNER planner")) << Admin().Error();
        return Uri(name, password_);
    }

    PgConnection& Admin() { return *admin_; }

    // Breaks the connection of server process `pid`, waiting until it is gone.
    void Terminate(int pid)
    {
        EXPECT_TRUE(Admin().Exec("SELECT pg_terminate_backend($1, 10000)", {std::to_string(pid)})) << Admin().Error();
    }

    // Lets the planner role log in, or not; sessions already open stay.
    void AllowLogin(bool allow) { EXPECT_TRUE(Admin().Exec(allow ? "ALTER ROLE planner LOGIN" : "ALTER ROLE planner NOLOGIN")); }

    PgTestCluster(const PgTestCluster&) = delete;
    PgTestCluster& operator=(const PgTestCluster&) = delete;

private:
    PgTestCluster()
    {
        char dir[] = "/tmp/vellicor-pg-XXXXXX";
        if (!mkdtemp(dir))
            return;
        dir_ = dir;
        const std::string start = Script() + " start " + dir_ + " " + std::to_string(getpid());
        if (std::system(start.c_str()) != 0)
            return;
        std::ifstream(dir_ + "/password") >> password_;
        admin_ = std::make_unique<PgConnection>(Uri("postgres", password_, "vellicor"));
        running_ = admin_->Connect()
            && admin_->Exec("CREATE ROLE planner LOGIN PASSWORD '" + password_ + "'").has_value();
    }

    ~PgTestCluster()
    {
        admin_.reset();
        if (!dir_.empty())
            std::system((Script() + " stop " + dir_).c_str());
    }

    static std::string Script() { return std::string(VELLICOR_SOURCE_DIR) + "/scripts/pg-test-cluster"; }

    std::string dir_;
    std::string password_;
    std::unique_ptr<PgConnection> admin_;
    bool running_ = false;
    int databases_ = 0;
};

} // namespace vellicor::test
