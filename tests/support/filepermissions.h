// KIVO Log Viewer
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kivo::test {

// Makes file permissions apply to this process while it lives, also when the tests run as root
// (as they do in CI): the capabilities that let root read, search and write past permissions
// leave the effective set, and come back from the permitted set at the end.
class FilePermissionsApply {
public:
    FilePermissionsApply()
    {
        if (!capabilities(m_saved))
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~Overrides;
        m_lowered = setCapabilities(lowered);
    }
    ~FilePermissionsApply()
    {
        if (m_lowered)
            setCapabilities(m_saved);
    }
    FilePermissionsApply(const FilePermissionsApply &) = delete;
    FilePermissionsApply &operator=(const FilePermissionsApply &) = delete;

private:
    static constexpr __u32 Overrides =
        1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER;

    static bool capabilities(__user_cap_data_struct (&data)[2])
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capget, &header, data) == 0;
    }
    static bool setCapabilities(__user_cap_data_struct (&data)[2])
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return syscall(SYS_capset, &header, data) == 0;
    }

    __user_cap_data_struct m_saved[2] = {};
    bool m_lowered = false;
};

} // namespace kivo::test
