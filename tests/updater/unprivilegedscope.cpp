#include "tests/updater/unprivilegedscope.h"

#include <unistd.h>

namespace {
constexpr uid_t NobodyUid = 65534;
constexpr gid_t NogroupGid = 65534;
} // namespace

UnprivilegedScope::UnprivilegedScope() : m_previous(geteuid()), m_previousGroup(getegid()) {
    if (m_previous != 0) {
        return;
    }
    // The group first: root's group would otherwise grant what its bits allow.
    if (setegid(NogroupGid) != 0) {
        m_effective = false;
        return;
    }
    if (seteuid(NobodyUid) != 0) {
        m_effective = false;
        if (setegid(m_previousGroup) != 0)
            _exit(3);
        return;
    }
    m_changed = true;
}

UnprivilegedScope::~UnprivilegedScope() {
    if (m_changed && (seteuid(m_previous) != 0 || setegid(m_previousGroup) != 0)) {
        _exit(3);
    }
}
