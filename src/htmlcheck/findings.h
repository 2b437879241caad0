// What a check of a document found: each finding at its line and column,
// and whether the structure could be checked at all.
#pragma once

#include "outcome.h"

#include <QList>
#include <QString>

namespace HtmlCheck {

enum class Severity { Error, Warning };

struct Finding
{
    qsizetype line = 1;   // 1-based
    qsizetype column = 1; // 1-based, in characters (a surrogate pair is one)
    Severity severity = Severity::Warning;
    QString message;

    friend bool operator==(const Finding &, const Finding &) = default;
};

// "エラー" or "警告".
QString SeverityName(Severity severity);

struct Report
{
    QList<Finding> findings; // in text order
    // Failed when tidy could not read the page: the findings then hold no
    // structural ones, and the page is not to be called clean.
    Outcome structure;
    bool html = false; // checked as HTML (else as plain text)
};

} // namespace HtmlCheck
