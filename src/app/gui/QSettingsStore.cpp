#include "app/gui/QSettingsStore.h"

#include <QStringList>

namespace slicewright {

bool QSettingsStore::Open() {
  settings_ =
      std::make_unique<QSettings>(QStringLiteral("Kestrel Forge Software"), QStringLiteral("Slicewright"));
  settings_->beginGroup(QStringLiteral("1/Config"));
  if (Healthy()) return true;
  settings_.reset();
  return false;
}

std::optional<std::string> QSettingsStore::Read(const std::string& name) {
  const QString key = QString::fromStdString(name);
  if (!settings_ || !settings_->contains(key)) return std::nullopt;
  const QVariant value = settings_->value(key);
  // An unquoted text with commas, as a hand-edited file may hold, reads as a list.
  if (value.userType() == QMetaType::QStringList)
    return value.toStringList().join(QStringLiteral(", ")).toStdString();
  return value.toString().toStdString();
}

bool QSettingsStore::Write(const std::string& name, const std::string& text) {
  if (!settings_) return false;
  settings_->setValue(QString::fromStdString(name), QString::fromStdString(text));
  settings_->sync();
  return Healthy();
}

void QSettingsStore::Close() {
  if (settings_) settings_->sync();
  settings_.reset();
}

bool QSettingsStore::Healthy() const {
  return settings_->status() == QSettings::NoError && settings_->isWritable();
}

}  // namespace slicewright
