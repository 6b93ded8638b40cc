// Where the main window's controls stand, in pixels at 100 % from the
// top-left corner of their container's inside; Qt scales them for the
// screen. The window shows with the search pane unfolded here.
#pragma once

#include <QRect>

namespace MainWindowGeometry {

// The window's inside, below the menu bar, with the search pane unfolded
// and folded away.
inline constexpr int kHeight = 373;
inline constexpr int kUnfoldedWidth = 589;
inline constexpr int kFoldedWidth = 454;

// The card's left edge, the search pane unfolded and folded away.
inline constexpr int kCardLeftUnfolded = 155;
inline constexpr int kCardLeftFolded = 20;

// On the window.
inline constexpr QRect kCard{155, 5, 426, 361};
inline constexpr QRect kSearchPane{0, 5, 146, 361};
inline constexpr QRect kUnfoldTab{0, 62, 20, 60};

// On the card.
inline constexpr QRect kNumber{300, 10, 49, 14};     // 编号：
inline constexpr QRect kWordBookToggle{20, 8, 90, 18}; // 生词本, in the corner nothing else uses
inline constexpr QRect kPinyin{45, 30, 120, 16};
inline constexpr QRect kIdiom{45, 50, 117, 20};
inline constexpr QRect kReadAloudButton{170, 49, 22, 22}; // 朗读, beside the idiom
inline constexpr QRect kMeaningHeading{20, 90, 61, 14}; // 意  思：
inline constexpr QRect kMeaning{80, 90, 303, 64};
inline constexpr QRect kFirstRule{10, 160, 390, 1};
inline constexpr QRect kSourceHeading{20, 165, 61, 14}; // 出  处：
inline constexpr QRect kSource{80, 165, 303, 64};
inline constexpr QRect kSecondRule{10, 235, 390, 1};
inline constexpr QRect kExampleHeading{20, 240, 61, 14}; // 例  子：
inline constexpr QRect kExample{80, 240, 303, 64};
inline constexpr QRect kFirstOrLastButton{5, 310, 100, 40};
inline constexpr QRect kPreviousButton{110, 310, 100, 40};
inline constexpr QRect kNextButton{215, 310, 100, 40};
inline constexpr QRect kRandomButton{320, 310, 100, 40};

// On the search pane.
inline constexpr QRect kSearchField{5, 5, 76, 21};
inline constexpr QRect kSearchButton{85, 5, 50, 22};
inline constexpr QRect kResultsHeading{5, 35, 60, 12}; // 查找结果：
inline constexpr QRect kResultList{5, 55, 111, 298};
inline constexpr QRect kFoldTab{125, 55, 20, 60};
inline constexpr QRect kBusyIndicator{10, 125, 126, 56};
inline constexpr QRect kBusyText{5, 20, 119, 16}; // 正在查找。。。, on the indicator

} // namespace MainWindowGeometry
