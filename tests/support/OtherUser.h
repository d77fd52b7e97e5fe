// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/types.h>

#include <functional>
#include <string>

namespace movrand::test {

// A second user of the machine, for an installation shared by several users: made once with
// useradd where the tests run as root; elsewhere there is none.
class OtherUser {
  public:
    // The user, or nullptr (not root, or useradd failed).
    static const OtherUser* Get();
    // A second user whose group is the first one's (Get()'s Gid), so that two users who are not
    // root share an installation; or nullptr.
    static const OtherUser* Partner();
    // Runs `action` in a child process as this user; its answer (false when the child failed).
    // `ready`, when given, runs in this process while the child waits after `action`, until
    // `ready` returns: so the child can hold something (a lock) meanwhile.
    bool Run(const std::function<bool()>& action, const std::function<void()>& ready = {}) const;

    uid_t Uid = 0;
    gid_t Gid = 0;
};

}  // namespace movrand::test
