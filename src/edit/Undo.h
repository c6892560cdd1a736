#pragma once

#include "document/Document.h"
#include "edit/EditOutcome.h"

namespace slicewright {

// Reverses the operation in the undo record and rewrites the record so that
// it describes the reversal: a second Undo redoes, a third undoes again.
// addAtCurrentLength is the state of "Add At Current Length", which gives the
// strength of a point put back. With an empty record nothing changes.
EditOutcome UndoLastOperation(Document& doc, bool addAtCurrentLength);

}  // namespace slicewright
