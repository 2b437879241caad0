// Process-wide hint (tooltip) options: shown after 1500 ms, hidden after
// 5000 ms, drawn on pale lavender, at most 200 pixels wide.
#pragma once

inline constexpr int HintPause = 1500;
inline constexpr int HintHidePause = 5000;
inline constexpr int HintMaxWidth = 200;

#include <QString>

// The rich text that shows `plain` exactly as written, line breaks and tags included.
QString PlainHintMarkup(const QString &plain);

// Safe to call more than once; needs the QApplication.
void InstallHintOptions();
