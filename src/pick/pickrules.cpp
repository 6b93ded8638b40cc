#include "pick/pickrules.h"

#include "store/textfold.h"

#include <QMimeData>
#include <QStringList>

bool shortEnoughToPick(const QString &text)
{
    // Clean-up drops at most the punctuation, spaces and a question's words:
    // a text many times longer is no idiom asked about, and is not made
    // plain at all.
    if (text.isEmpty() || text.size() > 20 * kMostPickedCharacters)
        return false;
    const QStringList forms = plainForms(text);
    if (forms.isEmpty())
        return false;
    return allCodePoints(forms.constFirst()).size() <= size_t(kMostPickedCharacters);
}

bool markedSecret(const QMimeData &data)
{
    if (data.data(QStringLiteral("x-kde-passwordManagerHint")).trimmed() == "secret")
        return true;
    // Qt names a Windows format it has no type for
    // application/x-qt-windows-mime;value="Name".
    const QStringList formats = data.formats();
    for (const QString &format : formats) {
        if (format.contains(QLatin1String("\"ExcludeClipboardContentFromMonitorProcessing\""))
            || format.contains(QLatin1String("\"Clipboard Viewer Ignore\"")))
            return true;
    }
    return false;
}
