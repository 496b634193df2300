#include "shell/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>
#include <cerrno>

namespace palabrum {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int g_writeEnd = -1;

// Only async-signal-safe calls here: one write, errno kept for whoever was interrupted.
extern "C" void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto written = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // then the signals keep their usual effect
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::OnReadable);

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // system calls in progress go on, the save's among them
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals() {
    if (m_pipe[0] < 0) return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
    g_writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::OnReadable() {
    unsigned char bytes[16];
    ssize_t got = 0;
    int first = 0;
    while ((got = ::read(m_pipe[0], bytes, sizeof bytes)) > 0) {
        if (!first) first = bytes[0];
    }
    if (!first || m_told) return;
    m_told = true;
    emit quitRequested(first);
}

}  // namespace palabrum
