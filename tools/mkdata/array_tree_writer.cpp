#include "tools/mkdata/array_tree_writer.h"

#include <cctype>
#include <cstdlib>
#include <limits>

#include "tools/data/resource_ids.h"
#include "tools/mkdata/data_set.h"
#include "tools/mkdata/table_rules.h"

namespace sorv::mkdata {

namespace {

constexpr int32_t kMaxRowLength = 127;  // a node's length byte is signed
constexpr int32_t kMaxIndex = 255;      // one path byte per level
constexpr int32_t kRowOffsetLimit = 32768;
const char* const kKindNames[] = {"byte", "short", "int"};

struct Token {
  std::string text;
  int line;
};

std::vector<Token> tokenize(const std::string& source) {
  std::vector<Token> tokens;
  int line = 1;
  for (size_t i = 0; i < source.size();) {
    const char c = source[i];
    if (c == '\n') {
      line++;
      i++;
    } else if (c == '#') {
      while (i < source.size() && source[i] != '\n') i++;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      i++;
    } else if (c == '{' || c == '}') {
      tokens.push_back({std::string(1, c), line});
      i++;
    } else {
      size_t end = i;
      while (end < source.size() && !std::isspace(static_cast<unsigned char>(source[end])) &&
             source[end] != '{' && source[end] != '}' && source[end] != '#') {
        end++;
      }
      tokens.push_back({source.substr(i, end - i), line});
      i = end;
    }
  }
  return tokens;
}

class SourceReader {
 public:
  explicit SourceReader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  bool atEnd() const { return next_ >= tokens_.size(); }
  int line() const { return atEnd() ? (tokens_.empty() ? 1 : tokens_.back().line) : tokens_[next_].line; }

  bool word(std::string* out, std::string* error, const char* what) {
    if (atEnd() || tokens_[next_].text == "{" || tokens_[next_].text == "}") {
      return fail(error, line(), std::string("expected ") + what);
    }
    *out = tokens_[next_++].text;
    return true;
  }

  // One brace level; `depth` levels are left below it (1: a row of values).
  bool level(int depth, ArrayLevel* out, std::string* error) {
    out->line = line();
    if (atEnd() || tokens_[next_].text != "{") return fail(error, line(), "expected '{'");
    next_++;
    while (!atEnd() && tokens_[next_].text != "}") {
      const Token& t = tokens_[next_];
      if (depth > 1) {
        if (t.text != "{") return fail(error, t.line, "expected '{' of a row, found '" + t.text + "'");
        out->rows.emplace_back();
        if (!level(depth - 1, &out->rows.back(), error)) return false;
        continue;
      }
      if (t.text == "{") return fail(error, t.line, "a row nested deeper than the table's dimensions");
      char* end = nullptr;
      const long long v = std::strtoll(t.text.c_str(), &end, 10);
      if (t.text.empty() || *end != '\0') return fail(error, t.line, "'" + t.text + "' is not a number");
      out->values.push_back(v);
      next_++;
    }
    if (atEnd()) return fail(error, out->line, "'{' without its '}'");
    next_++;
    return true;
  }

  static bool fail(std::string* error, int line, const std::string& reason) {
    *error = "arrays.txt:" + std::to_string(line) + ": " + reason;
    return false;
  }

 private:
  std::vector<Token> tokens_;
  size_t next_ = 0;
};

// The shape word: a length per level joined by 'x', '*' where rows differ; 0 for '*'.
bool parseShape(const std::string& text, std::vector<int32_t>* lengths) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('x', start);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(start, end - start);
    if (part == "*") {
      lengths->push_back(0);
    } else {
      char* stop = nullptr;
      const long n = std::strtol(part.c_str(), &stop, 10);
      if (part.empty() || *stop != '\0' || n < 1) return false;
      lengths->push_back(static_cast<int32_t>(n));
    }
    start = end + 1;
  }
  return true;
}

bool fits(int64_t v, int32_t widthOrKind) {
  switch (widthOrKind) {
    case 0: return v >= std::numeric_limits<int8_t>::min() && v <= std::numeric_limits<int8_t>::max();
    case 1: return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
    default: return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
  }
}

// Checks one level against the shape and the kinds, then appends its rows: nodes into the
// descriptor from *node, values into the data.
class TableWriter {
 public:
  TableWriter(const ArrayTable& table, const std::vector<int32_t>& shape, ArrayTreeEntries* out)
      : table_(table), shape_(shape), out_(out) {}

  bool write(const ArrayLevel& level, int depth, uint32_t path, int32_t* node, std::string* error) {
    const int32_t wanted = shape_[static_cast<size_t>(table_.dims - depth)];
    if (depth == 1) return writeRow(level, path, wanted, node, error);
    const auto count = static_cast<int32_t>(level.rows.size());
    if ((wanted > 0 && count != wanted) || count == 0) {
      return SourceReader::fail(error, level.line,
                                table_.name + std::string(": ") + std::to_string(count) +
                                    " rows where the shape has " + (wanted > 0 ? std::to_string(wanted) : "some"));
    }
    if (count - 1 > kMaxIndex) return SourceReader::fail(error, level.line, std::string(table_.name) + ": more than 256 rows");
    for (int32_t i = 0; i < count; i++) {
      const uint32_t childPath = path | static_cast<uint32_t>(i) << (8 * (depth - 2));
      if (!write(level.rows[static_cast<size_t>(i)], depth - 1, childPath, node, error)) return false;
    }
    return true;
  }

