// Where the game window's controls stand, in pixels at 100 % from the
// top-left corner of its inside; Qt scales them for the screen.
#pragma once

#include <QRect>
#include <QSize>

namespace GameWindowGeometry {

inline constexpr QSize kSize{600, 420};

// The game to play: rule, level, the clock, and the computer's opening.
inline constexpr QRect kRuleBox{10, 8, 100, 25};
inline constexpr QRect kLevelBox{118, 8, 70, 25};
inline constexpr QRect kClockBox{198, 8, 120, 25};  // 每步限时30秒
inline constexpr QRect kComputerOpensButton{470, 7, 120, 27};

// The reader's move and what may be done instead.
inline constexpr QRect kMoveField{10, 42, 240, 25};
inline constexpr QRect kPlayButton{258, 41, 70, 27};
inline constexpr QRect kHintButton{336, 41, 70, 27};
inline constexpr QRect kGiveUpButton{414, 41, 70, 27};
inline constexpr QRect kClock{492, 45, 98, 20};

// What the game says: a refused move, a hint, who won.
inline constexpr QRect kStatus{10, 74, 580, 20};

// The reader's moves and the chain, under their headings.
inline constexpr QRect kMovesHeading{10, 100, 180, 18};
inline constexpr QRect kChainHeading{200, 100, 200, 18};
inline constexpr QRect kMoveList{10, 120, 180, 256};
inline constexpr QRect kChainText{200, 120, 390, 256};

// The score, and the finished chain to keep.
inline constexpr QRect kScore{10, 386, 300, 20};
inline constexpr QRect kCopyButton{430, 382, 75, 27};
inline constexpr QRect kSaveButton{515, 382, 75, 27};

} // namespace GameWindowGeometry
