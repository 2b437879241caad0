// SIGTERM, SIGHUP and SIGINT delivered as a Qt signal on the window thread:
// the handler only writes the signal's number to a pipe (all it may safely
// do), and a socket notifier reads it from the event loop. SIGXFSZ is
// ignored while the object lives.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    // Installs the handlers; one object per process.
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override; // restores the default actions

signals:
    void received(int signal);

private:
    void readPipe();

    QSocketNotifier *notifier_ = nullptr;
};
