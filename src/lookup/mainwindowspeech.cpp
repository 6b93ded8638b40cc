// Reading the idiom on the card aloud.
#include "lookup/mainwindow.h"

#include "speech/readaloud.h"
#include "widgets/environment.h"
#include "widgets/imagebutton.h"

void MainWindow::setReadAloud(ReadAloud *reader)
{
    m_readAloud = reader;
    connect(reader, &ReadAloud::voiceMissing, this, &MainWindow::showVoiceMissing);
    if (reader->lacksVoice())
        showVoiceMissing(reader->missingVoice());
    m_readAloudButton->show();
}

void MainWindow::readAloud()
{
    if (!m_readAloud || m_currentText.isEmpty())
        return;
    // Found to have no voice by this press, the engine says why through
    // showVoiceMissing; known before, the press is told here.
    const bool knownMute = m_readAloud->lacksVoice();
    if (!m_readAloud->read(m_currentText, m_currentPinyin) && knownMute)
        m_environment.notice(this, m_readAloud->missingVoice());
}

void MainWindow::showVoiceMissing(const QString &reason)
{
    // The engine loads when first asked to read, and says this once.
    if (m_readAloudButton->isEnabled() && !m_readAloudButton->isHidden())
        m_environment.notice(this, reason);
    m_readAloudButton->setEnabled(false);
    m_readAloudButton->setToolTip(reason);
    m_readAloudButton->setAccessibleDescription(reason);
}
