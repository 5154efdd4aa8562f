// morvick-bench COMMAND ARGS...: runs one engine command without the user interface.
#include "BenchCommand.h"

#include "engine/util/OemText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

std::vector<BenchCommand>& BenchCommands()
{
    static std::vector<BenchCommand> commands;
    return commands;
}

static int Usage()
{
    std::fprintf(stderr, "usage: morvick-bench COMMAND ARGS... [--oem-code-page N]\n");
    for (const BenchCommand& c : BenchCommands())
        std::fprintf(stderr, "  morvick-bench %s\n", c.usage);
    return 2;
}

// Takes `--oem-code-page N` out of the arguments, wherever it stands, and reads short names in code
// page N for the run as a computer of that OEM code page does: false for N not an OEM code page.
static bool TakeOemCodePage(std::vector<std::string>& args)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--oem-code-page")
            continue;
        const std::string value = i + 1 < args.size() ? args[i + 1] : "";
        char* end = nullptr;
        const unsigned long page = std::strtoul(value.c_str(), &end, 10);
        size_t count = 0;
        const uint32_t* pages = OemCodePages(count);
        bool known = !value.empty() && *end == '\0' && value[0] != '-';
        known = known && std::find(pages, pages + count, page) != pages + count;
        if (!known) {
            std::fprintf(stderr, "--oem-code-page takes an OEM code page (437, 850, 932, ...), not %s\n",
                value.c_str());
            return false;
        }
        SetOemCodePage(static_cast<uint32_t>(page));
        args.erase(args.begin() + i, args.begin() + i + 2);
        --i;
    }
    return true;
}

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Commands write raw bytes to standard output.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2)
        return Usage();
    for (const BenchCommand& c : BenchCommands()) {
        if (std::strcmp(c.name, argv[1]) != 0)
            continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        if (!TakeOemCodePage(args))
            return 2;
        return c.run(args);
    }
    return Usage();
}
