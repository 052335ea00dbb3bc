// The notices of the reading cycle on screen: the link-failure notice, the
// one-second information notice and the two notices of a stored reading
// (undefined values, out of limits), raised as the model announces them.
#pragma once

// Subscribes the notices to the reading model. Called once at start-up;
// calling it again changes nothing.
void abonner_avis();
