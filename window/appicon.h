#pragma once

#include <QIcon>

namespace quorvel {

/// The application's calendar icon in every size it is drawn for, as the desktop entry shows it.
QIcon applicationIcon();

} // namespace quorvel
