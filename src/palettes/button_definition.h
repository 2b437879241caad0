// What the palette handlers read from a button's record: the dialog's fields
// and the hover preview.
#pragma once

#include "set_list.h"

#include <QString>

namespace Palettes {

// The dialog's fields for button `number`: its record with line breaks decoded, or for an
// undefined button "未登録" / "未登録です" with the caret at the end of that text.
ButtonDefinition DefinitionForDialog(const SetList &list, int number);

// The info line while the mouse is over button `number`: a blank and the first 200 editor units
// of its stored content (or "このボタンは未設定です(^o^)/"), line breaks shown as "[←]", tags in
// the case of caseMode.
QString HoverPreview(const SetList &list, int number, int caseMode);

} // namespace Palettes
