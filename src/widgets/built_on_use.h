// A part of the window that is hidden at start (a dialog) and built the
// first time it is used, so that start-up does not pay for it.
#pragma once

#include <functional>
#include <utility>

template <typename T> class BuiltOnUse
{
public:
    // `build` makes the part, owned by a parent of its own.
    void setBuilder(std::function<T *()> build) { build_ = std::move(build); }

    T *get()
    {
        if (part_ == nullptr)
            part_ = build_();
        return part_;
    }
    T *operator->() { return get(); }
    operator T *() { return get(); }
    bool built() const { return part_ != nullptr; }

private:
    std::function<T *()> build_;
    T *part_ = nullptr;
};
