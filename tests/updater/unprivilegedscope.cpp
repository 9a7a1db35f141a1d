#include "tests/updater/unprivilegedscope.h"

#include <unistd.h>

namespace {
constexpr uid_t NobodyUid = 65534;
}

UnprivilegedScope::UnprivilegedScope() : m_previous(geteuid()) {
    if (m_previous != 0) {
        return;
    }
    m_changed = seteuid(NobodyUid) == 0;
    m_effective = m_changed;
}

UnprivilegedScope::~UnprivilegedScope() {
    if (m_changed && seteuid(m_previous) != 0) {
        _exit(3);
    }
}
