// The options the program consults at the moment it needs one. The settings
// dialog's controls hold them; classes that need options get this interface
// at construction, so tests pass their own and nothing asks whether the
// dialog exists.
#pragma once

#include "settings_values.h"

class EditorOptions
{
public:
    virtual ~EditorOptions() = default;
    // What the options are now.
    virtual DialogOptions options() const = 0;
};

// Options that stay as they were set: the defaults until the dialog exists,
// and what tests choose.
class FixedOptions : public EditorOptions
{
public:
    explicit FixedOptions(DialogOptions values = {}) : values_(std::move(values)) {}
    DialogOptions options() const override { return values_; }
    void set(const DialogOptions &values) { values_ = values; }

private:
    DialogOptions values_;
};
