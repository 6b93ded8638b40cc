#include "widgets/messagebox.h"

std::unique_ptr<QMessageBox> makeMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                            const QString &text)
{
    auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return box;
}

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    makeMessageBox(parent, icon, title, text)->exec();
}
