#pragma once

// The main window's fixed sizes, in pixels.
namespace slicewright::layout {

constexpr int kFileToolbarHeight = 37;
constexpr int kBevelHeight = 3;
constexpr int kToolPanelWidth = 53;
constexpr int kTransportHeight = 45;
constexpr int kStripHeight = 12;
constexpr int kScrollBarHeight = 12;
constexpr int kLocatorWidth = 17;
constexpr int kLocatorHeight = 21;
constexpr int kFormatPanelWidth = 150;
constexpr int kZoomPanelWidth = 20;
// The layout counts in outer window widths, which include a 4-pixel frame
// on each side; Qt gives the client width.
constexpr int kWindowFrameWidth = 8;

}  // namespace slicewright::layout
