// Where the main window's controls stand, in twips from the top-left corner
// of their container's client area, as the window was designed (expanded).
#pragma once

#include "widgets/twips.h"

namespace Form1Layout {

// The window's client area, below the menu bar.
constexpr int clientHeight = 5595;
constexpr int expandedWidth = 8835;        // outer width 8925 less a 45-twip frame each side
constexpr int collapsedWidth = 6900 - 90;  // outer width 6900 less the frame

// The card's left edge in the two layouts: pixels, not twips, as the window
// places its own controls in pixels.
constexpr int cardLeftExpandedPixels = 155;
constexpr int cardLeftCollapsedPixels = 20;

// On the window.
constexpr TwipsRect Picture2{2325, 75, 6390, 5415};  // the idiom card
constexpr TwipsRect Picture1{0, 75, 2190, 5415};     // the search pane
constexpr TwipsRect Image3{0, 930, 300, 900};        // expand tab

// On the idiom card (Picture2).
constexpr TwipsRect Label5{4500, 150, 735, 210};     // 编号：
constexpr TwipsRect Lab0{675, 450, 1800, 240};       // pinyin
constexpr TwipsRect Lab1{675, 750, 1755, 300};       // the idiom
constexpr TwipsRect Label1{300, 1350, 915, 210};     // 意  思：
constexpr TwipsRect Lab2{1200, 1350, 4545, 960};     // meaning
constexpr TwipsRect Line1{150, 2400, 5850, 0};
constexpr TwipsRect Label3{300, 2475, 915, 210};     // 出  处：
constexpr TwipsRect Lab3{1200, 2475, 4545, 960};     // source
constexpr TwipsRect Line2{150, 3525, 5850, 0};
constexpr TwipsRect Label4{300, 3600, 915, 210};     // 例  子：
constexpr TwipsRect Lab4{1200, 3600, 4545, 960};     // example
constexpr TwipsRect Image4{75, 4650, 1500, 600};     // 最前/后
constexpr TwipsRect Image5{1650, 4650, 1500, 600};   // 上一个
constexpr TwipsRect Image6{3225, 4650, 1500, 600};   // 下一个
constexpr TwipsRect Image7{4800, 4650, 1500, 600};   // 随机

// On the search pane (Picture1).
constexpr TwipsRect Text1{75, 75, 1140, 315};
constexpr TwipsRect Image1{1275, 75, 750, 330};      // 查找
constexpr TwipsRect Label2{75, 525, 900, 180};       // 查找结果：
constexpr TwipsRect List1{75, 825, 1665, 4470};
constexpr TwipsRect Image2{1875, 825, 300, 900};     // collapse tab
constexpr TwipsRect Picture3{150, 1875, 1890, 840};  // busy indicator
constexpr TwipsRect Label6{75, 300, 1785, 240};      // 正在查找。。。 (in Picture3)

} // namespace Form1Layout
