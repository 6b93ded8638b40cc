// What the main window keeps of its reader: the history, the word book and
// the card's toggle, and the two windows that list them.
#include "lookup/mainwindow.h"

#include "lookup/historywindow.h"
#include "lookup/wordbookwindow.h"
#include "reader/readerstore.h"

#include "widgets/windowframe.h"

#include <QCheckBox>

void MainWindow::setReaderStore(ReaderStore *reader)
{
    m_reader = reader;
    m_wordBookToggle->setVisible(m_reader);
    showWordBookState();
}

HistoryWindow *MainWindow::historyWindow() const
{
    return m_historyWindow && m_historyWindow->isVisible() ? m_historyWindow.data() : nullptr;
}

WordBookWindow *MainWindow::wordBookWindow() const
{
    return m_wordBookWindow && m_wordBookWindow->isVisible() ? m_wordBookWindow.data() : nullptr;
}

void MainWindow::recordShown()
{
    // What the reader brings onto the card is their history; the idiom the
    // window starts with is not their choice and never comes here.
    if (!m_reader || m_currentText.isEmpty())
        return;
    m_reader->recordShown(m_currentId, m_currentText);
    if (m_historyWindow)
        m_historyWindow->refresh();
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
    if (m_wordBookWindow)
        m_wordBookWindow->refresh();
}

void MainWindow::openHistory()
{
    if (!m_reader)
        return;
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(*m_reader, this);
        connect(m_historyWindow, &HistoryWindow::idiomChosen, this, &MainWindow::showIdiom);
    }
    m_historyWindow->refresh();
    bringBack(m_historyWindow);
}

void MainWindow::openWordBook()
{
    if (!m_reader)
        return;
    if (!m_wordBookWindow) {
        m_wordBookWindow = new WordBookWindow(m_dictionary, m_environment, *m_reader, this);
        connect(m_wordBookWindow, &WordBookWindow::idiomChosen, this, &MainWindow::showIdiom);
        connect(m_wordBookWindow, &WordBookWindow::changed, this, &MainWindow::showWordBookState);
    }
    m_wordBookWindow->refresh();
    bringBack(m_wordBookWindow);
}
