// The framework's data exchange for the numeric edits of the dialogs: the text
// is read as a number, with blanks (space, tab, CR, LF) allowed around it, and
// a refused text is reported with the framework's validation message.
#pragma once

#include <string>
#include <string_view>

namespace wrimple {

inline constexpr std::string_view kEnterAnInteger = "Enter an integer.";
inline constexpr std::string_view kEnterANumber = "Enter a number.";
// "Enter an integer between LO and HI."
std::string EnterAnIntegerBetween(int lowest, int highest);
// "Enter a number between LO and HI.", the limits with up to 7 digits.
std::string EnterANumberBetween(double lowest, double highest);

// An optional sign and decimal digits within the range of int; false for
// anything else.
bool ReadFieldInteger(std::string_view text, int& value);
// A finite number as the C library reads it; false for anything else.
bool ReadFieldNumber(std::string_view text, double& value);

// Reads an integer edit: empty when the text is an integer in lowest..highest,
// else the message. `value` takes every integer the text holds, in range or
// not, as the framework's exchange keeps it.
std::string ExchangeInteger(std::string_view text, int lowest, int highest, int& value);
// Reads a number edit the same way; `value` takes only a number in range.
std::string ExchangeNumber(std::string_view text, double lowest, double highest, double& value);

}  // namespace wrimple
