// The texts Qt draws itself (the OK button of a message box, the context
// menu of a text box) in Chinese, like the rest of the windows.
#pragma once

class QCoreApplication;

// Loads Qt's own translations for the system's language when it is a
// Chinese one, and simplified Chinese otherwise. Returns whether any was
// found; without them Qt's texts stay English.
bool loadChineseTranslations(QCoreApplication *app);
