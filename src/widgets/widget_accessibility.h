// Makes the program's own widgets readable and pressable by assistive
// technology (screen readers, the AT-SPI bus).
#pragma once

// Installs the accessibility factory for TShineSpeedButton and TURLLabel; further calls do nothing.
void InstallWidgetAccessibility();
