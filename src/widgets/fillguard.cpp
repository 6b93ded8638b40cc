#include "fillguard.h"

FillGuard::FillGuard(QWidget *window, bool &busy, QWidget *indicator, std::function<void()> cleanUp)
    : m_window(window), m_busy(busy), m_indicator(indicator), m_cleanUp(std::move(cleanUp))
{
    m_busy = true;
    if (m_indicator)
        m_indicator->show();
}

FillGuard::~FillGuard()
{
    if (!m_window)
        return; // gone with its recordset, its indicator and its flag
    m_cleanUp();
    if (m_indicator)
        m_indicator->hide();
    m_busy = false;
}
