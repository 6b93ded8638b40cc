// The search: the four look-ups for the text of Text1 (or, when they find
// nothing, what the reader probably meant), every hit listed in List1 with
// its id, and the card following the chosen result.
#include "lookup/form1.h"

#include "widgets/environment.h"
#include "widgets/listbox.h"
#include "widgets/picturebox.h"
#include "widgets/storenotice.h"

#include <QLineEdit>

void Form1::Image1_Click()
{
    const QString text = Text1->text();
    if (text.isEmpty()) {
        m_environment.notice(this, QStringLiteral("请输入成语、成语首字或成语拼音简码进行查找！"));
        return;
    }
    if (!storeOpen())
        return;
    // The emptied list and the busy indicator over it are painted now, before
    // the look-ups hold the window until they are done. Each is painted in its
    // own right: showing or emptying a widget only asks for a later paint.
    List1->setEntries({});
    Picture3->show();
    List1->viewport()->repaint();
    Picture3->repaint();
    SearchResult found;
    std::optional<StoreError> failure;
    try {
        found = conn->find(text);
    } catch (const StoreError &error) {
        failure = error;
    }
    List1->setEntries(found.entries);
    List1->setEmptyText(found.stage == SearchResult::Nothing && !failure ? QStringLiteral("没有找到相符的成语。")
                                                                         : QString());
    Picture3->hide();
    if (failure)
        m_environment.notice(this, storeNotice(*failure));
}

void Form1::List1_Click()
{
    if (List1->selCount() == 1)
        showIdiomOrNotice(List1->itemData(List1->listIndex()));
}
