#include "InterruptCleanup.h"

#include <algorithm>
#include <csignal>

#include <limits.h>
#include <unistd.h>

namespace {

// Read by the handler, so a plain buffer: nothing it may not touch.
char pendingPath[PATH_MAX + 1];

extern "C" void removePendingAndDie(int signalNumber)
{
    if (pendingPath[0] != '\0')
        unlink(pendingPath);
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

// Keeps the handler from reading the buffer half-written.
class SignalsHeld
{
public:
    SignalsHeld()
    {
        sigemptyset(&m_held);
        sigaddset(&m_held, SIGINT);
        sigaddset(&m_held, SIGTERM);
        sigprocmask(SIG_BLOCK, &m_held, &m_before);
    }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &m_before, nullptr); }

private:
    sigset_t m_held;
    sigset_t m_before;
};

} // namespace

void removeOnInterrupt(const QByteArray &path)
{
    const SignalsHeld held;
    // A name cut short could be another file's: one too long is not removed.
    const size_t length = size_t(path.size()) < sizeof pendingPath ? size_t(path.size()) : 0;
    std::copy_n(path.constData(), length, pendingPath);
    pendingPath[length] = '\0';
    static const bool installed = [] {
        for (const int signalNumber : {SIGINT, SIGTERM}) {
            struct sigaction action = {};
            action.sa_handler = removePendingAndDie;
            sigemptyset(&action.sa_mask);
            // A shell's background job starts with INT ignored: it stays so.
            struct sigaction before;
            sigaction(signalNumber, nullptr, &before);
            if (before.sa_handler != SIG_IGN)
                sigaction(signalNumber, &action, nullptr);
        }
        return true;
    }();
    (void)installed;
}
