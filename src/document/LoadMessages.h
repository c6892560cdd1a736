#pragma once

// Texts the loader reports; the window shows them as they stand.
namespace slicewright::messages {

inline constexpr const char* kFileNotFound = "File Not Found - file may have been moved or deleted";
inline constexpr const char* kWaveCorrupted = "Wave File Corrupted!\r\n";
inline constexpr const char* kIncorrectFormat =
    "Wave File is incorrect format;\r\nMust be 16bit Windows Wave Format";
inline constexpr const char* kIncorrectFormatReopen = "Wave File is incorrect format\r\n";
inline constexpr const char* kInvalidWav = "Invalid WAV";
inline constexpr const char* kRevertQuestion = "Are you sure you wish to revert to the original sample?";
inline constexpr const char* kUnableToOpenWaveDevice = "Unable to open Wave Device";
inline constexpr const char* kPointLimit =
    "Found points may exceed 8192;\r\nTry cutting the file into smaller pieces!";

}  // namespace slicewright::messages
