// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kvz {

// The registry key the display font is registered under on an NT-family system: start-up
// chooses it there, and the window asks for a restart when it was used during this start.
inline constexpr const char* kNtFontsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

} // namespace kvz
