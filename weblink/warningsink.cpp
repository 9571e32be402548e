#include "weblink/warningsink.h"

namespace quorvel {

// Defined out of line so that the interface's vtable has one home.
WarningSink::~WarningSink() = default;

} // namespace quorvel
