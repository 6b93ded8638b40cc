#include "lookup/importreport.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *lineList(const QStringList &lines, const char *name, QWidget *parent)
{
    auto *list = new QPlainTextEdit(lines.join(QLatin1Char('\n')), parent);
    list->setObjectName(QLatin1String(name));
    list->setReadOnly(true); // selectable and copyable, as read-only text is
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    return list;
}

} // namespace

ImportReport::ImportReport(const QString &summary, const QStringList &guesses, const QStringList &missing,
                           QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("importReport"));
    setWindowTitle(QStringLiteral("导入生词本"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    m_summary = new QLabel(summary, this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    if (!guesses.isEmpty()) {
        layout->addWidget(new QLabel(
            QStringLiteral("以下 %1 行词典里没有，可能是箭头后的成语；确认后才导入：").arg(guesses.size()), this));
        layout->addWidget(lineList(guesses, "guessList", this));
        m_importGuesses = new QPushButton(QStringLiteral("也导入这 %1 个成语").arg(guesses.size()), this);
        m_importGuesses->setObjectName(QStringLiteral("importGuessesButton"));
        layout->addWidget(m_importGuesses, 0, Qt::AlignLeft);
        connect(m_importGuesses, &QPushButton::clicked, this, [this] {
            m_importGuesses->setEnabled(false);
            emit guessesConfirmed();
        });
    }
    if (!missing.isEmpty()) {
        layout->addWidget(new QLabel(QStringLiteral("以下 %1 个不在词典里，没有导入：").arg(missing.size()), this));
        layout->addWidget(lineList(missing, "missingList", this));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, 420);
}

void ImportReport::setSummary(const QString &summary)
{
    m_summary->setText(summary);
}
