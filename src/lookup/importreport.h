// What an import of the word book did, when some lines were not idioms:
// the count, the lines the search only guessed at (imported once the reader
// confirms them) and the lines not imported, each in a list that scrolls
// and can be selected and copied. Not modal; it deletes itself when closed.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class ImportReport : public QDialog
{
    Q_OBJECT

public:
    // `guesses` reads "line → idiom", one a line.
    ImportReport(const QString &summary, const QStringList &guesses, const QStringList &missing, QWidget *parent);

    void setSummary(const QString &summary);

signals:
    void guessesConfirmed();

private:
    QLabel *m_summary;
    QPushButton *m_importGuesses = nullptr;
};
