#include "app/gui/ClipboardQt.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>

namespace slicewright {
namespace {

const QString kWaveType = QStringLiteral("audio/wav");
const QStringList kReadableTypes{kWaveType, QStringLiteral("audio/x-wav")};

// The first wave type the clipboard offers, or an empty text.
QString OfferedWaveType() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return {};
  for (const QString& type : kReadableTypes) {
    if (data->hasFormat(type)) return type;
  }
  return {};
}

}  // namespace

QtClipboard::QtClipboard() {
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { NotifyChanged(); });
}

bool QtClipboard::HasWave() const { return !OfferedWaveType().isEmpty(); }

std::vector<uint8_t> QtClipboard::Wave() const {
  const QString type = OfferedWaveType();
  if (type.isEmpty()) return {};
  const QByteArray bytes = QGuiApplication::clipboard()->mimeData()->data(type);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void QtClipboard::SetWave(const std::vector<uint8_t>& image) {
  auto* data = new QMimeData;
  data->setData(kWaveType, QByteArray(reinterpret_cast<const char*>(image.data()),
                                      static_cast<qsizetype>(image.size())));
  // The clipboard owns the data from here on.
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace slicewright
