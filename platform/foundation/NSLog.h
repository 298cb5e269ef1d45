// NSLog: printf-style formatting with %@ for objects, one line to standard
// error.
//
//   NSLog("loaded %@ in %.1f ms", name, elapsed);
#pragma once

#include <cstdarg>

// No printf format attribute: %@ is not a printf conversion.
void NSLog(const char* format, ...);
void NSLogv(const char* format, va_list args);
