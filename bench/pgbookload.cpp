// Bookings per second that a PostgreSQL store holds without loss: K vellicor-cli processes book M
// jobs each, with distinct order numbers, into one database of a throw-away cluster; then every
// deduction, offcut and log line is counted. Usage: pgbookload K M
#include "cli/cli.h"
#include "inventory/booking.h"
#include "inventory/inventory.h"
#include "inventory/matedb.h"
#include "inventory/stockdb.h"
#include "model/jobfile.h"
#include "pgstore/pginventorystore.h"
#include "pgstore/pgschema.h"
#include "platform/usermessages.h"
#include "support/bookingjob.h"
#include "support/pgcluster.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace vellicor;

struct QuietMessages : IUserMessages {
    MessageAnswer Show(int id, const std::vector<std::string>& args, MessageButtons, MessageIcon) override
    {
        std::cerr << "message " << id << (args.empty() ? "" : ": " + args.front()) << '\n';
        return MessageAnswer::Ok;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: pgbookload K M\n";
        return 2;
    }
    const int processes = std::stoi(argv[1]);
    const int jobsEach = std::stoi(argv[2]);
    auto& cluster = test::PgTestCluster::Get();
    if (!cluster.Running()) {
        std::cerr << "the cluster did not start\n";
        return 1;
    }
    const std::string uri = cluster.NewDatabase();
    QuietMessages messages;
    PgInventoryStore store(uri, messages);
    CsStockDb stock = test::MakeBookingStock();
    stock.Records[0].Qty = 65535;
    if (store.InitSchema() != kPgSchemaVersion || store.ReplaceInventory(stock, {}, CsMateDb()) != kInventoryDone)
        return 1;

    char folder[] = "/tmp/vellicor-load-XXXXXX";
    const std::filesystem::path dir = mkdtemp(folder);
    auto job = test::MakeBookingJob();
    const BookingLists lists = FillLists(*job);
    int usedPerJob = 0;
    for (const auto& rec : lists.UsedStock)
        usedPerJob += rec.Id == 17 ? rec.Qty : 0;
    std::vector<std::string> jobs;
    for (int p = 0; p < processes; ++p)
        for (int j = 0; j < jobsEach; ++j) {
            job->OrderNo = "P" + std::to_string(p) + "J" + std::to_string(j);
            jobs.push_back((dir / (job->OrderNo + ".vcj")).string());
            SaveJobFile(*job, jobs.back());
        }

    const auto start = std::chrono::steady_clock::now();
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
        const pid_t child = fork();
        if (child == 0) {
            int failures = 0;
            for (int j = 0; j < jobsEach; ++j) {
                std::ostringstream out;
                std::ostringstream err;
                failures += cli::RunCli({"--profile", (dir / "none.ini").string(), "book",
                                         jobs[static_cast<std::size_t>(p * jobsEach + j)], "--store", uri},
                                        out, err)
                    != cli::kExitOk;
            }
            _exit(failures);
        }
        children.push_back(child);
    }
    int failed = 0;
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        failed += WIFEXITED(status) ? WEXITSTATUS(status) : jobsEach;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const int booked = processes * jobsEach;
    CsStockDb after;
    std::vector<CsStockUsedRec> log;
    store.ReadStock(after);
    store.ReadStockUsed(log);
    std::set<std::int32_t> ids;
    for (const auto& rec : after.Records)
        ids.insert(rec.Id);
    const int lostDeductions = (65535 - after.Records[0].Qty) / usedPerJob - booked;
    const long lostOffcuts = static_cast<long>(booked * lists.Offcuts.size()) - static_cast<long>(after.Records.size() - 1);
    const long lostLines = booked - static_cast<long>(log.size());
    const long repeatedIds = static_cast<long>(after.Records.size()) - static_cast<long>(ids.size());
    std::printf("%d processes x %d bookings: %.2f s, %.1f bookings/s; failed %d, lost deductions %d, "
                "lost offcuts %ld, lost log lines %ld, repeated ids %ld\n",
                processes, jobsEach, seconds, booked / seconds, failed, lostDeductions, lostOffcuts, lostLines,
                repeatedIds);
    std::filesystem::remove_all(dir);
    return failed || lostDeductions || lostOffcuts || lostLines || repeatedIds ? 1 : 0;
}
