#pragma once

#include <QImage>

namespace slicewright {

constexpr int PointIconSize = 15;

// The three point marks, 15 x 15 logical pixels drawn at the given device
// pixel ratio: the sample icon (dark glyph on white in a black frame), the
// lock icon (red "L" on white in a red frame) and the disabled icon (the
// sample glyph in a red frame).
QImage SampleIcon(qreal devicePixelRatio);
QImage LockIcon(qreal devicePixelRatio);
QImage DisabledIcon(qreal devicePixelRatio);

}  // namespace slicewright
