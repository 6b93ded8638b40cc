#include "widgets/windowframe.h"
#include "widgets/fonts.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
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
    closeOnEscape(window);
}

void closeOnEscape(QWidget *window)
{
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
}

void bringBack(QWidget *window)
{
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

QPushButton *placedButton(const QString &text, const char *objectName, const QRect &place, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setGeometry(place);
    return button;
}
