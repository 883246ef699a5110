// The program's identity: its name, version and icon, as the desktop sees them.
#pragma once

namespace levelwise {

// Names the running application "Levelwise", version 1.00, with the application icon.
// Call once, after the QApplication exists.
void ApplyApplicationIdentity();

}  // namespace levelwise
