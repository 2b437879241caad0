// The colour set of one shine button face: the face (or gradient start), the
// bevel lines and the gradient. Owned by its button, which repaints on Changed.
#pragma once

#include "colour_value.h"

#include <QObject>

class TShineBtnColors : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE setColor NOTIFY Changed)
    Q_PROPERTY(TColor Highlight READ Highlight WRITE setHighlight NOTIFY Changed)
    Q_PROPERTY(TColor Shadow READ Shadow WRITE setShadow NOTIFY Changed)
    Q_PROPERTY(TColor DarkShadow READ DarkShadow WRITE setDarkShadow NOTIFY Changed)
    Q_PROPERTY(TColor GradColor READ GradColor WRITE setGradColor NOTIFY Changed)
    Q_PROPERTY(bool GradVertical READ GradVertical WRITE setGradVertical NOTIFY Changed)
    Q_PROPERTY(bool Gradation READ Gradation WRITE setGradation NOTIFY Changed)

public:
    explicit TShineBtnColors(TColor color = clBtnFace, QObject *parent = nullptr);

    // Copies all seven fields; Changed is emitted once if any differed.
    void Assign(const TShineBtnColors &source);

    TColor Color() const { return color_; }
    TColor Highlight() const { return highlight_; }
    TColor Shadow() const { return shadow_; }
    TColor DarkShadow() const { return darkShadow_; }
    TColor GradColor() const { return gradColor_; }
    bool GradVertical() const { return gradVertical_; }
    bool Gradation() const { return gradation_; }

    void setColor(TColor value) { change(color_, value); }
    void setHighlight(TColor value) { change(highlight_, value); }
    void setShadow(TColor value) { change(shadow_, value); }
    void setDarkShadow(TColor value) { change(darkShadow_, value); }
    void setGradColor(TColor value) { change(gradColor_, value); }
    void setGradVertical(bool value) { change(gradVertical_, value); }
    void setGradation(bool value) { change(gradation_, value); }

signals:
    void Changed();

private:
    template <typename T> void change(T &field, T value)
    {
        if (field == value)
            return;
        field = value;
        emit Changed();
    }

    TColor color_;
    TColor highlight_ = clBtnHighlight;
    TColor shadow_ = clBtnShadow;
    TColor darkShadow_ = clWindowFrame;
    TColor gradColor_ = clBlue;
    bool gradVertical_ = false;
    bool gradation_ = false;
};
