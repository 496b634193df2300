// Logout, shutdown and Ctrl+C in a terminal end the program as closing its
// window does, game saved. The handler only writes to a pipe; the work is
// done in the event loop, where anything may be done.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace palabrum {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Catches SIGTERM, SIGHUP and SIGINT from now on, for the life of this object.
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    // Once, for the first of the signals; later ones are let pass quietly, so
    // that a second Ctrl+C cannot cut the save short.
    void quitRequested(int signal);

private:
    void OnReadable();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    bool m_told = false;
};

}  // namespace palabrum
