#include "models/storenotice.h"

#include "store/storeerror.h"

#include <QDir>

namespace {

// What is wrong with a data file that is there, or with reading it; %1
// stands for what the error says in detail.
struct Fault
{
    StoreError::Kind kind;
    const char16_t *words;
};

constexpr Fault kFaults[] = {
    {StoreError::IsFolder, u"这是一个文件夹，不是文件"},
    {StoreError::NotAFile, u"这不是一个普通文件"},
    {StoreError::Empty, u"文件是空的（0 字节）"},
    {StoreError::NotADataFile, u"这不是成语数据文件"},
    {StoreError::Damaged, u"文件已损坏"},
    {StoreError::NoIdiomTable, u"文件中没有成语表 cy"},
    {StoreError::MissingColumns, u"成语表 cy 缺少 %1 列"},
    {StoreError::Unreadable, u"无法打开文件，可能没有读取它的权限（%1）"},
    {StoreError::ReadFailed, u"读取文件时出错（%1）"},
    {StoreError::OutOfMemory, u"内存不足"},
    {StoreError::MissingIdiom, u"没有编号为 %1 的成语"},
};

QString fault(const StoreError &error)
{
    for (const Fault &fault : kFaults) {
        if (fault.kind == error.kind()) {
            const QString words = QString::fromUtf16(fault.words);
            return words.contains(QLatin1String("%1")) ? words.arg(error.detail()) : words;
        }
    }
    return error.detail(); // SQLite's own words
}

// Why the data file could not be written into one place.
QString writeFault(const StoreError &place)
{
    // A folder named is not the data file's own: that one is missing and
    // could not be made inside the one named.
    const bool own = place.detail().isEmpty();
    switch (place.kind()) {
    case StoreError::ReadOnlyDisk:
        return own ? QStringLiteral("文件夹所在的磁盘是只读的")
                   : QStringLiteral("文件夹不存在，也无法创建：“%1”所在的磁盘是只读的").arg(place.detail());
    case StoreError::NoWritePermission:
        return own ? QStringLiteral("没有写入这个文件夹的权限")
                   : QStringLiteral("文件夹不存在，也无法创建：没有写入“%1”的权限").arg(place.detail());
    case StoreError::DiskFull:
        return QStringLiteral("磁盘空间不足");
    default:
        return QStringLiteral("写入时出错（%1）").arg(place.detail());
    }
}

} // namespace

QString storeNotice(const StoreError &error)
{
    const QString path = QDir::toNativeSeparators(error.path());
    switch (error.kind()) {
    case StoreError::Missing:
        return QStringLiteral("找不到成语数据文件“%1”。\n重新启动本程序，就会重新写出程序自带的成语数据。").arg(path);
    case StoreError::NotCarried:
        return QStringLiteral("程序中缺少成语数据（cy.dat）。");
    case StoreError::NotWritten: {
        QStringList places;
        for (const StoreError &place : error.places())
            places << QStringLiteral("“%1”：%2").arg(QDir::toNativeSeparators(place.path()), writeFault(place));
        return QStringLiteral("无法写出成语数据文件：\n%1。\n"
                              "请把本程序放到可以写入的文件夹里（或者腾出磁盘空间）后重新启动。")
            .arg(places.join(QStringLiteral("；\n")));
    }
    default:
        return QStringLiteral("成语数据文件“%1”无法使用：%2。\n"
                              "把这个文件删除（或者改个名字）后重新启动本程序，就会重新得到程序自带的成语数据。")
            .arg(path, fault(error));
    }
}
