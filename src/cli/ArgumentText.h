#pragma once
#include <string>

// An argument's bytes as UTF-8: in a UTF-8 or ASCII locale as they are (a
// terminal there sends UTF-8); in any other, converted from the locale's
// character set (codeset, as nl_langinfo(CODESET) names it). Bytes the
// conversion refuses stay as they were.
std::string ArgumentAsUtf8(const std::string& bytes, const std::string& codeset);

// The character set of the environment's locale (LC_ALL, LC_CTYPE, LANG).
std::string LocaleCodeset();
