// Where the review window's controls stand, in pixels at 100 % from the
// top-left corner of its inside; the zoom scales them.
#pragma once

#include <QRect>
#include <QSize>

namespace ReviewWindowGeometry {

inline constexpr QSize kSize{480, 420};

// 每日一成语, the day's counts and the limit of new idioms.
inline constexpr QRect kDaily{10, 8, 460, 20};
inline constexpr QRect kCounts{10, 34, 280, 20};
inline constexpr QRect kLimitLabel{292, 34, 100, 20};
inline constexpr QRect kLimitBox{396, 31, 74, 25};

// The card: the idiom alone, then its pinyin and meaning.
inline constexpr QRect kIdiom{10, 66, 460, 52};
inline constexpr QRect kPinyin{10, 122, 460, 22};
inline constexpr QRect kMeaning{10, 148, 460, 76};

// 显示答案, or the four grades with when each brings the idiom back; the
// offer of common idioms to an empty word book stands where 显示答案 does.
inline constexpr QRect kShowAnswer{165, 232, 150, 40};
inline constexpr QRect kGrades[4]{
    {10, 232, 110, 40}, {127, 232, 110, 40}, {244, 232, 110, 40}, {361, 232, 110, 40}};
inline constexpr QRect kStartCommon{140, 232, 200, 40};
inline constexpr QRect kStatus{10, 278, 460, 20};

// The reviews of the last 30 days and what falls due in the next 14.
inline constexpr QRect kChart{10, 304, 460, 106};

} // namespace ReviewWindowGeometry
