#pragma once

// Dims (1) or enables (0) the seven menus of the main menu bar.
void Ctrl_menu(int dimmed);
