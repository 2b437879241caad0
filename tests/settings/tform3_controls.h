// The settings dialog's controls, found by their object names as a user's
// tools find them.
#pragma once

#include "tform3.h"

#include <QCheckBox>
#include <gtest/gtest.h>

// A control of `dialog`; asking builds the controls, as the first showing would.
template <typename T = QWidget> T *Control(TForm3 &dialog, const char *name)
{
    dialog.buildControls();
    T *control = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

inline QCheckBox *Box(TForm3 &dialog, const char *name)
{
    return Control<QCheckBox>(dialog, name);
}
