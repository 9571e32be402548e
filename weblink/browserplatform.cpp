#include "weblink/browserplatform.h"

namespace quorvel {

// Defined out of line so that the interface's vtable has one home.
BrowserPlatform::~BrowserPlatform() = default;

} // namespace quorvel
