// Finds the JDK from the all-users Start-menu shortcut of "Java Mission Control".
#pragma once

namespace kelvane {

class CommandWindow;

// Fills the path box with the target of the first shortcut in the all-users Start-menu folder
// "Java Development Kit" whose name contains "Java Mission Control", cut before its first "\bin";
// with the empty text when anything on the way is missing.
void DetectJavaHome(CommandWindow& window);

} // namespace kelvane
