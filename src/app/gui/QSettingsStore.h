#pragma once

#include <QSettings>
#include <memory>

#include "app/ConfigStore.h"

namespace slicewright {

// The configuration key as a QSettings group: organization "Kestrel Forge
// Software", application "Slicewright", group "1/Config".
class QSettingsStore : public ConfigStore {
 public:
  bool Open() override;
  std::optional<std::string> Read(const std::string& name) override;
  bool Write(const std::string& name, const std::string& text) override;
  void Close() override;

 private:
  bool Healthy() const;
  std::unique_ptr<QSettings> settings_;
};

}  // namespace slicewright
