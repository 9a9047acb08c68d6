// The window's part builders and Memo1's help text, one line each.
#include "ui/qt/formparts.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>

#include "app/formtexts.h"
#include "ui/qt/sjislineedit.h"

namespace {

const QColor kCream(255, 251, 240);

}  // namespace

void FillBackground(QWidget* widget, const QColor& color) {
  widget->setAutoFillBackground(true);
  QPalette pal = widget->palette();
  pal.setColor(QPalette::Window, color);
  widget->setPalette(pal);
}

QBoxLayout* NewTightBox(QBoxLayout::Direction direction, QWidget* parent) {
  auto* box = new QBoxLayout(direction, parent);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  return box;
}

QFrame* NewPanel(QWidget* parent, const char* name) {
  auto* panel = NewNamed<QFrame>(parent, name);
  FillBackground(panel, kCream);
  return panel;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
  auto* label = NewNamed<QLabel>(parent, name);
  label->setText(text);
  label->move(at);
  label->adjustSize();
  return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text, QRect at) {
  auto* button = NewNamed<QPushButton>(parent, name);
  button->setText(text);
  button->setGeometry(at);
  return button;
}

SjisLineEdit* NewNumberEdit(QWidget* parent, const char* name, QRect at) {
  auto* edit = NewNamed<SjisLineEdit>(parent, name);
  edit->setGeometry(at);
  // Numbers only: an input method would only get in the way.
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->setInputMethodHints(Qt::ImhLatinOnly);
  return edit;
}

QFileDialog* NewTableDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode) {
  auto* dialog = NewNamed<QFileDialog>(parent, name);
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
  dialog->setNameFilter(QStringLiteral("データファイル(*.dlist)"));
  dialog->setDefaultSuffix(QStringLiteral("dlist"));
  // The same dialog on every desktop, and one the tests can drive.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  return dialog;
}

QString HelpText() {
  QStringList lines;
  for (const char* line : HelpLines()) lines << QString::fromUtf8(line);
  return lines.join(QLatin1Char('\n'));
}
