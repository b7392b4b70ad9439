#include "batch/script.h"

namespace wrimple::batch {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads a quoted part that starts at line[i] == '"' into text; i ends after it.
bool ReadQuoted(const std::string& line, std::size_t& i, std::string& text, std::string& error) {
  const std::size_t n = line.size();
  ++i;
  while (i < n) {
    const char c = line[i++];
    if (c == '"') {
      if (i < n && !IsBlank(line[i]) && line[i] != '#') {
        error = "a quoted argument must be followed by a blank";
        return false;
      }
      return true;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (i >= n) break;
    switch (line[i++]) {
      case '"': text += '"'; break;
      case '\\': text += '\\'; break;
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      default: error = "unknown escape in quoted argument"; return false;
    }
  }
  error = "unterminated quoted argument";
  return false;
}

}  // namespace

bool Tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error) {
  tokens.clear();
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (i < n) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i >= n || line[i] == '#') break;
    Token token;
    if (line[i] == '"') {
      token.quoted = true;
      if (!ReadQuoted(line, i, token.text, error)) return false;
    } else {
      while (i < n && !IsBlank(line[i]) && line[i] != '#') {
        token.text += line[i++];
        // key="value with blanks": the value is quoted, the word stays an option.
        const bool value_starts = token.text.back() == '=' && token.text.find('=') == token.text.size() - 1;
        if (value_starts && token.text.size() > 1 && i < n && line[i] == '"') {
          if (!ReadQuoted(line, i, token.text, error)) return false;
          break;
        }
      }
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

}  // namespace wrimple::batch
