// The panel's controls as Windows sees them: toggles and digit fields are
// child windows reached with their messages.
#pragma once

// Installs the Windows controls for the panel logic.
void InstallWin32PanelControls();
