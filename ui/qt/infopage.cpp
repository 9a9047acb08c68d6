// The info strip's page and the maker's address.
#include "ui/qt/infopage.h"

#include "app/formtexts.h"

QUrl MakerPageUrl() {
  return QUrl(QString::fromUtf8(MakerPageAddress()));
}

QString InfoPageHtml() {
  // The same words as every front end's strip, with the address as a link.
  const QString url = MakerPageUrl().toString();
  return QStringLiteral("<p style=\"margin:2px 6px\">%1<a href=\"%2\">%2</a></p>")
      .arg(QString::fromUtf8(InfoStripText()).toHtmlEscaped(), url);
}
