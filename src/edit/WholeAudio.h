#pragma once

#include <cstdint>
#include <vector>

#include "document/Document.h"
#include "edit/EditOutcome.h"

namespace slicewright {

// Puts new audio of any length in place of the whole sample data: points past
// the new end are dropped, R moves to the end (L to the start when it would lie
// past it), the view shows everything at zoom 1 and the play buffer must be
// filled again. The format fields are kept.
void ReplaceWholeAudio(Document& doc, std::vector<uint8_t> bytes);

// What the window does after the whole audio was replaced: stop playback,
// forget any drag, refresh, derive the locator segments again.
EditOutcome WholeAudioReplaced(LocatorButtons buttons);

}  // namespace slicewright
