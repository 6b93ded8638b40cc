// The chain window: the idiom chain (成语接龙) as a free walk. The reader
// starts a chain from a typed idiom or character, picks each next link from
// the idioms that begin with the last character of the one before, and
// goes back to any earlier link by clicking it. The followers come from the
// program's one chain index.
#pragma once

#include <QWidget>

struct Environment;
class ChainIndexHolder;
class IdiomListModel;
class ImageButton;
class ListView;
class QLineEdit;
class QPlainTextEdit;

class ChainWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of its own over `parent`, deleted when it is closed; Escape
    // closes it. `chains` and `environment` outlive it.
    ChainWindow(ChainIndexHolder &chains, const Environment &environment, QWidget *parent = nullptr);
    ~ChainWindow() override;

public slots:
    // Starts a chain from the text of the first-link field.
    void start();
    // Adds the chosen candidate to the chain.
    void followCandidate();
    // Goes back to the chosen link of the chain, dropping those after it.
    void goBackToLink();

signals:
    // The reader asked to read link `id` of the chain on the card.
    void linkOpened(int id);

private:
    // Lists the idioms that may follow `link` as the candidates.
    void fillCandidates(const QString &link);
    // Writes the chain as one text, every link followed by " - ".
    void showChain();

    ChainIndexHolder &m_chains;
    const Environment &m_environment;

    QLineEdit *m_firstLinkField;
    ImageButton *m_startButton;
    ListView *m_chainList, *m_candidateList;
    IdiomListModel *m_chain, *m_candidates;
    QPlainTextEdit *m_chainText;
};
