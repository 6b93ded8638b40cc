// A meaning shown as a question about its idiom: where it quotes the idiom,
// or a piece of two characters or more of it, or writes ～ for it, the
// characters are hidden, so that the meaning does not give the answer away.
#pragma once

#include <QString>

// The mark standing for each hidden character.
inline constexpr char16_t kMaskMark = u'＿';

// `meaning` with every run of two or more characters that `idiom` holds in
// the same order replaced by as many marks, each ～ by as many marks as the
// idiom has characters, and a character of the idiom that heads a gloss
// (迫：紧急) by one. Other single characters stay: the meaning is written
// with them.
QString maskedMeaning(const QString &meaning, const QString &idiom);

// Whether `masked` has enough left to be read as a question: two characters
// or more that are neither marks nor punctuation.
bool readableMeaning(const QString &masked);
