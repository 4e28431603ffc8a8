// The registration date of a description file as the catalog keeps it:
// the two-digit year gets its century.
#pragma once

#include <string>
#include <string_view>

// "19" before a date whose first byte is "8" or above in the 7-bit range
// (the 1980s and 1990s), "20" before any other: 97/05/12 becomes
// 1997/05/12 and 03/01/15 becomes 2003/01/15.  Leading blanks (single or
// full-width) go; an empty date, or one whose year already has four
// digits, gets no prefix.
std::string DateWithCentury(std::string_view date);
