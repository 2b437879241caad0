#include "pending_definitions.h"

namespace Palettes {

SetDefined PendingDefinitions::define(const QString &programDir, const PaletteKind &kind,
                                      const SetDefinition &change)
{
    if (change.name != set_)
        kept_.clear();
    set_ = change.name;
    kept_.remove(change.number);
    SetDefined defined = DefineInSet(programDir, kind, change);
    if (!defined.outcome.done() || !defined.merged) {
        kept_.insert(change.number, change.definition);
        return defined;
    }
    for (auto kept = kept_.begin(); kept != kept_.end();) {
        SetDefinition next{change.name, kept.key(), kept.value(), *defined.merged, defined.path};
        SetDefined written = DefineInSet(programDir, kind, next);
        if (!written.outcome.done() || !written.merged) {
            ++kept;
            continue;
        }
        defined = std::move(written);
        kept = kept_.erase(kept);
    }
    return defined;
}

} // namespace Palettes
