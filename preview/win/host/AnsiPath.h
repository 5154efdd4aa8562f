// Paths handed to libraries that take only narrow names (the drawing library, the text
// converters, the cabinet library's file callbacks).
#pragma once

#include <windows.h>

#include <string>

// The path in the ANSI code page; empty when it has characters the code page lacks or does not fit
// a buffer of MAX_PATH bytes.
std::string AnsiPath(LPCWSTR path);
