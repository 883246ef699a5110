// Everything before the window: the font configuration read beside the platform's own start,
// Qt's messages held while it opens a display, and the program's identity, texts and font set
// once. Where that time goes is logged for the start-up benchmark, off unless asked for:
//   QT_LOGGING_RULES=levelwise.startup.debug=true levelwise
#pragma once

#include "font_warm_up.h"

#include <QElapsedTimer>

namespace levelwise {

class Startup {
public:
    Startup();  // before the QApplication: starts the clock and the fonts, holds Qt's messages

    // Once the QApplication exists: passes on what Qt said, and sets the identity, the
    // platform's texts and the window's font for the whole program.
    void PrepareApplication();

    void Reached(const char *step) const;  // logs the time since start
    void WindowShown() const;              // and, profiled, when the event loop runs

    Startup(const Startup &) = delete;
    Startup &operator=(const Startup &) = delete;

private:
    QElapsedTimer m_clock;
    FontWarmUp m_fonts;
};

}  // namespace levelwise
