#include "ProcessSetup.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void PrepareProcess()
{
    if (::geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) {
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
        std::fputs("Project1: running as root, so the web engine's sandbox is off.\n", stderr);
    }
}
