// The idiom card: showing an idiom, browsing by id, and copying a field.
#include "lookup/form1.h"

#include "widgets/environment.h"
#include "widgets/label.h"
#include "widgets/storenotice.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

void Form1::ShowIdiom(int id)
{
    if (id > idiomCount)
        id = idiomCount;
    if (id < 1)
        id = 1;
    currentId = id;
    if (!conn)
        throw *m_storeFailure;
    const Idiom idiom = conn->idiom(id);
    Label5->setCaption(QStringLiteral("编号：") + QString::number(idiom.id));
    Lab[0]->setCaption(idiom.py);
    Lab[1]->setCaption(SpaceChars(idiom.cy));
    Lab[2]->setCaption(idiom.ys);
    Lab[3]->setCaption(idiom.cc);
    Lab[4]->setCaption(idiom.lz);
}

QString Form1::SpaceChars(const QString &text)
{
    if (text.size() <= 1)
        return text;
    QString spaced;
    spaced.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        spaced += QLatin1Char(' ');
        spaced += text.at(i);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            spaced += text.at(++i); // a character outside the basic plane stays whole
    }
    qsizetype start = 0;
    qsizetype end = spaced.size();
    while (start < end && spaced.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && spaced.at(end - 1) == QLatin1Char(' '))
        --end;
    return spaced.mid(start, end - start);
}

void Form1::showIdiomOrNotice(int id)
{
    try {
        ShowIdiom(id);
    } catch (const StoreError &error) {
        m_environment.notice(this, storeNotice(error));
    }
}

void Form1::Image4_Click()
{
    if (storeOpen())
        showIdiomOrNotice(currentId == 1 ? idiomCount : 1);
}

void Form1::Image5_Click()
{
    if (!storeOpen())
        return;
    if (currentId > 1)
        showIdiomOrNotice(currentId - 1);
    else
        m_environment.notice(this, QStringLiteral("已经是最前一个成语了！"));
}

void Form1::Image6_Click()
{
    if (!storeOpen())
        return;
    if (currentId < idiomCount)
        showIdiomOrNotice(currentId + 1);
    else
        m_environment.notice(this, QStringLiteral("已经是最后一个成语了！"));
}

void Form1::Image7_Click()
{
    if (!storeOpen())
        return;
    // A single-precision value in [0, 1), the top 24 bits of the generator,
    // scaled as the window always has: floor(count × r + 1) is 1..count, the
    // count taken to single precision and the product formed in double.
    const float r = float(m_random() >> 8) / float(1 << 24);
    const double id = std::floor(double(float(idiomCount)) * double(r) + 1.0);
    showIdiomOrNotice(int(id));
}

void Form1::Lab_Click(int index)
{
    // An empty field has nothing to copy, and what the clipboard held stays.
    const QString text = Lab[index]->caption();
    if (text.isEmpty())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
