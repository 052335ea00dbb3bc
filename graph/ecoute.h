// The graph windows and the readings list listen to the reading model.
#pragma once

// Subscribes the channel windows (curve, Y scale, automatic zoom-out, limit
// lines and beeps) and then the Data window's readings list. Called once at
// start-up; calling it again changes nothing.
void abonner_graphes();
