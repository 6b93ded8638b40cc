#include "review/reviewchart.h"

#include <QPainter>
#include <algorithm>

namespace {

const QColor kReviewed(70, 130, 180);
const QColor kDue(230, 140, 40);
const QColor kAxis(150, 150, 150);

} // namespace

ReviewChart::ReviewChart(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("复习图表"));
}

void ReviewChart::showDays(const std::vector<int> &reviews, const std::vector<int> &due)
{
    m_reviews = reviews;
    m_due = due;
    int total = 0, coming = 0;
    for (const int n : reviews)
        total += n;
    for (const int n : due)
        coming += n;
    setAccessibleDescription(QStringLiteral("近%1天复习%2次；未来%3天到期%4个")
                                 .arg(reviews.size()).arg(total).arg(due.size()).arg(coming));
    update();
}

void ReviewChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height();
    const QRect bars = rect().adjusted(1, lineHeight + 2, -1, -lineHeight - 2);
    const int days = int(m_reviews.size() + m_due.size());
    if (days == 0 || bars.height() <= 0)
        return;

    int most = 1;
    for (const int n : m_reviews)
        most = std::max(most, n);
    for (const int n : m_due)
        most = std::max(most, n);
    const double slot = double(bars.width()) / days;
    const auto drawBar = [&](int index, int count, const QColor &colour) {
        if (count <= 0)
            return;
        const int height = std::max(1, int(bars.height() * double(count) / most + 0.5));
        const int left = bars.left() + int(index * slot + slot * 0.15);
        const int right = bars.left() + int((index + 1) * slot - slot * 0.15);
        painter.fillRect(QRect(QPoint(left, bars.bottom() - height + 1), QPoint(std::max(left, right - 1), bars.bottom())),
                         colour);
    };
    for (size_t i = 0; i < m_reviews.size(); ++i)
        drawBar(int(i), m_reviews[i], kReviewed);
    for (size_t i = 0; i < m_due.size(); ++i)
        drawBar(int(m_reviews.size() + i), m_due[i], kDue);

    painter.setPen(kAxis);
    painter.drawLine(bars.bottomLeft(), bars.bottomRight());
    const int today = bars.left() + int(m_reviews.size() * slot);
    painter.drawLine(today, rect().top() + lineHeight, today, bars.bottom());

    // The two halves' names above them, the largest count and the days below.
    painter.setPen(kReviewed);
    painter.drawText(QRect(bars.left(), 0, today - bars.left() - 4, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("近%1天复习").arg(m_reviews.size()));
    painter.setPen(kDue);
    painter.drawText(QRect(today + 4, 0, bars.right() - today - 4, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("未来%1天到期").arg(m_due.size()));
    painter.setPen(kAxis);
    painter.drawText(QRect(bars.left(), 0, bars.width(), lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("最多 %1").arg(most));
    const int below = bars.bottom() + 2;
    painter.drawText(QRect(bars.left(), below, today - bars.left(), lineHeight), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("%1天前").arg(m_reviews.size() - 1));
    painter.drawText(QRect(today - 40, below, 80, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("今天"));
    painter.drawText(QRect(today, below, bars.right() - today, lineHeight), Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("%1天后").arg(m_due.size() - 1));
}
