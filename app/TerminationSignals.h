#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the program the ordinary way, so the archive is written: the
// handler only writes a byte into a pipe, and the event loop does the rest.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    bool requested() const { return m_requested; }

Q_SIGNALS:
    void terminationRequested();

private:
    void onSignal();

    QSocketNotifier *m_notifier = nullptr;
    bool m_requested = false;
};
