#pragma once

// Texts the playback code reports; the window shows them as they stand.
namespace slicewright::messages {

inline constexpr const char* kNoSoundcard = "Error! - No Soundcard Found - check Control Panel";

}  // namespace slicewright::messages
