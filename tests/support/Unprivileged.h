#pragma once

#include <functional>
#include <string>

namespace pyrostat::test {

// Runs `check` in a child process that is not the superuser (a superuser
// parent drops to the "nobody" user first), so that file permissions hold as
// they do for an engineer's account. True when the check returned true.
bool RunUnprivileged(const std::function<bool()>& check);

// Makes a folder and everything below it open to every user, so that an
// unprivileged child can work in a test folder made by the superuser.
void OpenToEveryone(const std::string& folder);

} // namespace pyrostat::test
