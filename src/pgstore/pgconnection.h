#pragma once

#include <functional>
#include <utility>
#include <optional>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace vellicor {

// Why a connection or statement failed, as far as the caller acts on it.
enum class PgFailure {
    None,
    // The server cannot be reached.
    Connect,
    // The server refused the user name or password.
    Password,
    // The connection broke: what was not committed is rolled back by the server.
    Lost,
    // A deadlock or serialization failure: the transaction may simply be run again.
    Retry,
    Other,
};

// The rows of one statement, all values as text.
class PgResult {
public:
    PgResult() = default;
    explicit PgResult(pg_result* result) : result_(result) {}
    PgResult(PgResult&& other) noexcept : result_(std::exchange(other.result_, nullptr)) {}
    PgResult& operator=(PgResult&& other) noexcept;
    PgResult(const PgResult&) = delete;
    PgResult& operator=(const PgResult&) = delete;
    ~PgResult();

    int Rows() const;
    bool IsNull(int row, int column) const;
    std::string Text(int row, int column) const;

private:
    friend class PgConnection;
    pg_result* result_ = nullptr;
};

using PgParams = std::vector<std::optional<std::string>>;

// One libpq connection, opened from a connection URI and reopened on demand after it broke.
class PgConnection {
public:
    explicit PgConnection(std::string uri) : uri_(std::move(uri)) {}
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;
    ~PgConnection();

    // Connects unless connected; on failure Failure() and Error() tell why.
    bool Connect();
    bool Connected() const { return conn_ != nullptr; }
    // Runs one statement with text parameters (nullopt is NULL); nullopt when it failed.
    std::optional<PgResult> Exec(const std::string& sql, const PgParams& params = {});
    // Runs statements separated by semicolons, without parameters.
    bool ExecScript(const std::string& sql);
    // Ends the open transaction, if any, keeping the failure that made the caller give up.
    void Rollback();
    PgFailure Failure() const { return failure_; }
    const std::string& Error() const { return error_; }
    // The server process serving this connection.
    int BackendPid() const;

    // Called before every statement; tests break the connection at chosen steps with it.
    void SetStatementHook(std::function<void(const std::string& sql)> hook) { hook_ = std::move(hook); }
    // Called after every statement the server answered; true loses the answer with the connection,
    // as when the network breaks just then.
    void SetAnswerHook(std::function<bool(const std::string& sql)> hook) { answerHook_ = std::move(hook); }

private:
    void Drop();

    std::string uri_;
    pg_conn* conn_ = nullptr;
    PgFailure failure_ = PgFailure::None;
    std::string error_;
    std::function<void(const std::string&)> hook_;
    std::function<bool(const std::string&)> answerHook_;
};

// A double or float as text that reads back to the same value in PostgreSQL and in ParseExact.
std::string ExactText(double value);
std::string ExactText(float value);
double ParseExactDouble(const std::string& text);
float ParseExactFloat(const std::string& text);

} // namespace vellicor
