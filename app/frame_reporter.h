// The frame's reporter for the link and the configuration model: their
// texts appear as message boxes owned by the main window (those of a
// progress dialog's worker are shown by the dialog, over it), and a whole
// transfer without a progress display shows the wait cursor.
#pragma once

// Installs the reporter (once the main window exists) and removes it again.
void install_frame_reporter();
void remove_frame_reporter();
