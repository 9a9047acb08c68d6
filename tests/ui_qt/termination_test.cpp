// A termination request closes the window as its close box does: the table
// is saved and the host is told "hq". Once inside the test program, once
// with the built program in a folder of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <thread>

#include "ui/qt/distancemodel.h"
#include "ui/qt/terminationwatch.h"
#include "windowtest.h"

namespace {

using ::testing::ElementsAre;

class Termination : public WindowTest {
 protected:
  void SetUp() override {
    folder.WriteHostFile();
    Start();
    QObject::connect(&watch, &TerminationWatch::terminationRequested, form.get(),
                     &MainWindow::TerminationRequested);
    Type("10");
    Tab();
    TypeRows({{"1", "6", "2", "8", "0"}});
  }

  void ExpectClosedAsByTheCloseBox() {
    QTRY_VERIFY(!form->isVisible());
    EXPECT_EQ(Answer(), "hq\r\n");
    EXPECT_EQ(Settings().Edit1, "10");
    EXPECT_THAT(Settings().Rows, ElementsAre(TTableRow{"1", "6", "2", "8", "0"}));
  }

  TerminationWatch watch;
};

TEST_F(Termination, SigtermClosesTheWindow) {
  kill(getpid(), SIGTERM);
  ExpectClosedAsByTheCloseBox();
}

TEST_F(Termination, SigtermDismissesAnOpenQuestionFirst) {
  WhenDialogOpens([](QWidget*) { kill(getpid(), SIGTERM); });
  QTest::mouseClick(form->Button3, Qt::LeftButton);
  ExpectClosedAsByTheCloseBox();
  EXPECT_EQ(form->Form().Cells().Cell(1, 1), "1");
}

bool CatchesSigterm(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigCgt:")) {
      const qulonglong mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
      return (mask >> (SIGTERM - 1)) & 1;
    }
  }
  return false;
}

TEST(TerminatedProgram, LeavesHqAndTheSettings) {
  HostFolder folder;
  ASSERT_TRUE(QFile::copy(QStringLiteral(HORUNE_BINARY), QtPath(folder.ProgramPath())));
  folder.WriteHostFile();
  WriteLines(folder.SettingsPath(),
             {"10", "20", "500", "300", "", "10", "0", "1", "1", "6", "2", "8", "0"});
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(env);
  program.start(QtPath(folder.ProgramPath()), {});
  ASSERT_TRUE(program.waitForStarted());
  // Only once the handler is in place does SIGTERM mean "close".
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!CatchesSigterm(program.processId()) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(CatchesSigterm(program.processId()));
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(ReadBytes(folder.JwcTempPath()), "hq\r\n");
  const TTableFile s = ParseTableFile(ReadBytes(folder.SettingsPath()));
  EXPECT_EQ(s.Edit1, "10");
  EXPECT_THAT(s.Rows, ElementsAre(TTableRow{"1", "6", "2", "8", "0"}));
}

}  // namespace
