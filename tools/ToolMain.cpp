#include "tools/ToolMain.h"

#include "platform/HeadlessGlError.h"
#include "tools/HelpRequest.h"
#include "tools/UsageError.h"
#include "tools/VersionRequest.h"

#include <cstdio>
#include <exception>
#include <new>

int RunTool(const char* program, const char* usage, int argc, char** argv,
            const std::function<void(const std::vector<std::string>&)>& body) {
    try {
        body(std::vector<std::string>(argv + 1, argv + argc));
        return 0;
    } catch (const HelpRequest&) {
        std::fputs(usage, stdout);
        return 0;
    } catch (const VersionRequest&) {
        std::printf("%s %s\n", program, KOVO_VERSION);
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "%s: %s (see %s --help)\n", program, error.what(), program);
        return 2;
    } catch (const host::HeadlessGlError& error) {
        std::fprintf(stderr, "%s: cannot draw without a display: %s\n", program, error.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: out of memory\n", program);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", program, error.what());
    }
    return 1;
}
