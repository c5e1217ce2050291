#include "DesktopSession.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

DesktopSession::DesktopSession() = default;

DesktopSession::~DesktopSession()
{
    for (QProcess *process : { &windowManager_, &server_ }) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
            process->waitForFinished(5000);
        }
    }
}

bool DesktopSession::Start(QString *why)
{
    for (const char *tool : { "Xvfb", "openbox", "xdotool", "wmctrl" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *why = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return false;
        }
    }
    // Xvfb picks a free display and writes its number on the given descriptor.
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    server_.start(QStringLiteral("Xvfb"), { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp") });
    if (!server_.waitForStarted(5000) || !server_.waitForReadyRead(10000)) {
        *why = QStringLiteral("Xvfb did not start");
        return false;
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(server_.readLine()).trimmed();
    windowManager_.setProcessEnvironment(Environment());
    windowManager_.start(QStringLiteral("openbox"), {});
    if (!windowManager_.waitForStarted(5000)) {
        *why = QStringLiteral("openbox did not start");
        return false;
    }
    // The window manager is up once it has set its check window.
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (Run(QStringLiteral("wmctrl"), { QStringLiteral("-m") }).contains(QLatin1String("Openbox")))
            return true;
        QThread::msleep(100);
    }
    *why = QStringLiteral("openbox did not take the display");
    return false;
}

QProcessEnvironment DesktopSession::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

QString DesktopSession::Run(const QString &tool, const QStringList &arguments, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(tool, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString DesktopSession::WaitForWindow(qint64 pid, const QString &name, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        // wmctrl -lp: id, desktop, pid, host, name
        for (const QString &line : Run(QStringLiteral("wmctrl"), { QStringLiteral("-lp") }).split(QLatin1Char('\n'))) {
            const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (fields.size() >= 4 && fields[2].toLongLong() == pid && fields.mid(4).join(QLatin1Char(' ')) == name)
                return fields[0];
        }
        QThread::msleep(100);
    }
    return {};
}
