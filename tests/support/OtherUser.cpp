// SPDX-License-Identifier: GPL-3.0-or-later
#include "OtherUser.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace movrand::test {

namespace {
constexpr const char* kName = "movrand-other";
constexpr const char* kPartner = "movrand-partner";

// Runs a removal; nothing more can be done from a destructor when it fails.
void RunRemoval(const char* command) {
    [[maybe_unused]] const int status = std::system(command);
}

// Removes the users this run made (with their groups and any homes) when the test program ends,
// the partner first since its group is the other user's, so the machine is left as found. One
// that was there before (left by a killed run, or in use by a run beside this one) is used and
// left alone.
struct UserRemoval {
    bool Other = false;
    bool Partner = false;
    ~UserRemoval() {
        if (Partner && ::getpwnam(kPartner))
            RunRemoval("userdel --remove movrand-partner >/dev/null 2>&1");
        if (Other && ::getpwnam(kName))
            RunRemoval("userdel --remove movrand-other >/dev/null 2>&1");
    }
};

UserRemoval& Removal() {
    static UserRemoval removal;
    return removal;
}

// The user named `name`, made with `useradd` and the further options given when missing.
const OtherUser* Made(const char* name, const std::string& options, bool& made) {
    if (::geteuid() != 0) return nullptr;
    if (!::getpwnam(name)) {
        const std::string command = "useradd --no-create-home --shell /usr/sbin/nologin " +
                                    options + " " + name + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) return nullptr;
        made = true;
    }
    const passwd* entry = ::getpwnam(name);
    if (!entry) return nullptr;
    auto* user = new OtherUser;  // lives as long as the test program
    user->Uid = entry->pw_uid;
    user->Gid = entry->pw_gid;
    return user;
}

}  // namespace

const OtherUser* OtherUser::Get() {
    static const OtherUser* user = Made(kName, "", Removal().Other);
    return user;
}

const OtherUser* OtherUser::Partner() {
    static const OtherUser* user = []() -> const OtherUser* {
        const OtherUser* other = Get();
        if (!other) return nullptr;
        const OtherUser* partner =
            Made(kPartner, "--gid " + std::to_string(other->Gid), Removal().Partner);
        return partner && partner->Gid == other->Gid ? partner : nullptr;
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
