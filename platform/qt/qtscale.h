// The whole-number display scale (platform/scale.h) on Qt: Qt is left to
// draw everything at the screen's device pixel ratio, and that ratio is made
// whole, so the art and the text are drawn at k times their size, crisp,
// and mouse positions reach the rules in layout pixels.
#pragma once

class QWidget;

namespace platform {

// Gives every screen, now and later plugged in, the whole k for `window`
// (not yet shown), then shows it. A window dragged to another screen is
// drawn at that screen's k.
void showCrisp(QWidget& window);

}  // namespace platform
