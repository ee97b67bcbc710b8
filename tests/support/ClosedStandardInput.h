#pragma once

#include <unistd.h>

namespace pyrostat::test {

// Closes descriptor 0 for the life of the object, as when the program is
// started with its standard input closed: the next file opened gets 0.
class ClosedStandardInput {
public:
    ClosedStandardInput() : saved_(::dup(0)) { ::close(0); }
    ~ClosedStandardInput() {
        ::dup2(saved_, 0);
        ::close(saved_);
    }
    ClosedStandardInput(const ClosedStandardInput&) = delete;
    ClosedStandardInput& operator=(const ClosedStandardInput&) = delete;

private:
    int saved_;
};

} // namespace pyrostat::test
