// The main window: the idiom card, the search pane and the browsing buttons.
#pragma once

#include <QWidget>
#include <memory>

class Connection;
class Recordset;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    void Form_Load();

    int idiomCount() const { return m_idiomCount; }

private:
    QString appPath;
    std::unique_ptr<Connection> conn;
    std::unique_ptr<Recordset> rs;
    int m_idiomCount = 0;
};
