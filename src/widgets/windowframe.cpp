#include "widgets/windowframe.h"
#include "widgets/fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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

namespace {

// Closes its window on an Escape that nothing in it took. An open drop-down,
// menu or popup has the key first and closes itself; a shortcut would take
// the key from it.
class EscapeCloser : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent() || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        static_cast<QWidget *>(watched)->close();
        return true;
    }
};

} // namespace

void closeOnEscape(QWidget *window)
{
    window->installEventFilter(new EscapeCloser(window));
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

QLabel *placedLabel(const char *objectName, const QRect &place, const QFont &font, Qt::Alignment alignment,
                    QWidget *parent)
{
    auto *text = new QLabel(parent);
    text->setObjectName(QLatin1String(objectName));
    text->setGeometry(place);
    text->setFont(font);
    text->setAlignment(alignment);
    return text;
}
