// The program entry: the host starts the tool, the tool shows its one
// window, and the run ends when that window closes.
#include <QApplication>
#include <QCoreApplication>

#include "ui/qt/escape_x11.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/terminationwatch.h"
#include "ui/qt/translations.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rn52_ホルネ"));
  InstallJapaneseTranslations(app);
  InstallEscapeQuery();
  MainWindow form(QCoreApplication::applicationFilePath());
  TerminationWatch watch;
  QObject::connect(&watch, &TerminationWatch::terminationRequested, &form,
                   &MainWindow::TerminationRequested);
  form.show();
  const int status = QApplication::exec();
  return status != 0 ? status : form.Form().ExitCode();
}
