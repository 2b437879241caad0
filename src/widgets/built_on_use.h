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

// A part of a window built the first time one of its controls is asked for
// (the settings dialog's pages).
class BuiltOnAsk
{
public:
    void setBuilder(std::function<void()> build) { build_ = std::move(build); }
    void build()
    {
        if (built_)
            return;
        built_ = true;
        build_();
    }
    bool built() const { return built_; }

private:
    std::function<void()> build_;
    bool built_ = false;
};

// A control of such a part: using it builds the part first. A copy stands
// for the same control, also when made before the part is built.
template <typename T> class PartControl
{
public:
    explicit PartControl(BuiltOnAsk &part) : part_(&part), slot_(&control_) {}
    PartControl(const PartControl &other) : part_(other.part_), slot_(other.slot_) {}
    PartControl &operator=(const PartControl &) = delete;
    PartControl &operator=(T *control)
    {
        *slot_ = control;
        return *this;
    }
    T *get() const
    {
        part_->build();
        return *slot_;
    }
    T *operator->() const { return get(); }
    operator T *() const { return get(); }

private:
    BuiltOnAsk *part_;
    T *control_ = nullptr;
    T **slot_;
};
