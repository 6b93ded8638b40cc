// The search: four look-ups for the text of Text1, every hit listed in
// List1 with its id, and the card following the chosen result.
#include "form1.h"
#include "searchstatements.h"

#include "shell/listbox.h"
#include "shell/picturebox.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QLineEdit>
#include <QPointer>

void Form1::Image1_Click()
{
    if (m_searching)
        return; // one search at a time: the running one has rs to itself
    if (Text1->text().isEmpty()) {
        notice(QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"));
        return;
    }
    List1->clear();
    Picture3->show();
    m_searching = true;
    m_listClickWaiting = false;
    QPointer<Form1> self(this);
    DoEvents();
    if (!self)
        return;

    QString failure;
    try {
        runSearch();
    } catch (const StoreError &error) {
        failure = error.message();
    }
    if (!self)
        return;
    if (rs->state() == adStateOpen)
        rs->close();
    if (!m_ending)
        DoEvents();
    if (!self)
        return;
    Picture3->hide();
    m_searching = false;

    if (!failure.isEmpty())
        notice(failure);
    else if (m_listClickWaiting && !m_ending)
        List1_Click(); // a result the user chose while the list was filling
}

void Form1::runSearch()
{
    if (rs->state() == adStateOpen)
        rs->close();
    QPointer<Form1> self(this);
    for (const SearchStatement &statement : kSearchStatements) {
        const QString text = Text1->text(); // each look-up takes the box as it is now
        rs->open({QString::fromUtf8(statement.sql), {statement.parameter(text)}}, *conn, adOpenStatic);
        const int n = rs->recordCount();
        for (searchRow = 1; searchRow <= n; ++searchRow) {
            List1->addItem(rs->fields().item(QStringLiteral("cy")).value().toString());
            List1->setItemData(List1->newIndex(), rs->fields().item(QStringLiteral("id")).value().toInt());
            if (!rs->eof())
                rs->moveNext();
            if (eventPassDue()) {
                DoEvents();
                if (!self || m_ending)
                    return;
            }
        }
        rs->close();
    }
}

void Form1::List1_Click()
{
    if (m_searching) {
        m_listClickWaiting = true; // shown once the search has ended
        return;
    }
    if (List1->selCount() == 1)
        showIdiomOrNotice(List1->itemData(List1->listIndex()));
}
