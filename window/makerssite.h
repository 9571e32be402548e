#pragma once

namespace quorvel {

/// The makers' web site, which the window's link label shows and opens.
inline constexpr char makersWebAddress[] = "https://www.quorvel.org/";

} // namespace quorvel
