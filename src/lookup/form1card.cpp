// The idiom card: showing an idiom, browsing by id, and copying a field.
#include "form1.h"
#include "searchstatements.h"

#include "connection.h"
#include "label.h"
#include "recordset.h"
#include "storeerror.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cmath>

namespace {

QString text(const Fields &fields, const char *column)
{
    return fields.item(QString::fromLatin1(column)).value().toString(); // null reads as ""
}

} // namespace

void Form1::ShowIdiom(int id)
{
    if (id > idiomCount)
        id = idiomCount;
    if (id < 1)
        id = 1;
    currentId = id;
    rs->closeIfOpen();
    rs->open({QString::fromUtf8(kIdiomById), {id}}, *conn, adOpenStatic);
    const RecordsetGuard closing(*rs);
    if (rs->eof()) // the ids of a data file of the user's own may have gaps
        throw StoreError(dataFileError(conn->dataSource(), QStringLiteral("没有编号为 %1 的成语").arg(id)));
    const Fields fields = rs->fields();
    Label5->setCaption(QStringLiteral("编号：") + QString::number(fields.item(QStringLiteral("id")).value().toInt()));
    Lab[0]->setCaption(text(fields, "py"));
    Lab[1]->setCaption(SpaceChars(text(fields, "cy")));
    Lab[2]->setCaption(text(fields, "ys"));
    Lab[3]->setCaption(text(fields, "cc"));
    Lab[4]->setCaption(text(fields, "lz"));
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
        notice(error.message());
    }
}

void Form1::Image4_Click()
{
    if (m_filling || !storeOpen())
        return; // the running search has rs to itself
    showIdiomOrNotice(currentId == 1 ? idiomCount : 1);
}

void Form1::Image5_Click()
{
    if (m_filling || !storeOpen())
        return;
    if (currentId > 1)
        showIdiomOrNotice(currentId - 1);
    else
        notice(QStringLiteral("已经是最前一个成语了！"));
}

void Form1::Image6_Click()
{
    if (m_filling || !storeOpen())
        return;
    if (currentId < idiomCount)
        showIdiomOrNotice(currentId + 1);
    else
        notice(QStringLiteral("已经是最后一个成语了！"));
}

void Form1::Image7_Click()
{
    if (m_filling || !storeOpen())
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
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Cleared first, so that an empty field leaves nothing of an earlier copy.
    clipboard->clear();
    clipboard->setText(Lab[index]->caption());
}
