// The options the program consults at the moment it needs one: a value the
// settings dialog produces when it closes and when the settings are read.
// Classes that need options get this interface at construction, so tests
// pass their own and nothing asks whether the dialog exists.
#pragma once

#include "settings_values.h"

class EditorOptions
{
public:
    virtual ~EditorOptions() = default;
    // What the options are now.
    virtual const DialogOptions &options() const = 0;
};

// Options held as a value: the main window's, set from the settings dialog,
// and what tests choose.
class FixedOptions : public EditorOptions
{
public:
    explicit FixedOptions(DialogOptions values = {}) : values_(std::move(values)) {}
    const DialogOptions &options() const override { return values_; }
    void set(const DialogOptions &values) { values_ = values; }

private:
    DialogOptions values_;
};
