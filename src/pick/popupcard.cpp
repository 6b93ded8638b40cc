#include "pick/popupcard.h"
#include "pick/popupcardgeometry.h"

#include "models/howfound.h"
#include "widgets/fonts.h"
#include "widgets/textlabel.h"
#include "widgets/zoom.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

using namespace PopupCardGeometry;

PopupCard::PopupCard(QWidget *parent)
    // A tool tip's window: no frame, no place in the task bar, above the
    // others, and not given the focus, by the window system either, until
    // the reader clicks on it (takeKeyboard).
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFont(defaultWindowFont());
    setFixedSize(kWidth, kHeight);
    m_howFound = new TextLabel(QString(), windowFont("宋体", 9), TextLabel::FitsText, kHowFound, this);
    m_text = new TextLabel(QString(), windowFont("楷体_GB2312", 15, true), TextLabel::FitsText, kIdiom, this);
    m_pinyin = new TextLabel(QString(), windowFont("宋体", 12), TextLabel::FitsText, kPinyin, this);
    m_meaning = new TextLabel(QString(), windowFont("宋体", 10.5), TextLabel::WrapsInBox, kMeaning, this);
    const auto button = [this](const QString &text, const QRect &place) {
        auto *made = new QPushButton(text, this);
        made->setGeometry(place);
        made->setFocusPolicy(Qt::NoFocus);
        return made;
    };
    QPushButton *details = button(QStringLiteral("详细"), kDetailsButton);
    QPushButton *keep = button(QStringLiteral("加入生词本"), kWordBookButton);
    m_readAloud = button(QStringLiteral("朗读"), kReadAloudButton);
    connect(details, &QPushButton::clicked, this, [this] {
        hide();
        emit detailsAsked(m_idiom.id);
    });
    connect(keep, &QPushButton::clicked, this, [this] { emit wordBookAsked(m_idiom.id, m_idiom.text); });
    connect(m_readAloud, &QPushButton::clicked, this,
            [this] { emit readAloudAsked(m_idiom.text, m_idiom.pinyin); });
    m_away.setSingleShot(true);
    m_away.setInterval(kStayAfterLeaving);
    connect(&m_away, &QTimer::timeout, this, &QWidget::hide);
    connect(&m_presses, &ButtonWatch::pressed, this, &PopupCard::closeUnlessPressedOn);
}

void PopupCard::showIdiom(const Idiom &idiom, SearchResult::Stage stage, int zoom, const QPoint &pointer)
{
    m_idiom = idiom;
    setWindowTitle(idiom.text);
    const HowFound how = howFound(stage);
    m_howFound->showText(how.text);
    m_howFound->setToolTip(how.tip);
    // What the reader probably meant is in grey, as over the results list.
    QPalette colours = m_howFound->palette();
    colours.setColor(QPalette::WindowText, how.tip.isEmpty() ? palette().color(QPalette::WindowText) : QColor(128, 128, 128));
    m_howFound->setPalette(colours);
    m_text->showText(idiom.text);
    m_pinyin->showText(idiom.pinyin);
    m_meaning->showText(idiom.meaning);
    setZoom(this, zoom);
    // The pointer just inside the top-left corner, the card kept on the
    // pointer's screen.
    const QScreen *screen = QGuiApplication::screenAt(pointer);
    QPoint place = pointer - QPoint(zoomed(this, kPointerInside.x()), zoomed(this, kPointerInside.y()));
    if (screen) {
        const QRect room = screen->availableGeometry();
        place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
        place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height())));
    }
    move(place);
    show();
    raise();
    // A card that had to move away from the pointer waits for it as if it had left.
    if (geometry().contains(pointer))
        m_away.stop();
    else
        m_away.start();
}

void PopupCard::setVoiceMissing(const QString &reason)
{
    m_readAloud->setEnabled(reason.isEmpty());
    m_readAloud->setToolTip(reason);
}

void PopupCard::showEvent(QShowEvent *event)
{
    qApp->installEventFilter(this);
    m_presses.start(); // where the system allows it; the pointer leaving closes the card elsewhere
    QFrame::showEvent(event);
}

void PopupCard::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    m_presses.stop();
    m_away.stop();
    // The next card takes no keyboard until it is clicked in turn.
    if (QWindow *window = windowHandle())
        window->setFlag(Qt::WindowDoesNotAcceptFocus, true);
    QFrame::hideEvent(event);
}

bool PopupCard::eventFilter(QObject *watched, QEvent *event)
{
    // A press that makes a double click comes to the widgets as the double click alone.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() != this)
            hide();
        else if (widget)
            takeKeyboard();
    }
    return false;
}

bool PopupCard::event(QEvent *event)
{
    // The keyboard the reader gave the card went to another window.
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        hide();
    return QFrame::event(event);
}

void PopupCard::takeKeyboard()
{
    if (isActiveWindow())
        return;
    windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus, false);
    activateWindow();
}

void PopupCard::closeUnlessPressedOn()
{
    if (!frameGeometry().contains(QCursor::pos()))
        hide();
}

void PopupCard::enterEvent(QEnterEvent *)
{
    m_away.stop();
}

void PopupCard::leaveEvent(QEvent *)
{
    m_away.start();
}

void PopupCard::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        QFrame::keyPressEvent(event);
}
