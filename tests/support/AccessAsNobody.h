#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// While it lives, files are opened with the permissions of the user nobody, so that a file
// or folder of mode 000 stays shut to a test run as root. The system keeps this per thread;
// threads started meanwhile inherit it. The folders on the way must be open to others.
class AccessAsNobody
{
public:
    AccessAsNobody()
    {
        if (::geteuid() != 0)
            return;
        ::setfsuid(nobody);
        m_changed = true;
        // An invalid id changes nothing and reports the current one.
        m_works = uid_t(::setfsuid(uid_t(-1))) == nobody;
    }
    ~AccessAsNobody()
    {
        if (m_changed)
            ::setfsuid(0);
    }
    AccessAsNobody(const AccessAsNobody &) = delete;
    AccessAsNobody &operator=(const AccessAsNobody &) = delete;

    // False when the system refused the change: mode 000 keeps nothing from this test.
    bool works() const { return m_works; }

private:
    static constexpr uid_t nobody = 65534;
    bool m_changed = false;
    bool m_works = true;
};
