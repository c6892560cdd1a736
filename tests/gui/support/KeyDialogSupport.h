#pragma once

#include <QTest>

#include "document/Document.h"
#include "export/gui/UpDown.h"

namespace slicewright::test {

// A document whose looped region holds `slices` slices of 1000 bytes.
inline Document RegionOf(int32_t slices) {
  Document doc;
  doc.DataLength = slices * 1000;
  doc.SampleStream.assign(static_cast<size_t>(doc.DataLength), 0);
  ResetPointTables(doc);
  doc.ActivePointCount = slices - 1;
  for (int32_t i = 0; i <= slices; ++i) doc.ActivePoints[static_cast<size_t>(i)].Position = i * 1000;
  doc.LeftLocatorPos = 0;
  doc.RightLocatorPos = doc.DataLength;
  return doc;
}

inline void Click(UpDown* upDown, bool up, int times = 1) {
  for (int i = 0; i < times; ++i)
    QTest::mouseClick(up ? upDown->UpButton : upDown->DownButton, Qt::LeftButton);
}

}  // namespace slicewright::test
