#include "form1.h"

#include "store/connection.h"
#include "store/idiomstore.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QCoreApplication>

Form1::Form1(QWidget *parent) : QWidget(parent) {}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    appPath = folderRule(QCoreApplication::applicationDirPath());
    try {
        ProvisionDataFile(appPath);
    } catch (const StoreError &) {
    }
    QCoreApplication::processEvents();
    try {
        OpenIdiomStore(appPath, conn, rs);
        m_idiomCount = countIdioms(*conn, *rs);
    } catch (const StoreError &) {
    }
}
