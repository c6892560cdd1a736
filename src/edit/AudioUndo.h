#pragma once

#include <cstdint>

#include "document/Document.h"
#include "edit/EditOutcome.h"

namespace slicewright {

// Replaces the undo record with the given kind and a copy of the bytes
// [start, start + length) of the sample data.
void SaveUndoBytes(Document& doc, UndoKind kind, int32_t start, int32_t length);

// Replaces the undo record with the whole audio and what belongs to it: the
// point table and the locator positions. The audio is moved out: the caller
// gives the document its new audio next.
void SaveWholeAudioUndo(Document& doc, UndoKind kind);
// The same keeping the record's kind, taking the audio given (the current
// audio, moved out of the document that is about to receive other audio).
void RecordWholeAudio(Document& doc, std::vector<uint8_t> audio);

// Sets the kind of an audio operation that found nothing to do. The saved
// bytes of the previous record are dropped with it: they belong to another
// kind and another place, and undoing them under this kind would write them
// over the wrong audio.
void SetUndoKindWithoutBytes(Document& doc, UndoKind kind);

// When the changed bytes [start, start + length) overlap the stretch held in
// PlayBuffer, copies that stretch from the sample data into PlayBuffer again,
// so a running block plays the change. Never reads past the data or writes
// past the buffer. Returns whether PlayBuffer was rewritten.
bool RefreshPlayBuffer(Document& doc, int32_t start, int32_t length);

// The end of every edit that changed [start, start + length) in place: the
// summary and the play buffer follow, the view is redrawn, Undo is offered.
EditOutcome SamplesChangedInPlace(Document& doc, int32_t start, int32_t length);

}  // namespace slicewright
