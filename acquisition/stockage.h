// Storing the latest readings into the channels, with the range and
// undefined-value checks and the two notices they raise.
#pragma once

// Stores the latest values of the selected quantities into their channels at
// Acq.nb_points, with the range and undefined checks; raises the notices.
void TraceCourbeMode();
void DonneeY();
void DonneeYm();

// Tells the listeners of a notice to raise (PNL_INDEFINI: undefined values,
// PNL_OVERLOAD: out of limits); any other kind says nothing.
void lever_avis(int kind);
