#pragma once

// Zoom In (+1) or Out (-1) on graph window w: its zoom index and factor, the
// scroll bar's view and maximum, the X labels and the zoom label. False at
// the limits (index 0 or 10), where nothing changes.
bool zoomer_fenetre(int w, int sens);
