#include "placeholder_list.h"

namespace Palettes {

QList<PlaceholderHelp> PlaceholderList()
{
    return {
        {QStringLiteral("*text*"), QStringLiteral("選択中の文字")},
        {QStringLiteral("*date*"), QStringLiteral("今日の日付（2002年12月7日（土曜日））")},
        {QStringLiteral("*yyyy*"), QStringLiteral("西暦の年（4桁）")},
        {QStringLiteral("*yy*"), QStringLiteral("西暦の年（下2桁）")},
        {QStringLiteral("*dd*"), QStringLiteral("日（先頭に0を付けない）")},
        {QStringLiteral("*mm*"), QStringLiteral("月（先頭に0を付けない）")},
        {QStringLiteral("*isodate*"), QStringLiteral("今日の日付（2002-12-07、datetime属性の形）")},
        {QStringLiteral("*charset*"),
         QStringLiteral("文書の文字コードのHTMLでの名前（Shift_JIS、EUC-JP、ISO-2022-JP、UTF-8）。"
                        "保存時に変換する設定ならその変換先")},
        {QStringLiteral("*color*"), QStringLiteral("QUMOCOLORの色")},
        {QStringLiteral("*bgcol*"), QStringLiteral("QUMOCOLORの背景色")},
        {QStringLiteral("*textc*"), QStringLiteral("QUMOCOLORの文字色")},
        {QStringLiteral("*link*"), QStringLiteral("QUMOCOLORのリンク色")},
        {QStringLiteral("*vlink*"), QStringLiteral("QUMOCOLORの既読リンク色")},
        {QStringLiteral("*alink*"), QStringLiteral("QUMOCOLORのクリック中のリンク色")},
        {QStringLiteral("*salign*"), QStringLiteral("揃えの語（center、left、right）")},
        {QStringLiteral("*align*"), QStringLiteral("揃えの属性（ align=\"center\"）")},
        {QStringLiteral("*file*"), QStringLiteral("選んだファイルの、文書からの相対パス")},
        {QStringLiteral("*filen*"), QStringLiteral("選んだファイルの名前（*file* があるときだけ）")},
        {QStringLiteral("*width*"), QStringLiteral("選んだ画像の幅（ピクセル）")},
        {QStringLiteral("*height*"), QStringLiteral("選んだ画像の高さ（ピクセル）")},
    };
}

} // namespace Palettes
