// What the settings operations of socle/reglages.h do: app/ writes the
// settings records and keeps the File menu's recent-file entries.
#pragma once

// Installs every settings operation; start-up does it first.
void installer_reglages();
