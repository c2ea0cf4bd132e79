#pragma once
// The program's own icon, on the frame and on every window it opens.

namespace trawlex::ui {

// Sets the application icon from the icon built into the program; every window without an
// icon of its own shows it.
void InstallAppIcon();

}  // namespace trawlex::ui
