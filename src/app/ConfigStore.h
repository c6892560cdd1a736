#pragma once

#include <optional>
#include <string>

namespace slicewright {

// The persistent key that holds the configuration as named text values.
class ConfigStore {
 public:
  virtual ~ConfigStore() = default;
  // Opens the key, creating it when missing; false when it cannot be opened
  // for reading and writing.
  virtual bool Open() = 0;
  // The text of a value, or nothing when the value does not exist.
  virtual std::optional<std::string> Read(const std::string& name) = 0;
  // Stores a text value; false when it could not be stored.
  virtual bool Write(const std::string& name, const std::string& text) = 0;
  virtual void Close() = 0;
};

}  // namespace slicewright
