#pragma once

#include <QSize>

namespace quarvel {

// The window as designed: its client area, the top bar, and the pages that fill the rest.
// The anchored layouts place their controls against these sizes and stretch from them, so
// the window and its pages must agree on them.
inline constexpr QSize ClientDesignSize(885, 630);
inline constexpr int TopBarHeight = 32;
inline constexpr QSize PageDesignSize(ClientDesignSize.width(), ClientDesignSize.height() - TopBarHeight);

} // namespace quarvel
