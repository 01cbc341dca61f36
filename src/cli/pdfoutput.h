#pragma once

#include <string>

namespace vellicor {
struct ReportContent;
}

namespace vellicor::cli {

struct Context;

// A name that ends in ".pdf", in any case.
bool IsPdfPath(const std::string& path);

// Writes the description as a PDF on A4; on failure message 178 has been shown.
bool WritePdf(Context& ctx, const ReportContent& content, const std::string& path);

} // namespace vellicor::cli
