#include "WinExec.h"

#include <QFile>
#include <QProcess>

bool WinExec(const char *commandLine, int /*showMode: a normal first window is the default here*/)
{
    // startDetached forks twice: the program is nobody's child here, so no zombie.
    return QProcess::startDetached(QFile::decodeName(commandLine), {});
}
