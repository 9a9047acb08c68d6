// Qt's own texts (file dialog buttons and labels, message box buttons) in
// Japanese, like the rest of the window.
#pragma once

#include <QCoreApplication>

// Loads Qt's Japanese translations into the application; false when they are
// not installed (the texts then stay in English).
bool InstallJapaneseTranslations(QCoreApplication& app);
