#pragma once

#include <cstdint>
#include <span>

#include "document/Document.h"
#include "edit/EditOutcome.h"

namespace slicewright {

// The three pastes of a clipboard block holding a RIFF WAVE image. The bytes
// are taken as audio in the document's own format, in whole samples. A block
// without audio leaves the document as it is (only the undo kind is set).

// Replaces the whole audio and keeps the slice points that still lie inside it.
EditOutcome PasteAllAndKeep(Document& doc, std::span<const uint8_t> block);
// Replaces the whole audio; slice points are found afresh.
EditOutcome PasteAllAndFindNew(Document& doc, std::span<const uint8_t> block);
// Overwrites [start, start + length) without changing the document's length:
// a shorter clip leaves silence after it, a longer one is cut.
EditOutcome PasteIntoSegment(Document& doc, std::span<const uint8_t> block, int32_t start, int32_t length);

}  // namespace slicewright
