#pragma once

#include <string_view>

namespace slicewright::undo_kind {

// The texts stored in UndoRecord::UndoKind; compared exactly.
inline constexpr std::string_view Add = "add";
inline constexpr std::string_view Kill = "kill";  // only Undo of "add" writes it
inline constexpr std::string_view Edit = "edit";
inline constexpr std::string_view Enable = "enble";
inline constexpr std::string_view Disable = "disbe";
inline constexpr std::string_view Unlock = "unlck";
inline constexpr std::string_view Lock = "lcked";
inline constexpr std::string_view Reverse = "Rev";
inline constexpr std::string_view Silence = "Sil";
inline constexpr std::string_view PasteSegment = "PSeg";
inline constexpr std::string_view PasteKeep = "PKeep";
inline constexpr std::string_view PasteNew = "PNew";  // also written by Crop

// Kinds that saved the whole audio rather than a stretch of it.
inline bool IsWholeAudioKind(std::string_view kind) { return kind == PasteKeep || kind == PasteNew; }

}  // namespace slicewright::undo_kind
