// Loads Qt's Japanese translations for its own dialogs and buttons.
#include "ui/qt/translations.h"

#include <QLibraryInfo>
#include <QTranslator>

bool InstallJapaneseTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}
