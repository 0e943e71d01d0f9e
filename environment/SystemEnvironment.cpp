#include "environment/SystemEnvironment.h"

#include <objbase.h>

namespace kelvane {

SystemEnvironment::~SystemEnvironment() { CoUninitialize(); }

} // namespace kelvane
