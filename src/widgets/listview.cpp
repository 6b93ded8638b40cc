#include "widgets/listview.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <utility>

ListView::ListView(const QRect &geometry, const QFont &font, QWidget *parent) : QListView(parent)
{
    setGeometry(geometry);
    setFont(font);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // thousands of entries lay out at once
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
}

void ListView::setEmptyText(const QString &text)
{
    m_emptyText = text;
    viewport()->update();
}

int ListView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void ListView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (m_pressing)
        m_movedByPress = true; // told once, when the press is done
    else if (m_arrowKeysChoose)
        emit chosen();
}

void ListView::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    const bool entries = model() && model()->rowCount() > 0;
    if ((enter || arrow) && entries && !selectionModel()->hasSelection()) {
        // The first key selects the current entry, the first once the list
        // has taken the focus; Enter then chooses it, whichever keys choose.
        const bool arrowKeysChoose = std::exchange(m_arrowKeysChoose, m_arrowKeysChoose && arrow);
        const QModelIndex current = currentIndex().isValid() ? currentIndex() : model()->index(0, 0);
        setCurrentIndex(current);
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
        m_arrowKeysChoose = arrowKeysChoose;
        if (enter)
            emit chosen();
        return;
    }
    if (enter && entries) {
        if (selectionMode() == QAbstractItemView::SingleSelection || selectedRow() >= 0)
            emit chosen();
        return;
    }
    QListView::keyPressEvent(event);
}

void ListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if ((model() && model()->rowCount() > 0) || m_emptyText.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     m_emptyText);
}

bool ListView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // Only an entry cut off at the right edge tells its whole text.
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex entry = indexAt(help->pos());
        const QRect place = visualRect(entry);
        if (entry.isValid() && place.left() + sizeHintForIndex(entry).width() > viewport()->width())
            QToolTip::showText(help->globalPos(), entry.data().toString(), viewport(), place);
        else
            QToolTip::hideText();
        return true;
    }
    return QListView::viewportEvent(event);
}

void ListView::mousePressEvent(QMouseEvent *event)
{
    if (!indexAt(event->position().toPoint()).isValid())
        return; // the blank below the entries keeps the selection, as a list box does
    m_pressing = true;
    m_movedByPress = false;
    QListView::mousePressEvent(event);
    m_pressing = false;
    // A click on the entry that is already selected chooses it too: it
    // brings that entry back after the card or the chain moved on. Where
    // several may be selected, only a plain left click chooses: Ctrl and
    // Shift add to the selection, the right button opens the context menu.
    const bool single = selectionMode() == QAbstractItemView::SingleSelection;
    const bool plainClick = event->button() == Qt::LeftButton
                            && !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
    if (single ? m_movedByPress || event->button() == Qt::LeftButton : plainClick)
        emit chosen();
}
