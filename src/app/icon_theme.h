// The icons the program's buttons show: the desktop's icon theme, else
// Adwaita, which is installed with the program.
#pragma once

// Makes the theme usable; safe to call more than once.
void InstallIconTheme();
