// What the main window keeps of its reader: the history, the word book and
// the card's toggle.
#include "lookup/mainwindow.h"

#include "reader/readerstore.h"

#include "widgets/environment.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>

namespace {

// What the reader is told when their changes wait in memory.
QString writeFailedNotice(const ReaderStore &reader, ReaderStore::WriteFault fault, const QString &detail)
{
    QString cause;
    switch (fault) {
    case ReaderStore::WriteFault::Locked:
        cause = QStringLiteral("文件正被另一个程序占用");
        break;
    case ReaderStore::WriteFault::DiskFull:
        cause = QStringLiteral("磁盘空间不足");
        break;
    case ReaderStore::WriteFault::ReadOnly:
        cause = QStringLiteral("文件或它所在的磁盘是只读的");
        break;
    case ReaderStore::WriteFault::Failed:
        cause = QStringLiteral("写入时出错（%1）").arg(detail);
        break;
    }
    return QStringLiteral("无法把历史记录和生词本写入文件 %1：%2。\n"
                          "刚才的改动先留在程序里，能写入时就会写入；如果到关闭程序时还不能写入，这些改动就不会保存。")
        .arg(QDir::toNativeSeparators(reader.path()), cause);
}

} // namespace

void MainWindow::setReaderStore(ReaderStore *reader)
{
    if (m_reader)
        disconnect(m_reader, nullptr, this, nullptr);
    m_reader = reader;
    m_wordBookToggle->setVisible(m_reader);
    showWordBookState();
    if (!m_reader)
        return;
    // Told over the window the reader is in, which may be another of vura's.
    connect(m_reader, &ReaderStore::writeFailed, this, [this](ReaderStore::WriteFault fault, const QString &detail) {
        QWidget *active = QApplication::activeWindow();
        m_environment.notice(active ? active : this, writeFailedNotice(*m_reader, fault, detail));
    });
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

void MainWindow::addToWordBook(int id, const QString &text)
{
    if (!m_reader || m_reader->inWordBook(id))
        return;
    m_reader->addToWordBook(id, text);
    showWordBookState();
    emit wordBookChanged();
}
