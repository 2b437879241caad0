// tidy's messages in Japanese, keyed by tidy's message codes.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace HtmlCheck {

// The Japanese for tidy's message `code`, its arguments (as tidy gives
// them, in the order of its English text) filled in; none for a code the
// table lacks, which is shown as tidy wrote it.
std::optional<QString> JapaneseTidyMessage(unsigned code, const QStringList &arguments);

// tidy, as browsers do, opens an inline element left open again in each
// block after it, reporting INSERTING_TAG: said so for an element whose end
// tag it reported missing.
QString ContinuedElementMessage(const QString &name);

// Whether a message is left out: notes on what tidy's own output would
// drop, and what the editor checks itself.
bool LeftOutTidyMessage(unsigned code, const QStringList &arguments);

} // namespace HtmlCheck
