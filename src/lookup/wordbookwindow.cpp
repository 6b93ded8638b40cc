#include "lookup/wordbookwindow.h"

#include "lookup/chosenentries.h"
#include "lookup/importreport.h"
#include "lookup/wordbookimport.h"
#include "models/storenotice.h"
#include "reader/readerstore.h"
#include "reader/wordbookfile.h"
#include "store/datafile.h"
#include "widgets/environment.h"
#include "widgets/fonts.h"
#include "widgets/windowframe.h"

#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeySequence>
#include <QAction>
#include <QEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

const QString kPlainFilter = QStringLiteral("文本文件，每行一个成语 (*.txt)");
const QString kFlashcardFilter = QStringLiteral("制表符分隔文件，供抽认卡程序导入 (*.tsv)");
// How long an import runs before it shows its progress, in milliseconds.
constexpr int kQuietImport = 500;

QString importedCount(qsizetype imported, int added)
{
    return QStringLiteral("导入了 %1 个成语，其中 %2 个是新加入的。").arg(imported).arg(added);
}

// The day an idiom was added, as the program writes dates on every system.
QString addedOn(const QDateTime &added)
{
    return added.date().toString(QStringLiteral("yyyy年M月d日"));
}

} // namespace

WordBookWindow::WordBookWindow(const Dictionary &dictionary, const Environment &environment, ReaderStore &reader,
                               QWidget *parent)
    : QWidget(parent, kFixedSizeWindow), m_dictionary(dictionary), m_environment(environment), m_reader(reader)
{
    setWindowTitle(QStringLiteral("生词本"));
    setFont(defaultWindowFont());
    setFixedSize(330, 360);
    m_entries = new QStandardItemModel(this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("wordBookList"));
    m_list->setGeometry(5, 5, 320, 317);
    m_list->setModel(m_entries);
    m_list->setFont(windowFont("宋体", 10.5));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true); // thousands of entries lay out at once
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setAccessibleName(QStringLiteral("生词本"));
    m_list->setAccessibleDescription(QStringLiteral("生词本里的成语和加入的日期；双击一个在主窗口显示"));
    auto *openButton = placedButton(QStringLiteral("显示"), "openEntryButton", QRect(5, 328, 60, 26), this);
    auto *removeButton = placedButton(QStringLiteral("移出"), "removeEntryButton", QRect(70, 328, 60, 26), this);
    auto *exportButton = placedButton(QStringLiteral("导出..."), "exportButton", QRect(180, 328, 70, 26), this);
    auto *importButton = placedButton(QStringLiteral("导入..."), "importButton", QRect(255, 328, 70, 26), this);

    m_show = chosenEntriesAction(QStringLiteral("查看"), "showEntryAction", {}, m_list);
    m_copy = chosenEntriesAction(QStringLiteral("复制"), "copyEntriesAction", QKeySequence::Copy, m_list);
    m_remove = chosenEntriesAction(QStringLiteral("移出生词本"), "removeEntriesAction", QKeySequence::Delete, m_list);

    closeOnEscape(this);
    connect(m_list, &QTreeView::activated, this, &WordBookWindow::openSelected);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &WordBookWindow::updateActions);
    connect(m_show, &QAction::triggered, this, &WordBookWindow::openSelected);
    connect(m_copy, &QAction::triggered, this, &WordBookWindow::copySelected);
    connect(m_remove, &QAction::triggered, this, &WordBookWindow::removeSelected);
    connect(openButton, &QPushButton::clicked, this, &WordBookWindow::openSelected);
    connect(removeButton, &QPushButton::clicked, this, &WordBookWindow::removeSelected);
    connect(exportButton, &QPushButton::clicked, this, &WordBookWindow::chooseExportFile);
    connect(importButton, &QPushButton::clicked, this, &WordBookWindow::chooseImportFile);
    refresh();
}

bool WordBookWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        refresh();
    return QWidget::event(event);
}

void WordBookWindow::refresh()
{
    const QList<WordBookEntry> book = m_reader.wordBook();
    QList<std::pair<int, qint64>> shown;
    for (const WordBookEntry &entry : book)
        shown.append({entry.id, entry.added.toSecsSinceEpoch()});
    if (shown == m_shown && m_entries->columnCount() > 0)
        return; // as it was: the reader's choice stays
    m_shown = shown;
    const int id = selectedId();
    const QList<int> chosen = chosenIds(m_list);
    m_entries->clear();
    m_entries->setHorizontalHeaderLabels({QStringLiteral("成语"), QStringLiteral("加入日期")});
    // All rows at once: a row inserted at a time lays the list out again each time.
    m_entries->setRowCount(int(book.size()));
    for (int row = 0; row < book.size(); ++row) {
        const WordBookEntry &entry = book[row];
        auto *text = new QStandardItem(entry.text);
        text->setData(entry.id, Qt::UserRole);
        m_entries->setItem(row, 0, text);
        m_entries->setItem(row, 1, new QStandardItem(addedOn(entry.added)));
        if (entry.id == id)
            m_list->selectionModel()->setCurrentIndex(text->index(), QItemSelectionModel::NoUpdate);
    }
    choose(m_list, chosen);
    m_list->header()->resizeSection(0, 200);
    updateActions();
}

void WordBookWindow::updateActions()
{
    updateChosenEntriesActions(m_list, m_show, {m_copy, m_remove});
}

void WordBookWindow::copySelected()
{
    copyChosenTexts(m_list);
}

