#pragma once
// Every text the recent files and the address show a person, in one table for the translators
// (each has its English in resources/translations/korvelin_en.ts). "%1" stands for the value
// filled in.

namespace kv::recent::texts {

inline constexpr const char* kMenu = "最近播放 (&L)";
inline constexpr const char* kNone = "（没有最近播放的文件）";
inline constexpr const char* kOpenAddress = "打开网址… (&U)";
inline constexpr const char* kClear = "清除最近播放 (&C)";

// The window asking for an address.
inline constexpr const char* kAskTitle = "打开网址";
inline constexpr const char* kAskPrompt = "网址（http:// 或 https://）：";

// Messages over the picture.
inline constexpr const char* kOpening = "正在打开 %1";
inline constexpr const char* kNotAnAddress = "只能播放以 http:// 或 https:// 开头的网址";
inline constexpr const char* kNotFound = "网址无法打开：服务器上没有这个文件";
inline constexpr const char* kServerError = "网址无法打开：服务器拒绝了请求";
inline constexpr const char* kRefused = "网址无法打开：连接被拒绝";
inline constexpr const char* kNoNetwork = "网址无法打开：无法连接网络或服务器";
inline constexpr const char* kNotMedia = "网址无法播放：这不是视频或音频";

}  // namespace kv::recent::texts
