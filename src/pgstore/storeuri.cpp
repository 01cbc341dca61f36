#include "pgstore/storeuri.h"

namespace vellicor {

bool IsPostgresUri(const std::string& store)
{
    return store.rfind("postgresql://", 0) == 0 || store.rfind("postgres://", 0) == 0;
}

std::string UriWithoutPassword(const std::string& uri)
{
    std::string text = uri;
    const std::size_t start = text.find("://");
    if (start != std::string::npos) {
        const std::size_t hostEnd = text.find_first_of("/?", start + 3);
        const std::size_t at = text.rfind('@', hostEnd == std::string::npos ? text.size() : hostEnd);
        if (at != std::string::npos && at > start) {
            const std::size_t colon = text.find(':', start + 3);
            if (colon != std::string::npos && colon < at)
                text.erase(colon, at - colon);
        }
    }
    for (const char* mark : {"?password=", "&password="}) {
        const std::size_t p = text.find(mark);
        if (p == std::string::npos)
            continue;
        const std::size_t end = text.find('&', p + 1);
        text.erase(p + 1, end == std::string::npos ? std::string::npos : end - p);
        if (!text.empty() && (text.back() == '?' || text.back() == '&'))
            text.pop_back();
    }
    return text;
}

} // namespace vellicor
