#include "batch/script.h"

namespace wrimple::batch {

bool Tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error) {
  tokens.clear();
  std::size_t i = 0;
  const std::size_t n = line.size();
  auto is_blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (i < n) {
    while (i < n && is_blank(line[i])) ++i;
    if (i >= n || line[i] == '#') break;
    Token token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < n) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          token.text += c;
          continue;
        }
        if (i >= n) break;
        switch (line[i++]) {
          case '"': token.text += '"'; break;
          case '\\': token.text += '\\'; break;
          case 'n': token.text += '\n'; break;
          case 't': token.text += '\t'; break;
          default: error = "unknown escape in quoted argument"; return false;
        }
      }
      if (!closed) {
        error = "unterminated quoted argument";
        return false;
      }
      if (i < n && !is_blank(line[i]) && line[i] != '#') {
        error = "a quoted argument must be followed by a blank";
        return false;
      }
    } else {
      while (i < n && !is_blank(line[i]) && line[i] != '#') token.text += line[i++];
    }
    tokens.push_back(std::move(token));
  }
  return true;
}

}  // namespace wrimple::batch
