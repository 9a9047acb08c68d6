// The parts the window is built of: each made with its designed object
// name, so the tests find it as a user would see it; and the help text
// shown beside the table.
#pragma once

#include <QBoxLayout>
#include <QColor>
#include <QFileDialog>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "app/frontend.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SjisLineEdit;

// A widget of type W on the parent, named.
template <class W>
W* NewNamed(QWidget* parent, const char* name) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// The widget's background filled with the colour.
void FillBackground(QWidget* widget, const QColor& color);

// A panel filled with the window's cream colour.
QFrame* NewPanel(QWidget* parent, const char* name);
// The controls of the table in app/formcontrols.h; the window places them.
QLabel* NewLabel(QWidget* parent, const char* name, const QString& text);
QPushButton* NewButton(QWidget* parent, const char* name, const QString& text);
SjisLineEdit* NewNumberEdit(QWidget* parent, const char* name);
// Memo1: the help text, read-only, on its light blue.
QPlainTextEdit* NewHelpMemo(QWidget* parent, const char* name);
// A dialog that opens or saves a table file (*.dlist).
QFileDialog* NewTableDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode);
// The dialog offers files of the kind.
void SetFileKind(QFileDialog* dialog, TFileKind kind);

// The help text of Memo1, its lines joined by line breaks.
QString HelpText();
