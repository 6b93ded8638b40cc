#include "msgbox.h"

#include <QMessageBox>

void MsgBox(QWidget *parent, const QString &prompt, int style, const QString &title)
{
    QMessageBox box(style == vbInformation ? QMessageBox::Information : QMessageBox::NoIcon,
                    title, prompt, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
