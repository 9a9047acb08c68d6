// The program entry: the host starts the tool, the tool shows its one
// window, and the run ends when that window closes.
#include <QApplication>
#include <QCoreApplication>

#include "ui/qt/terminationwatch.h"
#include "ui/qt/tform1.h"
#include "ui/qt/translations.h"
#include "ui/qt/escape_x11.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rn52_ホルネ"));
  InstallJapaneseTranslations(app);
  InstallEscapeQuery();
  TForm1 form(QCoreApplication::applicationFilePath());
  TerminationWatch watch;
  QObject::connect(&watch, &TerminationWatch::terminationRequested, &form,
                   &TForm1::TerminationRequested);
  form.show();
  return QApplication::exec();
}
