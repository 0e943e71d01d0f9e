// The Configure command, bound to 按钮_配置.
#pragma once

#include "app/CommandWindow.h"

namespace kelvane {

// Writes the system variables CLASSPATH, JAVA_HOME (the path box's text, unchanged) and Path (the
// old one without its java entries, behind the two %JAVA_HOME% entries), tells running programs
// that the environment changed, and shows the outcome in a message box owned by the window:
// "配置完成!", or "配置失败!" with the names of the variables that could not be written. The
// Configure button stays disabled until just before the box.
void ConfigureJava(CommandWindow& window);

} // namespace kelvane
