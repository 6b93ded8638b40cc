#include "widgets/panel.h"
#include "widgets/artwork.h"
#include "widgets/windowframe.h"

#include <optional>

class Panel::Contents : public QWidget
{
public:
    using QWidget::QWidget;

    std::optional<Artwork> picture;
    int naturalWidth = 0; // the pane's width where the picture shows at its natural size

protected:
    void paintEvent(QPaintEvent *) override
    {
        // A zoomed pane is wider than it was built, and its picture as much larger.
        if (picture)
            picture->paint(this, picture->size() * parentWidget()->width() / naturalWidth);
    }
};

Panel::Panel(const QRect &geometry, const QColor &background, QWidget *parent)
    : QFrame(parent), m_contents(new Contents(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGeometry(geometry);
    fillBackground(this, background);
    m_contents->naturalWidth = geometry.width();
    m_contents->setGeometry(contentsRect());
}

void Panel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
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
