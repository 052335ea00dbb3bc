// Storing the latest readings into the channels, with the range and
// undefined-value checks and the two notices they raise.
#pragma once

// Stores the latest values of the selected quantities into their channels at
// Acq.nb_points, with the range and undefined checks; raises the notices.
void TraceCourbeMode();
void DonneeY();
void DonneeYm();

// Raises a notice panel (PNL_INDEFINI or PNL_OVERLOAD) with the warning
// title and its message, not modal.
void lever_avis(int kind);
