// SPDX-License-Identifier: GPL-3.0-or-later
#include "OtherUser.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace movrand::test {

namespace {
constexpr const char* kName = "movrand-other";

// Removes the user this run made (with its own group and any home) when the test program ends,
// so the machine is left as found. One that was there before (left by a killed run, or in use
// by a run beside this one) is used and left alone.
struct UserRemoval {
    bool Armed = false;
    ~UserRemoval() {
        if (!Armed || !::getpwnam(kName)) return;
        // Nothing more can be done from a destructor when the removal fails.
        [[maybe_unused]] const int status =
            std::system("userdel --remove movrand-other >/dev/null 2>&1");
    }
};

}  // namespace

const OtherUser* OtherUser::Get() {
    static UserRemoval removal;
    static const OtherUser* user = []() -> const OtherUser* {
        if (::geteuid() != 0) return nullptr;
        if (!::getpwnam(kName)) {
            if (std::system("useradd --no-create-home --shell /usr/sbin/nologin movrand-other "
                            ">/dev/null 2>&1") != 0)
                return nullptr;
            removal.Armed = true;
        }
        const passwd* entry = ::getpwnam(kName);
        if (!entry) return nullptr;
        static OtherUser other;
        other.Uid = entry->pw_uid;
        other.Gid = entry->pw_gid;
        return &other;
    }();
    return user;
}

bool OtherUser::Run(const std::function<bool()>& action, const std::function<void()>& ready) const {
    int toParent[2], toChild[2];
    if (::pipe(toParent) != 0 || ::pipe(toChild) != 0) return false;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(toParent[0]);
        ::close(toChild[1]);
        const bool done = ::setgroups(0, nullptr) == 0 && ::setresgid(Gid, Gid, Gid) == 0 &&
                          ::setresuid(Uid, Uid, Uid) == 0 && action();
        const char answer = done ? 'y' : 'n';
        if (::write(toParent[1], &answer, 1) != 1) ::_exit(2);
        char go = 0;
        if (::read(toChild[0], &go, 1) < 0) ::_exit(2);
        ::_exit(0);
    }
    ::close(toParent[1]);
    ::close(toChild[0]);
    char answer = 'n';
    if (::read(toParent[0], &answer, 1) != 1) answer = 'n';
    if (answer == 'y' && ready) ready();
    ::close(toChild[1]);
    ::close(toParent[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return answer == 'y';
}

}  // namespace movrand::test
