// What the main window keeps of its reader: the history, the word book and
// the card's toggle.
#include "lookup/mainwindow.h"

#include "reader/readerstore.h"

#include <QCheckBox>

void MainWindow::setReaderStore(ReaderStore *reader)
{
    m_reader = reader;
    m_wordBookToggle->setVisible(m_reader);
    showWordBookState();
}

void MainWindow::recordShown()
{
    // What the reader brings onto the card is their history; the idiom the
    // window starts with is not their choice and never comes here.
    if (!m_reader || m_currentText.isEmpty())
        return;
    m_reader->recordShown(m_currentId, m_currentText);
    emit historyChanged();
}

void MainWindow::showWordBookState()
{
    m_wordBookToggle->setChecked(m_reader && !m_currentText.isEmpty() && m_reader->inWordBook(m_currentId));
}

void MainWindow::toggleWordBook()
{
    if (!m_reader || m_currentText.isEmpty()) {
        showWordBookState();
        return;
    }
    if (m_reader->inWordBook(m_currentId))
        m_reader->removeFromWordBook(m_currentId);
    else
        m_reader->addToWordBook(m_currentId, m_currentText);
    showWordBookState();
    emit wordBookChanged();
}
