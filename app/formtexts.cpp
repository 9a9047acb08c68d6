// The window's fixed texts.
#include "app/formtexts.h"

#include <array>

namespace {

const std::array<const char*, 33> kHelpLines = {
    "※作図は、現在の",
    "　レイヤグループ・レイヤ・",
    "　線色・線種・線幅にて",
    "　作図されます。",
    "",
    "※点3～は、相手点を２つ",
    "　番号とその距離を入力",
    "　して下さい。向きは、",
    "　0 又は 1 を入力して下さい。",
    "　相手点1→相手点2の",
    "　　0：線の上側",
    "　　1：線の下側",
    "※指定状態によっては",
    "　重複線作図をしてしまう",
    "　場合も有り得ますので",
    "　御注意下さい。",
    "　（本ツールで重複線削除は",
    "　　行いません）",
    "",
    "◆ブロック図形内のものは",
    "　処理出来ませんので",
    "　御注意下さい。",
    "　ブロック編集内で行う",
    "　場合には、本ソフトを",
    "　Jw_cadのインストール・",
    "　フォルダに配置して",
    "　実行を行って下さい。",
    "◆ウイルス／セキュリティ",
    "　ソフト／セキュリティ設定",
    "　の画面が表示され、",
    "　許可／遮断を問い合わ",
    "　せてきた場合には",
    "　「許可」を選択して下さい。",
};

}  // namespace

std::span<const char* const> HelpLines() {
  return kHelpLines;
}

const char* GuideFileName() {
  return "horune.txt";
}

const char* InfoStripText() {
  return "ホルネ　測った距離から敷地の外形を作図する Jw_cad の外部変形です。"
         "導入と操作の案内は、プログラムと同じフォルダにあります：";
}

const char* GuideLinkText() {
  return "案内（horune.txt）を開く";
}

TFileFilter FileFilter(TFileKind kind) {
  if (kind == TFileKind::Sima) return {"SIMA 座標ファイル(*.sim)", "*.sim", "sim"};
  return {"データファイル(*.dlist)", "*.dlist", "dlist"};
}
