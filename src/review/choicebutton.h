// A choice of the quiz: a button whose text wraps over its lines, ending
// in an ellipsis where it is longer (the tooltip then shows it whole), and
// which, once the question is answered, is marked as the right answer or as
// the reader's wrong one.
#pragma once

#include <QPushButton>
#include <QRect>

class ChoiceButton : public QPushButton
{
    Q_OBJECT

public:
    enum class Mark { None, Right, Wrong };

    explicit ChoiceButton(QWidget *parent = nullptr);

    void showChoice(const QString &text);
    void setMark(Mark mark);
    Mark mark() const { return m_mark; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // The zoom changes the size and the font: the text may be cut off or not.
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Where the text goes, inside the button's edge.
    QRect textBox() const;
    // The tooltip shows the whole text when the button cuts it off.
    void showWholeTextAsTip();

    QString m_text;
    Mark m_mark = Mark::None;
};
