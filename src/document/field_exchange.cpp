#include "document/field_exchange.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace wrimple {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string FormatLimit(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*g", 7, v);
  return buffer;
}

}  // namespace

std::string EnterAnIntegerBetween(int lowest, int highest) {
  return "Enter an integer between " + std::to_string(lowest) + " and " + std::to_string(highest) + ".";
}

std::string EnterANumberBetween(double lowest, double highest) {
  return "Enter a number between " + FormatLimit(lowest) + " and " + FormatLimit(highest) + ".";
}

bool ReadFieldInteger(std::string_view text, int& value) {
  std::string_view s = TrimBlanks(text);
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (s.empty() || s.front() < '0' || s.front() > '9') return false;
  }
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size();
}

bool ReadFieldNumber(std::string_view text, double& value) {
  const std::string s(TrimBlanks(text));
  // strtod would skip the other white space at the front.
  if (s.empty() || std::isspace(static_cast<unsigned char>(s.front()))) return false;
  char* end = nullptr;
  value = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size() && std::isfinite(value);
}

std::string ExchangeInteger(std::string_view text, int lowest, int highest, int& value) {
  int parsed = 0;
  if (!ReadFieldInteger(text, parsed)) return std::string(kEnterAnInteger);
  value = parsed;
  return parsed < lowest || parsed > highest ? EnterAnIntegerBetween(lowest, highest) : std::string();
}

std::string ExchangeNumber(std::string_view text, double lowest, double highest, double& value) {
  double parsed = 0;
  if (!ReadFieldNumber(text, parsed)) return std::string(kEnterANumber);
  if (!(parsed >= lowest && parsed <= highest)) return EnterANumberBetween(lowest, highest);
  value = parsed;
  return {};
}

}  // namespace wrimple
