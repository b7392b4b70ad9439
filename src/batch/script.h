// Script syntax of wrimple-batch: one command a line, blank-separated words,
// double-quoted words with escapes, '#' comments outside quotes.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace wrimple {
struct ScriptCommand;
}

namespace wrimple::batch {

struct Token {
  std::string text;
  bool quoted = false;  // a quoted word is always a positional argument
};

// Splits one line into words; false with a reason for an unterminated quote or
// an unknown escape.
bool Tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error);

// A command line after its words are sorted by the command's own option and
// flag names.
struct ScriptLine {
  const ScriptCommand* command = nullptr;  // the catalogue's row of the word
  int number = 0;
  std::string word;
  std::vector<std::string> args;               // positional, in order
  std::map<std::string, std::string> options;  // key=value
  std::set<std::string> flags;                 // bare flag words

  bool Has(const std::string& option) const { return options.count(option) != 0; }
  const std::string& Option(const std::string& option) const { return options.at(option); }
  bool Flag(const std::string& flag) const { return flags.count(flag) != 0; }
};

}  // namespace wrimple::batch
