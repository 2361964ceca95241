// The tests' probe as a process of its own, for what must come from another program (a hot
// key held elsewhere) and for a look while the program is not running: the same verbs as
// the test build's own probe (see src/win32/test_probe_verbs_win32.h), one request per run.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win32/test_probe_verbs_win32.h"

int main(int argc, char** argv) {
    // Real pixels, as the program (which is DPI aware) sees them.
    SetProcessDPIAware();
    const std::vector<std::string> words(argv + 1, argv + argc);
    std::string out;
    const int rc = lumeq::Probe(words, out);
    std::fputs(out.c_str(), stdout);
    return rc;
}
