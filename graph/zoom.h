#pragma once

// Zoom In (+1) or Out (-1) on graph window w: its zoom index and factor, the
// scroll bar's view and maximum, the X labels.
void zoomer_fenetre(int w, int sens);
