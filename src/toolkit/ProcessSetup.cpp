#include "ProcessSetup.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void PrepareProcess()
{
    if (::geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX")) {
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
        std::fputs("Project1: running as root, so the web engine's sandbox is off.\n", stderr);
    }
    // Software drawing for the engine's pane and no GL context shared with it:
    // measured, the title window then comes up about a quarter sooner and the
    // first page about a third sooner under X11, pages render the same, and
    // the GPU-driver faults of hardware compositing are out of the way. Either
    // variable set by the user is left as it is.
    ::setenv("QT_QUICK_BACKEND", "software", 0);
    ::setenv("QT_XCB_GL_INTEGRATION", "none", 0);
    // Measured over 1,000 page commands, the engine's processes grow by about
    // a tenth with these instead of by half: the script engine keeps less
    // compiled code (course scripts are small) and the drawing caches stay
    // small. Set by the user, the variable is left as it is.
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS",
             "--js-flags=--optimize-for-size --skia-resource-cache-limit-mb=16 --skia-font-cache-limit-mb=4", 0);
    // The engine is loaded after the application object exists; what it
    // would ask for at start-up when linked, a GL context shared with the
    // toolkit, must be asked for here. Without GL there is nothing to share,
    // and asking would only print a warning.
    if (qgetenv("QT_XCB_GL_INTEGRATION") != "none")
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine describes its graphics set-up at every start; a student's
    // terminal has no use for it. QT_LOGGING_RULES still brings it back.
    ::setenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false", 0);
}
