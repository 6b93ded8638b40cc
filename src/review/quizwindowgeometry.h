// Where the quiz window's controls stand, in pixels at 100 % from the
// top-left corner of its inside; the zoom scales them.
#pragma once

#include <QRect>
#include <QSize>

namespace QuizWindowGeometry {

inline constexpr QSize kSize{520, 486};

// The kind of question, where the idioms come from, and 开始.
inline constexpr QRect kKindLabel{10, 12, 36, 24};
inline constexpr QRect kKindBox{48, 11, 130, 26};
inline constexpr QRect kSourceLabel{192, 12, 36, 24};
inline constexpr QRect kSourceBox{230, 11, 110, 26};
inline constexpr QRect kStart{410, 9, 100, 30};

// 第 3/10 题, and how many were right so far.
inline constexpr QRect kProgress{10, 48, 500, 20};

// The question: a meaning, or an idiom with or without blanks, and under
// it, for a blank, the idiom's pinyin.
inline constexpr QRect kPrompt{10, 72, 500, 96};
inline constexpr QRect kHint{10, 170, 500, 22};

// The four choices, one under another, wide enough for a meaning.
inline constexpr QRect kChoices[4]{
    {10, 198, 500, 54}, {10, 258, 500, 54}, {10, 318, 500, 54}, {10, 378, 500, 54}};

// Under them: the characters typed for a blank, whether the answer was
// right, and 下一题.
inline constexpr QRect kTypedLabel{10, 444, 50, 26};
inline constexpr QRect kTyped{62, 443, 110, 28};
inline constexpr QRect kVerdict{182, 444, 218, 26};
inline constexpr QRect kNext{410, 442, 100, 30};

// After the round: the score, the questions missed, and 加入生词本.
inline constexpr QRect kScore{10, 72, 500, 40};
inline constexpr QRect kMissedLabel{10, 116, 500, 20};
inline constexpr QRect kMissed{10, 140, 500, 292};
inline constexpr QRect kAddMissed{10, 442, 120, 30};

} // namespace QuizWindowGeometry
