// The core's cases without Qt: the Windows cross build runs this under Wine, and the Linux
// build beside the QtTest tests, which run the same cases.
#include "tests/core/corecases.h"
#include "tests/plaincheck.h"

int main()
{
    using namespace quorvel::corecases;
    CheckTally tally;
    for (const Group group : allGroups) {
        for (const Case& c : cases(group)) {
            const std::string failure = c.failure();
            tally.expect(failure.empty(), c.name + (failure.empty() ? "" : ": " + failure));
        }
    }
    return tally.finish();
}
