// The window's part builders and Memo1's help text, one line each.
#include "ui/qt/formparts.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "app/formtexts.h"
#include "ui/qt/sjislineedit.h"

namespace {

const QColor kCream(255, 251, 240);
const QColor kHelpColor(187, 235, 244);

}  // namespace

void FillBackground(QWidget* widget, const QColor& color) {
  widget->setAutoFillBackground(true);
  QPalette pal = widget->palette();
  pal.setColor(QPalette::Window, color);
  widget->setPalette(pal);
}

QFrame* NewPanel(QWidget* parent, const char* name) {
  auto* panel = NewNamed<QFrame>(parent, name);
  FillBackground(panel, kCream);
  return panel;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = NewNamed<QLabel>(parent, name);
  label->setText(text);
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = NewNamed<QPushButton>(parent, name);
  button->setText(text);
  return button;
}

SjisLineEdit* NewNumberEdit(QWidget* parent, const char* name) {
  auto* edit = NewNamed<SjisLineEdit>(parent, name);
  edit->setInputMethodHints(Qt::ImhLatinOnly);
  return edit;
}

QPlainTextEdit* NewHelpMemo(QWidget* parent, const char* name) {
  auto* memo = NewNamed<QPlainTextEdit>(parent, name);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette pal = memo->palette();
  pal.setColor(QPalette::Base, kHelpColor);
  memo->setPalette(pal);
  memo->setPlainText(HelpText());
  return memo;
}

QFileDialog* NewTableDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode) {
  auto* dialog = NewNamed<QFileDialog>(parent, name);
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
  SetFileKind(dialog, TFileKind::Table);
  // The same dialog on every desktop, and one the tests can drive.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  return dialog;
}

void SetFileKind(QFileDialog* dialog, TFileKind kind) {
  const TFileFilter filter = FileFilter(kind);
  dialog->setNameFilter(QString::fromUtf8(filter.Name));
  dialog->setDefaultSuffix(QString::fromLatin1(filter.Extension));
}

QString HelpText() {
  QStringList lines;
  for (const char* line : HelpLines()) lines << QString::fromUtf8(line);
  return lines.join(QLatin1Char('\n'));
}
