#include "widgets/panel.h"
#include "widgets/artwork.h"
#include "widgets/windowframe.h"

#include <optional>

class Panel::Contents : public QWidget
{
public:
    using QWidget::QWidget;

    std::optional<Artwork> picture;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (picture)
            picture->paint(this);
    }
};

Panel::Panel(const QRect &geometry, const QColor &background, QWidget *parent)
    : QFrame(parent), m_contents(new Contents(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGeometry(geometry);
    fillBackground(this, background);
    m_contents->setGeometry(contentsRect());
}

void Panel::setPicture(const QString &art, const QSize &size)
{
    m_contents->picture.emplace(art, size);
    m_contents->update();
}

QWidget *Panel::contents() const
{
    return m_contents;
}
