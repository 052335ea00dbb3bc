#pragma once

// Zoom In (+1) or Out (-1) on graph window w: its zoom index and factor, the
// scroll bar's view and maximum, the X labels and the zoom label. False at
// the limits (index 0 or 10), where nothing changes.
bool zoomer_fenetre(int w, int sens);

// Graph window w as a new window shows its time axis: zoom index and factor
// back to 1 with their label, the scroll bar at 0 with a view of 150
// readings, the delta cursors off (their read-outs gone) and cursor 1 on no
// reading. File > New leaves every window so.
void remettre_vue_initiale(int w);
