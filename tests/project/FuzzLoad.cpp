// Fuzz target of the project loader. Whatever the bytes, the load either
// succeeds or reports why, and a project that loaded is saved and loaded
// again to exactly the same lines: a resave never loses or changes data.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/ProjectFile.h"
#include "project/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Project p;
    const LoadResult res = ReadProjectBytes(p, bytes, "fuzz.smp");
    if (!res.ok) {
        if (res.error.empty()) std::abort();
        return 0;
    }
    const auto lines = ProjectLines(p);
    Project q;
    const LoadResult again = ReadProjectBytes(q, JoinLines(lines), "fuzz.smp");
    if (!again.ok || ProjectLines(q) != lines) std::abort();
    return 0;
}
