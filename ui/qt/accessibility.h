// What screen readers are told of the window beyond Qt's defaults.
#pragma once

namespace levelwise {

// Form1 is announced as the application's frame, and a combo box given a name is called by
// that name (Qt on Linux otherwise names an editable combo box by its current text).
void InstallAccessibility();

}  // namespace levelwise
