#include "widgets/windowframe.h"

#include <QWidget>

void fillBackground(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}
