#pragma once

class QApplication;

// What every course program sets up first: a readable font, the Russian
// locale, one look on every system, and a clean exit on termination signals.
class ProgramSetup
{
public:
    static void apply(QApplication &app);
};
