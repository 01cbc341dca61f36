// The material library reader on arbitrary bytes. Whatever loads must write back to bytes that
// load to the same bytes again.
#include "inventory/matedb.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellicor;
    CsMateDb db;
    if (!db.Load(std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    const std::string bytes = db.Bytes();
    CsMateDb again;
    if (!again.Load(bytes) || again.Bytes() != bytes)
        std::abort();
    return 0;
}
