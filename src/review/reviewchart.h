// The review window's chart: a bar for the reviews of each of the last
// days, and one for the idioms due on each of the coming days, today
// between them. Drawn with QPainter across the widget's size, so that it
// zooms with its window.
#pragma once

#include <QWidget>
#include <vector>

class ReviewChart : public QWidget
{
    Q_OBJECT

public:
    explicit ReviewChart(QWidget *parent = nullptr);

    // The reviews of the last days, today last, and what falls due on the
    // coming days, today first.
    void showDays(const std::vector<int> &reviews, const std::vector<int> &due);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<int> m_reviews, m_due;
};
