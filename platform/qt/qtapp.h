// Application-wide Qt set-up. Called by each program's main() right after
// it creates its QApplication.
#pragma once

class QCoreApplication;

namespace platform {

// Loads Qt's Spanish translations (qtbase_es, and qtmultimedia_es when
// installed) so Qt's own buttons read "Aceptar", "Cancelar", "Abrir", ...,
// with the few file-dialog texts that catalogue gets wrong put right.
void installSpanish(QCoreApplication& app);

// Drops Qt Multimedia's warnings about a missing audio server or device
// ("No audio device detected", "PulseAudioService: ...", decoding errors).
// They come through the "default" category, which a logging rule could only
// silence wholesale, so a message handler filters them by text and passes
// every other message on. Safe to call more than once.
void quietMultimediaWarnings();

// Everything both programs set up on their application: the Spanish
// translations, the quiet multimedia warnings, and the label fonts ("Arial",
// "MS Sans Serif" and its scalable twin "Microsoft Sans Serif" all drawn
// with Liberation Sans, which has Arial's metrics; fontconfig would send
// "MS Sans Serif" to a wider face).
void prepareApplication(QCoreApplication& app);

}  // namespace platform
