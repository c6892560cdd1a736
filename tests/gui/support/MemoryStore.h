#pragma once

#include <map>

#include "app/ConfigStore.h"

namespace slicewright::test {

// A configuration key in memory, for windows whose settings do not matter.
class MemoryStore : public ConfigStore {
 public:
  std::map<std::string, std::string> values;
  bool Open() override { return true; }
  std::optional<std::string> Read(const std::string& name) override {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool Write(const std::string& name, const std::string& text) override {
    values[name] = text;
    return true;
  }
  void Close() override {}
};

}  // namespace slicewright::test
