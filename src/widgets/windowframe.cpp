#include "widgets/windowframe.h"
#include "widgets/fonts.h"

#include <QWidget>

void fillBackground(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

void setUpSideWindow(QWidget *window, const QString &title, const QSize &size)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(title);
    window->setFont(defaultWindowFont());
    window->setFixedSize(size);
    fillBackground(window, Qt::white);
}
