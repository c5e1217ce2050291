#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the program as its own exit does, so that the
// web engine's processes end with it and nothing is left running.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void Received(int signal);

private:
    QSocketNotifier *notifier_ = nullptr;
};
