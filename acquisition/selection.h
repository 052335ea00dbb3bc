// The choice of the quantities to acquire, without the dialog: at most two of
// the twelve quantity codes, assigned to channels 1 and 2 in code order.
#pragma once

// 1 while the box of quantity code c is ticked (entry 0 unused).
extern unsigned char grandeur_mesure[13];
// Quantity code carried by channel 1 and 2; the dialog's boxes are
// identified by their code, so this also names the box to tick again.
extern unsigned char table_control[3];
// Set by the dialog code to untick all twelve boxes; may be null.
extern void (*decocher_cases)();

// Assigns the ticked quantities to channels in code order: sets each one's
// selected flag and channel index, table_control, and the channel's label
// and code. Sets compteur_grandeur and returns it (0..2).
int test_grandeur_mesure();

// Clears the whole selection: ticks, selected flags, count, and the boxes
// through decocher_cases.
void Annuler_choix_grandeur();

// A commit on the box of quantity `code` whose new state is `etat` (1 ticked).
// Updates the tick, the selected flag and the count; a third tick is refused.
// Returns the state the box must show.
int selectionner_case(int code, int etat);

// False when the quantity of the last channel does not suit the instrument's
// mode: an instantaneous (odd) code in averaged mode 2, or an average (even)
// code in instantaneous mode 1. A code outside 1..12 (no channel) is not
// compared and fits.
bool selection_convient(int code_derniere_voie, int mode);
