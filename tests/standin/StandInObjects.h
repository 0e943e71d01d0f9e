// The automation objects of the stand-in for "WScript.Shell": the shell object, whose
// "Environment" hands out the variables of a scope as a collection with "Item", "Remove",
// "length", "Count" and "_NewEnum", the last an enumerator of "NAME=value" texts.
//
// A test can make single members fail: every member named in the process environment variable
// KELVANE_STANDIN_REFUSE (names separated by ";", any case) answers with an automation error;
// "Next" there makes the enumerators fail after their first element.
#pragma once

#include <windows.h>

namespace kelvane::standin {

// A new shell object, asked for the interface iid.
HRESULT CreateShell(REFIID iid, void** object);

} // namespace kelvane::standin
