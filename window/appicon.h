#pragma once

#include <QIcon>

namespace quorvel {

/// The application's calendar icon: the one installed for the desktop, else the drawings the
/// program carries.
QIcon applicationIcon();

} // namespace quorvel
