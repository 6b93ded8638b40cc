// The reader's best score for each rule and level, kept between starts in
// a small settings file of the reader's own.
#pragma once

#include "chain/game/chainindex.h"
#include "chain/game/computerplayer.h"

#include <QString>

class BestScores
{
public:
    // The scores in the settings file at `path`, made when first written.
    explicit BestScores(const QString &path);

    // The file the program keeps them in: scores.ini in the per-user data
    // folder, beside the cy.dat an installed copy keeps there.
    static QString defaultPath();

    // The best score so far; 0 when none was kept.
    int best(ChainRule rule, Level level) const;
    // Keeps `score` when it beats the best; returns whether it did.
    bool offer(ChainRule rule, Level level, int score);

private:
    QString m_path;
};
