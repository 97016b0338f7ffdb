// Runs the message boxes and file dialogs (qtmessages.cpp, qtfiledialog.cpp):
// modal to the whole program, so no other window of it, the editor's
// "Nuevo Mapa" included, takes input while one is open.
#pragma once

class QDialog;

namespace platform {

// Shows the dialog modal to the application until it closes, then gives
// the keyboard back to the window that had it: with no window manager
// nobody else would, and the game's keys count only in its active window.
// Returns the dialog's result.
int execModal(QDialog& dialog);

}  // namespace platform
