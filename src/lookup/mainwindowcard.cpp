// The idiom card: showing an idiom, browsing by id, and copying a field.
#include "lookup/mainwindow.h"

#include "models/storenotice.h"
#include "reader/readerstore.h"
#include "store/datafile.h"
#include "store/textfold.h"
#include "widgets/environment.h"
#include "widgets/textlabel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

void MainWindow::showIdiomOrThrow(int id)
{
    id = std::clamp(id, 1, std::max(m_dictionary.count, 1));
    m_currentId = id;
    if (!m_dictionary.store)
        throw *m_dictionary.failure;
    const Idiom idiom = m_dictionary.store->idiom(id);
    m_currentText = idiom.text;
    m_currentPinyin = idiom.pinyin;
    m_number->showText(QStringLiteral("编号：") + QString::number(idiom.id));
    m_fields[Pinyin]->showText(idiom.pinyin);
    m_fields[Text]->showText(spacedOut(idiom.text));
    m_fields[Meaning]->showText(idiom.meaning);
    m_fields[Source]->showText(idiom.source);
    m_fields[Example]->showText(idiom.example);
    showWordBookState();
}

void MainWindow::showIdiom(int id)
{
    try {
        showIdiomOrThrow(id);
        recordShown();
    } catch (const StoreError &error) {
        m_environment.notice(this, storeNotice(error));
    }
}

QString MainWindow::spacedOut(const QString &text)
{
    if (text.size() <= 1)
        return text;
    QString spaced;
    spaced.reserve(text.size() * 2);
    for (const char32_t c : allCodePoints(text)) {
        spaced += QLatin1Char(' ');
        spaced += QChar::fromUcs4(c); // a character outside the basic plane stays whole
    }
    qsizetype start = 0;
    qsizetype end = spaced.size();
    while (start < end && spaced.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && spaced.at(end - 1) == QLatin1Char(' '))
        --end;
    return spaced.mid(start, end - start);
}

void MainWindow::showFirstOrLast()
{
    if (storeOpen())
        showIdiom(m_currentId == 1 ? m_dictionary.count : 1);
}

void MainWindow::showPrevious()
{
    if (!storeOpen())
        return;
    if (m_currentId > 1)
        showIdiom(m_currentId - 1);
    else
        m_environment.notice(this, QStringLiteral("已经是最前一个成语了！"));
}

void MainWindow::showNext()
{
    if (!storeOpen())
        return;
    if (m_currentId < m_dictionary.count)
        showIdiom(m_currentId + 1);
    else
        m_environment.notice(this, QStringLiteral("已经是最后一个成语了！"));
}

void MainWindow::showRandom()
{
    if (!storeOpen())
        return;
    // A single-precision value in [0, 1), the top 24 bits of the generator:
    // floor(count × r + 1) is 1..count, the count taken to single precision
    // and the product formed in double, so that every start draws the same
    // sequence.
    const float r = float(m_random() >> 8) / float(1 << 24);
    const double id = std::floor(double(float(m_dictionary.count)) * double(r) + 1.0);
    showIdiom(int(id));
}

void MainWindow::copyField(MainWindow::Field field)
{
    // An empty field has nothing to copy, and what the clipboard held stays.
    const QString text = m_fields[field]->text();
    if (text.isEmpty())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
