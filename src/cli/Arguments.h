#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace slicewright::cli {

struct OptionSpec {
  std::string name;  // with the leading dashes
  bool takesValue;
};

struct ParsedArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;

  bool Has(const std::string& name) const { return values.count(name) != 0 || flags.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

// Thrown for anything the user typed wrong; the tool prints it with the usage
// text and exits with status 2.
struct UsageError {
  std::string message;
};

// Parses "--name value", "--name=value" and bare flags; "--" ends the options.
// An option given twice, an unknown option or a missing value is a usage error.
ParsedArguments ParseArguments(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs);

// Strict whole-number parsing of an option value within [low, high].
int32_t IntegerValue(const ParsedArguments& parsed, const std::string& name, int32_t low, int32_t high);
double RealValue(const ParsedArguments& parsed, const std::string& name);

}  // namespace slicewright::cli
