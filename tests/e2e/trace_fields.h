// The match trace's lines as fields: "point set=0 game=1 ..." gives kind "point" and each
// key=value pair.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace sorv::test {

using Fields = std::map<std::string, std::string>;

inline Fields fieldsOf(const std::string& line) {
  Fields f;
  std::istringstream in(line);
  std::string word;
  in >> word;
  f["kind"] = word;
  while (in >> word) {
    const size_t eq = word.find('=');
    if (eq != std::string::npos) f[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return f;
}

// A field as a number; -999 when the line has no such field.
inline int number(const Fields& f, const std::string& key) {
  const auto it = f.find(key);
  return it == f.end() ? -999 : std::stoi(it->second);
}

// The trace's lines of one kind, in order.
inline std::vector<Fields> linesOf(const std::string& trace, const std::string& kind) {
  std::vector<Fields> out;
  std::istringstream in(trace);
  for (std::string line; std::getline(in, line);) {
    Fields f = fieldsOf(line);
    if (f["kind"] == kind) out.push_back(f);
  }
  return out;
}

}  // namespace sorv::test
