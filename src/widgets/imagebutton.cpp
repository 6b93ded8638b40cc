#include "imagebutton.h"

#include <QAccessibleWidget>

namespace {

// What a screen reader sees of an image button: a button, named by the
// window, that can be pressed.
class AccessibleImageButton : public QAccessibleWidget
{
public:
    explicit AccessibleImageButton(ImageButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<ImageButton *>(widget())->clicked();
    }
};

QAccessibleInterface *accessibleImageButton(const QString &className, QObject *object)
{
    if (className == QLatin1String("ImageButton") && object->isWidgetType())
        return new AccessibleImageButton(static_cast<ImageButton *>(object));
    return nullptr;
}

} // namespace

ImageButton::ImageButton(const QString &art, const QSize &size, QWidget *parent)
    : Label(QString(), parent->font(), Label::FixedBox, parent), m_picture(art, size)
{
    static const bool describedAsButtons = (QAccessible::installFactory(accessibleImageButton), true);
    Q_UNUSED(describedAsButtons)
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    m_picture.paint(this);
}
