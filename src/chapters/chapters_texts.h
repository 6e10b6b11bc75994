#pragma once
// Every text of the chapters and loops a person sees, for the translators (each has its English
// in resources/translations/korvelin_en.ts). "%1" stands for the value filled in.

namespace kv::chapters::texts {

// The submenu after the others of the context menu.
inline constexpr const char* kMenu = "章节和循环 (&K)";
inline constexpr const char* kNoChapters = "（没有章节）";
inline constexpr const char* kUntitled = "第 %1 章";
inline constexpr const char* kSetA = "设置 A 点   (&A)";
inline constexpr const char* kSetB = "设置 B 点   (&B)";
inline constexpr const char* kClearAB = "取消 A-B 循环   (&B)";
inline constexpr const char* kLoopFileItem = "本文件循环   (&F)";

// Messages over the picture.
inline constexpr const char* kChapter = "章节 %1";
inline constexpr const char* kLoopA = "A-B 循环：A 点 %1";
inline constexpr const char* kLoopAB = "A-B 循环：%1";
inline constexpr const char* kLoopOff = "A-B 循环：关";
inline constexpr const char* kLoopFileOn = "本文件循环：开";
inline constexpr const char* kLoopFileOff = "本文件循环：关";
// While the seek bar is dragged: where the release will go.
inline constexpr const char* kSeekTarget = "跳到 %1";

}  // namespace kv::chapters::texts
