// The info strip's page and the maker's address.
#include "ui/qt/infopage.h"

#include "app/formtexts.h"

QUrl MakerPageUrl() {
  return QUrl(QString::fromUtf8(MakerPageAddress()));
}

QString InfoPageHtml() {
  const QString url = MakerPageUrl().toString();
  return QStringLiteral(
             "<p style=\"margin:2px 6px\"><b>ホルネ</b>　測った距離から敷地の外形を作図する "
             "Jw_cad の外部変形です。点1を原点に、点2を距離と角度で、点3からは二つの相手点"
             "との距離で決めていきます。</p>"
             "<p style=\"margin:2px 6px\">使い方と更新のお知らせは作者のページへ："
             "<a href=\"%1\">%1</a></p>")
      .arg(url);
}
