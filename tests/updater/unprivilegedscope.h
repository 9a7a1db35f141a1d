#pragma once

#include <sys/types.h>

// Runs a stretch of a test without root's right to write read-only files: as root the effective
// user becomes "nobody" until the scope ends; otherwise nothing changes.
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
    bool m_changed = false;
    bool m_effective = true;
};
