// Where the popup card's controls stand, in pixels at 100 %.
#pragma once

#include <QPoint>
#include <QRect>

namespace PopupCardGeometry {

inline constexpr int kWidth = 300;
inline constexpr int kHeight = 166;

inline constexpr QRect kHowFound{10, 6, 280, 14};
inline constexpr QRect kIdiom{10, 22, 200, 22};
inline constexpr QRect kPinyin{10, 48, 280, 16};
inline constexpr QRect kMeaning{10, 68, 280, 60};
inline constexpr QRect kDetailsButton{10, 134, 60, 24};
inline constexpr QRect kWordBookButton{76, 134, 90, 24};
inline constexpr QRect kReadAloudButton{172, 134, 60, 24};

// The pointer stands this far inside the card's top-left corner.
inline constexpr QPoint kPointerInside{12, 12};

} // namespace PopupCardGeometry
