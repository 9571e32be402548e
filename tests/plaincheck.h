#pragma once

#include <cstdio>
#include <string>

// The tally of a test program that runs without Qt (under Wine): each failed check is printed
// with its name, and the program ends with the line "N passed, N failed".
class CheckTally {
public:
    /// Counts one check named what, which passed when ok.
    void expect(bool ok, const std::string& what)
    {
        if (ok) {
            ++passed_;
            return;
        }
        ++failed_;
        std::printf("FAIL: %s\n", what.c_str());
    }

    /// Prints the closing line; the program's exit status: zero when nothing failed.
    int finish() const
    {
        std::printf("%d passed, %d failed\n", passed_, failed_);
        return failed_ == 0 ? 0 : 1;
    }

private:
    int passed_ = 0;
    int failed_ = 0;
};
