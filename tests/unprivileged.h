// Running test code as a user for whom permission bits apply. The superuser may write any file,
// so a test of read-only files runs its steps as the user "nobody" when it is root: in a forked
// child that drops its privileges, or through setpriv for a whole program. A test calls
// GTEST_SKIP with Reason when no such user can be had.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace tolvane::testing {

inline constexpr uid_t kNobodyUser = 65534;
inline constexpr gid_t kNobodyGroup = 65534;
inline constexpr int kCannotDropPrivileges = 77;  // exit status of a child that stayed root

struct UnprivilegedUser {
  uid_t uid = 0;
  gid_t gid = 0;
  bool dropsPrivileges = false;  // true when the tests run as root and become nobody
};

// Runs `action` in a forked child as an unprivileged user and returns what it returned; none when
// the child could not become that user. A child that throws or ends otherwise gives a text that
// says so, which no test expects.
inline std::optional<std::string> runUnprivileged(const std::function<std::string()>& action) {
  int channel[2];
  if (::pipe(channel) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobodyGroup) != 0 ||
                             ::setuid(kNobodyUser) != 0 || ::setuid(0) == 0)) {
      ::_exit(kCannotDropPrivileges);
    }
    std::string result;
    try {
      result = action();
    } catch (const std::exception& error) {
      result = std::string("<the child threw: ") + error.what() + ">";
    }
    const ssize_t written = ::write(channel[1], result.data(), result.size());
    ::_exit(written == static_cast<ssize_t>(result.size()) ? EXIT_SUCCESS : EXIT_FAILURE);
  }
  ::close(channel[1]);
  if (child < 0) {
    ::close(channel[0]);
    return std::nullopt;
  }
  std::string result;
  char buffer[256];
  for (ssize_t n = 0; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    result.append(buffer, static_cast<size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDropPrivileges) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != EXIT_SUCCESS) {
    return "<the child ended with status " + std::to_string(status) + ">";
  }
  return result;
}

// The user that runUnprivileged and unprivilegedCommand run as; none when root cannot become
// nobody (a container without the capability, say).
inline std::optional<UnprivilegedUser> unprivilegedUser() {
  if (::geteuid() != 0) return UnprivilegedUser{::geteuid(), ::getegid(), false};
  const std::optional<std::string> probe = runUnprivileged([] { return std::string("ok"); });
  if (probe != "ok") return std::nullopt;
  return UnprivilegedUser{kNobodyUser, kNobodyGroup, true};
}

inline const char* const kNoUnprivilegedUser =
    "the tests run as root, for whom permission bits do not apply, and cannot become nobody";

// A shell command that runs `command` as the unprivileged user; none when there is no such user
// or no setpriv to become it.
inline std::optional<std::string> unprivilegedCommand(const std::string& command) {
  const std::optional<UnprivilegedUser> user = unprivilegedUser();
  if (!user) return std::nullopt;
  if (!user->dropsPrivileges) return command;
  const std::string prefix = "setpriv --reuid=" + std::to_string(kNobodyUser) +
                             " --regid=" + std::to_string(kNobodyGroup) + " --clear-groups ";
  if (std::system((prefix + "true").c_str()) != 0) return std::nullopt;
  return prefix + command;
}

}  // namespace tolvane::testing
