// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets a test running as root see a folder of mode 000 as unreadable: while an instance
// lives, the process's effective capabilities lack the two that let root read and search
// any folder. The permitted set is kept, so the destructor restores them.
#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class WithoutReadOverride
{
public:
    WithoutReadOverride()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_bChanged = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutReadOverride()
    {
        if (m_bChanged)
            syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutReadOverride(const WithoutReadOverride&) = delete;
    WithoutReadOverride& operator=(const WithoutReadOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_bChanged = false;
};
#else
// Elsewhere a mode of 000 already denies reading; the constructor keeps the guard a used
// variable.
class WithoutReadOverride
{
public:
    WithoutReadOverride() {}
};
#endif
