// The info strip's page.
#include "ui/qt/infopage.h"

#include "app/formtexts.h"

QString InfoPageHtml() {
  // The same words as every front end's strip; the window opens the guide.
  return QStringLiteral("<p style=\"margin:2px 6px\">%1<a href=\"guide\">%2</a></p>")
      .arg(QString::fromUtf8(InfoStripText()).toHtmlEscaped(),
           QString::fromUtf8(GuideLinkText()).toHtmlEscaped());
}
