// Where the chain window's controls stand, in pixels at 100 % from the
// top-left corner of its inside; Qt scales them for the screen.
#pragma once

#include <QRect>
#include <QSize>

namespace ChainWindowGeometry {

inline constexpr QSize kSize{569, 391};

// The row of input at the top.
inline constexpr QRect kFirstLinkHeading{10, 10, 120, 14}; // 输入开头的成语：
inline constexpr QRect kFirstLinkField{130, 5, 116, 23};
inline constexpr QRect kStartButton{255, 3, 55, 26};

// The three columns and their headings, 20 pixels above each.
inline constexpr QRect kChainHeading{10, 35, 45, 14};        // 已选：
inline constexpr QRect kCandidatesHeading{115, 35, 45, 14};  // 候选：
inline constexpr QRect kChainTextHeading{225, 35, 90, 14};   // 接好的成语：
inline constexpr QRect kChainList{5, 55, 101, 326};
inline constexpr QRect kCandidateList{115, 55, 101, 326};
inline constexpr QRect kChainText{225, 55, 336, 326};

} // namespace ChainWindowGeometry
