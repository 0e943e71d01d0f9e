// UTF-16 to the ANSI code page.
#pragma once

#include "base/Types.h"

namespace kelvane {

// Converts UTF-16LE code units, up to the first zero unit, into a text in the ANSI code page; a
// character the code page lacks becomes its default character "?". On Windows this is the
// system's ANSI code page; elsewhere it is GBK, so both give the same bytes for text that GBK can
// hold. An argument without a zero unit is converted whole, and an odd last byte is ignored.
Text WideToAnsi(const ByteSeq& units);

} // namespace kelvane
