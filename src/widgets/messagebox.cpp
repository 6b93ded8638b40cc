#include "widgets/messagebox.h"

#include <QPushButton>

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

void askInMessageBox(QWidget *parent, const QString &title, const QString &text, const QString &action,
                     const std::function<void()> &confirmed)
{
    auto *box = new QMessageBox(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    QPushButton *yes = box->addButton(action, QMessageBox::DestructiveRole);
    box->setDefaultButton(box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    QObject::connect(box, &QMessageBox::buttonClicked, box, [yes, confirmed](QAbstractButton *button) {
        if (button == yes)
            confirmed();
    });
    box->open();
}