 private:
  bool writeRow(const ArrayLevel& row, uint32_t path, int32_t wanted, int32_t* node, std::string* error) {
    const auto n = static_cast<int32_t>(row.values.size());
    const std::string name = table_.name;
    if (wanted > 0 && n != wanted) {
      return SourceReader::fail(error, row.line, name + ": " + std::to_string(n) + " values where the shape has " +
                                                     std::to_string(wanted));
    }
    if (n > kMaxRowLength) return SourceReader::fail(error, row.line, name + ": a row of more than 127 values");
    for (int64_t v : row.values) {
      if (!fits(v, table_.kind)) {
        return SourceReader::fail(error, row.line, name + ": " + std::to_string(v) + " does not fit a " + kKindNames[table_.kind]);
      }
      if (!fits(v, table_.width)) {
        return SourceReader::fail(error, row.line, name + ": " + std::to_string(v) + " does not fit the stored width " +
                                                       std::to_string(table_.width));
      }
    }
    const int32_t next = (&table_ - kArrayTables) + 1 < kArrayTableCount
                             ? (&table_)[1].position - kArrayHeaderSize
                             : kArrayTreeDescriptorSize;
    if (*node + kArrayNodeSize > next) {
      return SourceReader::fail(error, row.line, name + ": more rows than fit before the next table at " +
                                                     std::to_string(next + kArrayHeaderSize));
    }
    const auto offset = static_cast<int32_t>(out_->data.size());
    if (offset >= kRowOffsetLimit) {
      return SourceReader::fail(error, row.line, name + ": a row starting at value byte 32768 or later");
    }
    uint8_t* d = out_->descriptor.data() + *node;
    d[0] = static_cast<uint8_t>(kArrayTreeByteBase + table_.id);
    for (int b = 0; b < 4; b++) d[1 + b] = static_cast<uint8_t>(path >> (8 * b));
    d[5] = static_cast<uint8_t>(n);
    d[6] = static_cast<uint8_t>(offset);
    d[7] = static_cast<uint8_t>(offset >> 8);
    *node += kArrayNodeSize;
    for (int64_t v : row.values) {
      for (int b = 0; b < (1 << table_.width); b++) out_->data.push_back(static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * b)));
    }
    return true;
  }

  const ArrayTable& table_;
  const std::vector<int32_t>& shape_;
  ArrayTreeEntries* out_;
};

}  // namespace

bool readArraySource(const std::string& source, std::vector<ArraySourceTable>* tables,
                     std::string* error) {
  tables->clear();
  SourceReader reader(tokenize(source));
  for (const ArrayTable& table : kArrayTables) {
    ArraySourceTable read;
    read.line = reader.line();
    std::string name, kind, shapeText;
    if (reader.atEnd()) return SourceReader::fail(error, read.line, std::string("table ") + table.name + " is missing");
    if (!reader.word(&name, error, "a table name")) return false;
    if (name != table.name) {
      return SourceReader::fail(error, read.line, "found table " + name + " where the list has " + table.name);
    }
    if (!reader.word(&kind, error, "an element kind") || !reader.word(&shapeText, error, "a shape")) return false;
    if (kind != kKindNames[table.kind]) {
      return SourceReader::fail(error, read.line, name + ": kind " + kind + " where the list has " + kKindNames[table.kind]);
    }
    if (!parseShape(shapeText, &read.shape)) {
      return SourceReader::fail(error, read.line, name + ": bad shape '" + shapeText + "'");
    }
    if (static_cast<int32_t>(read.shape.size()) != table.dims) {
      return SourceReader::fail(error, read.line, name + ": " + std::to_string(read.shape.size()) +
                                                      " dimensions where the list has " + std::to_string(table.dims));
    }
    if (!reader.level(table.dims, &read.values, error)) return false;
    tables->push_back(std::move(read));
  }
  if (!reader.atEnd()) return SourceReader::fail(error, reader.line(), "a table after the last one of the list");
  return true;
}

bool buildArrayTree(const std::string& source, ArrayTreeEntries* out, std::string* error) {
  std::vector<ArraySourceTable> tables;
  if (!readArraySource(source, &tables, error)) return false;
  out->data.clear();
  out->descriptor.assign(static_cast<size_t>(kArrayTreeDescriptorSize), 0);
  for (const ArrayTable& table : kArrayTables) {
    const ArraySourceTable& read = tables[static_cast<size_t>(table.id)];
    out->descriptor[static_cast<size_t>(table.position - kArrayHeaderSize)] = static_cast<uint8_t>(table.width);
    int32_t node = table.position;
    TableWriter writer(table, read.shape, out);
    if (!writer.write(read.values, table.dims, 0, &node, error)) return false;
  }
  // The values' meaning once their layout holds.
  return checkTableRules(tables, error);
}

bool arrayTreeEntries(const std::string& dataDir, ArrayTreeEntries* out, std::string* error) {
  std::string source;
  return readSourceFile(dataDir + "/arrays.txt", &source, error) && buildArrayTree(source, out, error);
}

}  // namespace sorv::mkdata
