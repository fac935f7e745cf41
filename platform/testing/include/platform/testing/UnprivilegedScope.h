#pragma once

#include <unistd.h>

// Runs a piece of a test as an unprivileged user, so that file permissions apply even when the
// tests run as root. Everything the piece reads must be readable by others (see
// ProgramFolderCopy).
class UnprivilegedScope {
public:
    UnprivilegedScope() {
        if (::geteuid() == 0) {
            dropped_ = ::seteuid(65534) == 0;
        }
    }
    ~UnprivilegedScope() {
        if (dropped_) {
            (void)::seteuid(0);
        }
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

    bool Unprivileged() const { return ::geteuid() != 0; }

private:
    bool dropped_ = false;
};
