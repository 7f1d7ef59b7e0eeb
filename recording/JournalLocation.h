#pragma once

#include <QString>

// Where the journal of the current run lives: "recording.journal" in the program's data
// folder under $XDG_DATA_HOME (by default ~/.local/share/<program name>/).
QString defaultJournalPath();
