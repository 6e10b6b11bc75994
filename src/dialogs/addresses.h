#pragma once
// Addresses the secondary windows open with the desktop's handler. They are the project's own
// pages (the reserved example domain stands in until the project has a public site).

namespace kv::dialogs {

// The page about the media extractor tool (popup menu, item 2).
inline constexpr const char* kExtractorAddress = "https://korvelin.example/extractor";
// The author's mail address (popup menu, item 4).
inline constexpr const char* kAuthorMail = "mailto:author@korvelin.example";
// The codec download page (association dialog, Label3).
inline constexpr const char* kCodecAddress = "https://korvelin.example/codecs";

}  // namespace kv::dialogs
