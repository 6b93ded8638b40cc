#include "widgets/picturebox.h"
#include "widgets/artwork.h"
#include "widgets/windowframe.h"

#include <optional>

class PictureBox::Client : public QWidget
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

PictureBox::PictureBox(const QRect &geometry, const QColor &background, QWidget *parent)
    : QFrame(parent), m_client(new Client(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGeometry(geometry);
    fillBackground(this, background);
    m_client->setGeometry(contentsRect());
}

void PictureBox::setPicture(const QString &art, const QSize &size)
{
    m_client->picture.emplace(art, size);
    m_client->update();
}

QWidget *PictureBox::client() const
{
    return m_client;
}
