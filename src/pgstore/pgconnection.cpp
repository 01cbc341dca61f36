#include "pgstore/pgconnection.h"

#include <libpq-fe.h>

#include <charconv>
#include <cmath>

namespace vellicor {
namespace {

std::string Trimmed(const char* message)
{
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

PgFailure FailureOfState(const char* state)
{
    if (!state)
        return PgFailure::Other;
    const std::string code = state;
    if (code == "40001" || code == "40P01")
        return PgFailure::Retry;
    // Connection exceptions and an administrator's or the server's ending of the session.
    if (code.rfind("08", 0) == 0 || code.rfind("57P0", 0) == 0)
        return PgFailure::Lost;
    return PgFailure::Other;
}

template <typename T> std::string ShortestText(T value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

template <typename T> T ParseShortest(const std::string& text)
{
    T value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

PgResult& PgResult::operator=(PgResult&& other) noexcept
{
    if (this != &other) {
        PQclear(result_);
        result_ = std::exchange(other.result_, nullptr);
    }
    return *this;
}

PgResult::~PgResult()
{
    PQclear(result_);
}

int PgResult::Rows() const
{
    return result_ ? PQntuples(result_) : 0;
}

bool PgResult::IsNull(int row, int column) const
{
    return PQgetisnull(result_, row, column) != 0;
}

std::string PgResult::Text(int row, int column) const
{
    return std::string(PQgetvalue(result_, row, column), static_cast<std::size_t>(PQgetlength(result_, row, column)));
}

PgConnection::~PgConnection()
{
    Drop();
}

void PgConnection::Drop()
{
    if (conn_)
        PQfinish(conn_);
    conn_ = nullptr;
}

bool PgConnection::Connect()
{
    if (conn_ && PQstatus(conn_) == CONNECTION_OK)
        return true;
    Drop();
    // The URI's own settings override the timeout; the encoding and the name are ours.
    const char* keys[] = {"connect_timeout", "dbname", "client_encoding", "application_name", nullptr};
    const char* values[] = {"10", uri_.c_str(), "UTF8", "vellicor", nullptr};
    pg_conn* conn = PQconnectdbParams(keys, values, 1);
    if (PQstatus(conn) == CONNECTION_OK) {
        conn_ = conn;
        // Every float8 and float4 comes back as the shortest text that reads back exactly.
        return Exec("SET extra_float_digits = 1").has_value();
    }
    error_ = Trimmed(PQerrorMessage(conn));
    const bool password = error_.find("password authentication failed") != std::string::npos
        || error_.find("no password supplied") != std::string::npos;
    failure_ = password ? PgFailure::Password : PgFailure::Connect;
    PQfinish(conn);
    return false;
}

std::optional<PgResult> PgConnection::Exec(const std::string& sql, const PgParams& params)
{
    if (hook_)
        hook_(sql);
    if (!conn_) {
        failure_ = PgFailure::Lost;
        return std::nullopt;
    }
    std::vector<const char*> values;
    for (const auto& p : params)
        values.push_back(p ? p->c_str() : nullptr);
    PgResult result(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                                 nullptr, 0));
    if (answerHook_ && answerHook_(sql)) {
        error_ = "the connection broke before the answer came";
        failure_ = PgFailure::Lost;
        Drop();
        return std::nullopt;
    }
    const pg_result* res = result.result_;
    const ExecStatusType status = PQresultStatus(res);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
        failure_ = PgFailure::None;
        error_.clear();
        return result;
    }
    error_ = Trimmed(res ? PQresultErrorMessage(res) : "");
    if (error_.empty())
        error_ = Trimmed(PQerrorMessage(conn_));
    failure_ = PQstatus(conn_) == CONNECTION_BAD
        ? PgFailure::Lost
        : FailureOfState(res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr);
    if (failure_ == PgFailure::Lost)
        Drop();
    return std::nullopt;
}

bool PgConnection::ExecScript(const std::string& sql)
{
    if (hook_)
        hook_(sql);
    if (!conn_) {
        failure_ = PgFailure::Lost;
        return false;
    }
    PgResult result(PQexec(conn_, sql.c_str()));
    if (PQresultStatus(result.result_) == PGRES_COMMAND_OK || PQresultStatus(result.result_) == PGRES_TUPLES_OK)
        return true;
    error_ = Trimmed(PQerrorMessage(conn_));
    failure_ = PQstatus(conn_) == CONNECTION_BAD ? PgFailure::Lost
                                                 : FailureOfState(PQresultErrorField(result.result_, PG_DIAG_SQLSTATE));
    if (failure_ == PgFailure::Lost)
        Drop();
    return false;
}

void PgConnection::Rollback()
{
    if (!conn_)
        return;
    const PgFailure failure = failure_;
    const std::string error = error_;
    PQclear(PQexec(conn_, "ROLLBACK"));
    if (PQstatus(conn_) == CONNECTION_BAD)
        Drop();
    failure_ = failure;
    error_ = error;
}

int PgConnection::BackendPid() const
{
    return conn_ ? PQbackendPID(conn_) : 0;
}

std::string ExactText(double value)
{
    return ShortestText(value);
}

std::string ExactText(float value)
{
    return ShortestText(value);
}

double ParseExactDouble(const std::string& text)
{
    return ParseShortest<double>(text);
}

float ParseExactFloat(const std::string& text)
{
    return ParseShortest<float>(text);
}

} // namespace vellicor
