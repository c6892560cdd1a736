#pragma once

#include <QString>

class QAction;
class QWidget;

namespace slicewright {

// A hint is "short|long": the short part is the tooltip, the long part the
// status-bar text. A hint without "|" serves as both.
QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);

void SetHint(QWidget* widget, const QString& hint);
// Menu items show their hint in the status bar only.
void SetHint(QAction* action, const QString& hint);

}  // namespace slicewright
