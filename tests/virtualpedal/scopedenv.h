#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <cstdlib>

// Sets TALIX_VP_* variables for one test and removes them again.
class ScopedEnv final {
public:
    ScopedEnv(std::initializer_list<QPair<const char*, QByteArray>> vars) {
        for (const auto& var : vars) {
            setenv(var.first, var.second.constData(), 1);
            names_.append(var.first);
        }
    }
    ~ScopedEnv() {
        for (const char* name : names_)
            unsetenv(name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QList<const char*> names_;
};
