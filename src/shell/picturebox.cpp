#include "picturebox.h"
#include "artwork.h"

#include <QPainter>

class PictureBox::Client : public QWidget
{
public:
    using QWidget::QWidget;

    QString art;
    QSize artSize;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (art.isEmpty())
            return;
        const qreal ratio = devicePixelRatioF();
        if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio)
            m_pixmap = artwork(art, artSize, ratio);
        QPainter(this).drawPixmap(0, 0, m_pixmap);
    }

private:
    QPixmap m_pixmap;
};

PictureBox::PictureBox(const QRect &geometry, const QColor &background, QWidget *parent)
    : QFrame(parent), m_client(new Client(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setGeometry(geometry);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    setAutoFillBackground(true);
    m_client->setGeometry(contentsRect());
}

void PictureBox::setPicture(const QString &art, const QSize &size)
{
    m_client->art = art;
    m_client->artSize = size;
    m_client->update();
}

QWidget *PictureBox::client() const
{
    return m_client;
}
