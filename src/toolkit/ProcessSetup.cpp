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
    // The engine describes its graphics set-up at every start; a student's
    // terminal has no use for it. QT_LOGGING_RULES still brings it back.
    ::setenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false", 0);
}
