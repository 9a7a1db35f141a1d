#pragma once

#include <sys/types.h>

// Runs a stretch of a test as another user would, without root's rights: as root the effective
// user and group become "nobody" and "nogroup" until the scope ends; otherwise nothing changes.
class UnprivilegedScope final {
public:
    UnprivilegedScope();
    ~UnprivilegedScope();
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

    // False when running as root and the user could not be changed.
    bool isEffective() const { return m_effective; }

private:
    uid_t m_previous;
    gid_t m_previousGroup;
    bool m_changed = false;
    bool m_effective = true;
};
