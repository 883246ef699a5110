// Qt's own texts in the window (a field's context menu, a box's standard buttons) in the
// user's language, as everything else of Levelwise is.
#pragma once

namespace levelwise {

// Loads Qt's translation for the system locale into the application, if the system has one.
void LoadPlatformTexts();

}  // namespace levelwise
