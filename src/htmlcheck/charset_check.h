// The page's charset declaration against the code the document is saved in.
#pragma once

#include "document_format.h"
#include "findings.h"
#include "page_elements.h"

#include <optional>

namespace HtmlCheck {

// The code a charset label names, as browsers read labels (the Encoding
// Standard's labels of the codes a document can be saved in); none for any
// other code or an unknown name.
std::optional<DocumentCode> CodeOfLabel(QStringView label);

struct CharsetCheck
{
    QList<Finding> findings;
    // The code the page declares when it is one the editor knows and not
    // the save code: characters it cannot hold are worth a warning too.
    std::optional<DocumentCode> otherDeclared;
};

// <meta charset> and <meta http-equiv="Content-Type" content="...; charset=...">,
// the first of them being the one browsers follow.
CharsetCheck CheckCharset(const QList<Element> &elements, const DocumentFormat &format);

} // namespace HtmlCheck
