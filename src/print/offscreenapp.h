#pragma once

namespace vellicor {

// Qt's text layout needs a QGuiApplication for its fonts. A command-line run has none and may have
// no display: this makes one on the offscreen platform, once, and keeps it to the end of the process.
void EnsureGuiApplication();

} // namespace vellicor
