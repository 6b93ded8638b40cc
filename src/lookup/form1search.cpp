// The search: four look-ups for the text of Text1, every hit listed in
// List1 with its id, and the card following the chosen result.
#include "form1.h"
#include "searchstatements.h"

#include "eventpass.h"
#include "fillguard.h"
#include "listbox.h"
#include "picturebox.h"
#include "recordset.h"
#include "storeerror.h"

#include <QLineEdit>

void Form1::Image1_Click()
{
    if (m_filling)
        return; // one search at a time: the running one has rs to itself
    if (Text1->text().isEmpty()) {
        notice(QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"));
        return;
    }
    if (!storeOpen())
        return;
    List1->clear();
    m_listClickWaiting = false;
    QString failure;
    {
        const FillGuard filling(this, m_filling, Picture3, [this] { rs->closeIfOpen(); });
        EventPass pass(this, {List1});
        if (!pass.run()) // paints the busy indicator
            return;
        try {
            runSearch(pass);
        } catch (const StoreError &error) {
            failure = error.message();
        }
        if (!pass.run())
            return;
    }
    if (!failure.isEmpty())
        notice(failure);
    else if (m_listClickWaiting)
        List1_Click(); // a result the user chose while the list was filling
}

void Form1::runSearch(EventPass &pass)
{
    rs->closeIfOpen();
    for (const SearchStatement &statement : kSearchStatements) {
        // Each look-up takes the box as it is at that moment, as the search
        // always has; typing during a search changes the later look-ups.
        const QString text = Text1->text();
        rs->open({QString::fromUtf8(statement.sql), {statement.parameter(text)}}, *conn, adOpenStatic);
        const int n = rs->recordCount();
        for (searchRow = 1; searchRow <= n; ++searchRow) {
            List1->addItem(rs->fields().item(QStringLiteral("cy")).value().toString());
            List1->setItemData(List1->newIndex(), rs->fields().item(QStringLiteral("id")).value().toInt());
            if (!rs->eof())
                rs->moveNext();
            if (!pass.runWhenDue())
                return;
        }
        rs->close();
    }
}

void Form1::List1_Click()
{
    if (m_filling) {
        m_listClickWaiting = true; // shown once the search has ended
        return;
    }
    if (List1->selCount() == 1)
        showIdiomOrNotice(List1->itemData(List1->listIndex()));
}
