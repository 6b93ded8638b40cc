#include "widgets/msgbox.h"

#include <QMessageBox>

std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, const QString &prompt, int style, const QString &title)
{
    auto box = std::make_unique<QMessageBox>(style == vbInformation ? QMessageBox::Information : QMessageBox::NoIcon,
                                             title, prompt, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void MsgBox(QWidget *parent, const QString &prompt, int style, const QString &title)
{
    makeMessageBox(parent, prompt, style, title)->exec();
}
