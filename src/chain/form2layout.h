// Where the chain window's controls stand, in twips from the top-left corner
// of its client area, as the window was designed.
#pragma once

#include "widgets/twips.h"

namespace Form2Layout {

constexpr int clientWidth = 8535;   // 569 pixels
constexpr int clientHeight = 5865;  // 391 pixels

// The row of input at the top.
constexpr TwipsRect Label3{150, 150, 1800, 210};   // 输入开头的成语：
constexpr TwipsRect Text1{1950, 75, 1740, 345};    // the first idiom or character
constexpr TwipsRect Image1{3825, 45, 825, 390};    // 开始

// The three columns and their headings, 300 twips above each.
constexpr TwipsRect Label1{150, 525, 675, 210};    // 已选：
constexpr TwipsRect Label2{1725, 525, 675, 210};   // 候选：
constexpr TwipsRect Label4{3375, 525, 1350, 210};  // 接好的成语：
constexpr TwipsRect List1{75, 825, 1515, 4890};    // the chain so far
constexpr TwipsRect List2{1725, 825, 1515, 4890};  // the candidates
constexpr TwipsRect Text2{3375, 825, 5040, 4890};  // the chain as one text

} // namespace Form2Layout
