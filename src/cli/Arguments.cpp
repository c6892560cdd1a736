#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace slicewright::cli {

std::optional<std::string> ParsedArguments::Value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

ParsedArguments ParseArguments(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs) {
  ParsedArguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      // Everything after it is a file, even a name that starts with dashes.
      parsed.positional.insert(parsed.positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); eq != std::string::npos) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    const auto known =
        std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == name; });
    if (known == specs.end()) throw UsageError{"unknown option " + name};
    if (parsed.Has(name)) throw UsageError{"option " + name + " given twice"};
    if (!known->takesValue) {
      if (inlineValue) throw UsageError{"option " + name + " takes no value"};
      parsed.flags.insert(name);
      continue;
    }
    if (inlineValue) {
      parsed.values[name] = *inlineValue;
    } else if (i + 1 < args.size()) {
      parsed.values[name] = args[++i];
    } else {
      throw UsageError{"option " + name + " needs a value"};
    }
  }
  return parsed;
}

int32_t IntegerValue(const ParsedArguments& parsed, const std::string& name, int32_t low, int32_t high) {
  const std::string text = parsed.Value(name).value_or("");
  int64_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc{} || ptr != last || value < low || value > high) {
    throw UsageError{name + " takes a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high)};
  }
  return static_cast<int32_t>(value);
}

double RealValue(const ParsedArguments& parsed, const std::string& name) {
  const std::string text = parsed.Value(name).value_or("");
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || ptr != text.data() + text.size() || !std::isfinite(value)) {
    throw UsageError{name + " takes a number"};
  }
  return value;
}

}  // namespace slicewright::cli
