#pragma once

#include <functional>

namespace cli {

// Text needs the platform's fonts: runs draw inside a windowless Qt application (the
// offscreen platform unless QT_QPA_PLATFORM says otherwise) and returns what it returns.
bool withFonts(const std::function<bool()>& draw);

} // namespace cli
