#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the program normally on SIGTERM, SIGINT or SIGHUP: the signal is
// passed through a pipe to the event loop, which then quits, so windows
// close and the exit status is a clean one.
class TerminationHandler : public QObject
{
    Q_OBJECT

public:
    explicit TerminationHandler(QObject *parent = nullptr);
    ~TerminationHandler() override;

private:
    QSocketNotifier *notifier_ = nullptr;
};
