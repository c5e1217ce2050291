#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A real X display with a window manager, for tests that need the desktop's
// view of the program: Xvfb and openbox, driven with xdotool and wmctrl.
class DesktopSession
{
public:
    DesktopSession();
    ~DesktopSession();

    // Whether the display came up; the tools it needs may be missing.
    bool Start(QString *why);
    QString Display() const { return display_; }
    QProcessEnvironment Environment() const;

    // Runs a tool on the display and returns what it printed.
    QString Run(const QString &tool, const QStringList &arguments, int timeoutMs = 10000) const;
    // The id of a visible top-level window of the process, waiting for it.
    QString WaitForWindow(qint64 pid, const QString &name, int timeoutMs = 20000) const;

private:
    QProcess server_;
    QProcess windowManager_;
    QString display_;
};