int WordBookWindow::selectedId() const
{
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? current.siblingAtColumn(0).data(Qt::UserRole).toInt() : 0;
}

void WordBookWindow::openSelected()
{
    if (const int id = selectedId())
        emit idiomChosen(id);
}

void WordBookWindow::removeSelected()
{
    if (const QList<int> chosen = chosenIds(m_list); !chosen.isEmpty()) {
        m_reader.removeFromWordBook(chosen);
        refresh();
        emit changed();
    }
}

bool WordBookWindow::exportTo(const QString &path, Format format)
{
    const QList<WordBookEntry> book = m_reader.wordBook();
    QByteArray bytes;
    if (format == PlainList) {
        QStringList idioms;
        for (const WordBookEntry &entry : book)
            idioms << entry.text;
        bytes = plainIdiomList(idioms);
    } else {
        QList<FlashcardFields> cards;
        for (const WordBookEntry &entry : book) {
            FlashcardFields card{entry.text, {}, {}, {}, {}};
            try {
                if (m_dictionary.store) {
                    const Idiom idiom = m_dictionary.store->idiom(entry.id);
                    card = {idiom.text, idiom.pinyin, idiom.meaning, idiom.source, idiom.example};
                }
            } catch (const StoreError &) {
                // An idiom the data file no longer has still gives its card a face.
            }
            cards << card;
        }
        bytes = flashcardTable(cards);
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    m_environment.notice(this, QStringLiteral("无法写入文件 %1：%2\n生词本没有导出，请换一个文件夹。")
                                   .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void WordBookWindow::importFrom(const QString &path)
{
    if (m_import)
        return; // one at a time
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_environment.notice(this, QStringLiteral("无法读取文件 %1：%2")
                                       .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    // One byte past the largest list is enough to tell a file too large.
    const IdiomList list = readIdiomList(file.read(kLargestIdiomList + 1), file.size());
    if (!list.problem.isEmpty()) {
        m_environment.notice(this, QStringLiteral("没有导入 %1：%2").arg(QDir::toNativeSeparators(path), list.problem));
        return;
    }
    if (!m_dictionary.store) {
        m_environment.notice(this, storeNotice(*m_dictionary.failure));
        return;
    }
    m_import = new WordBookImport(*m_dictionary.store, list.idioms, this);
    m_progress = new QProgressDialog(QStringLiteral("正在导入 %1 行……").arg(list.idioms.size()),
                                     QStringLiteral("取消"), 0, int(m_import->total()), this);
    m_progress->setObjectName(QStringLiteral("importProgress"));
    m_progress->setWindowTitle(QStringLiteral("导入生词本"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(kQuietImport);
    m_progress->setAutoReset(false);
    m_progress->setValue(0);
    const auto stop = [this] {
        m_import->deleteLater();
        m_import = nullptr;
        m_progress->deleteLater();
        m_progress = nullptr;
    };
    connect(m_import, &WordBookImport::progressed, m_progress, [this](qsizetype done) { m_progress->setValue(int(done)); });
    connect(m_import, &WordBookImport::finished, this, &WordBookWindow::finishImport);
    connect(m_import, &WordBookImport::failed, this, [this, stop](const QString &notice) {
        // The data file failed half way: nothing is imported.
        stop();
        m_environment.notice(this, notice);
    });
    connect(m_progress, &QProgressDialog::canceled, this, [this, stop] {
        stop();
        m_environment.notice(this, QStringLiteral("导入已取消，生词本没有改变。"));
    });
    m_import->start();
}

void WordBookWindow::finishImport()
{
    const ImportedLines lines = m_import->result();
    m_import->deleteLater();
    m_import = nullptr;
    m_progress->disconnect(this);
    m_progress->deleteLater();
    m_progress = nullptr;
    const int added = m_reader.addToWordBook(lines.found);
    refresh();
    emit changed();
    const QString summary = importedCount(lines.found.size(), added);
    if (lines.guesses.isEmpty() && lines.missing.isEmpty()) {
        m_environment.notice(this, summary);
        return;
    }
    QStringList guesses;
    QList<HistoryEntry> guessed;
    for (const auto &[line, idiom] : lines.guesses) {
        guesses << QStringLiteral("%1 → %2").arg(line, idiom.text);
        guessed << idiom;
    }
    auto *report = new ImportReport(summary, guesses, lines.missing, this);
    connect(report, &ImportReport::guessesConfirmed, this, [this, report, guessed, lines, added] {
        const int addedToo = m_reader.addToWordBook(guessed);
        refresh();
        emit changed();
        report->setSummary(importedCount(lines.found.size() + guessed.size(), added + addedToo));
    });
    report->open();
}

void WordBookWindow::chooseExportFile()
{
    auto *dialog = new QFileDialog(this, QStringLiteral("导出生词本"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters({kPlainFilter, kFlashcardFilter});
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString &filter) {
        dialog->setDefaultSuffix(filter == kFlashcardFilter ? QStringLiteral("tsv") : QStringLiteral("txt"));
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](const QString &path) {
        exportTo(path, dialog->selectedNameFilter() == kFlashcardFilter ? Flashcards : PlainList);
    });
    dialog->open();
}

void WordBookWindow::chooseImportFile()
{
    auto *dialog = new QFileDialog(this, QStringLiteral("导入生词本"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters({QStringLiteral("文本文件 (*.txt *.tsv *.csv)"), QStringLiteral("所有文件 (*)")});
    connect(dialog, &QFileDialog::fileSelected, this, &WordBookWindow::importFrom);
    dialog->open();
}
