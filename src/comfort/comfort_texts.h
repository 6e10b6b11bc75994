#pragma once
// Every text the watching additions show a person, in one table for the translators (each has
// its English in resources/translations/korvelin_en.ts). "%1" stands for the value filled in (a
// time, a number, a path, a track).

namespace kv::comfort::texts {

// The submenu at the end of the context menu.
inline constexpr const char* kMenu = "音轨和字幕   (&W)";
inline constexpr const char* kAudioTrack = "音轨 %1";
inline constexpr const char* kSubtitleTrack = "字幕 %1";
inline constexpr const char* kSubtitlesOff = "关闭字幕";
inline constexpr const char* kNoTracks = "（没有可选的音轨或字幕）";
inline constexpr const char* kExternal = "外挂";
// Between a track's number and what is known of it.
inline constexpr const char* kDetailSeparator = "：";
inline constexpr const char* kResumeItem = "从 %1 继续   (&R)";

// Messages over the picture.
inline constexpr const char* kResumeOffer = "上次看到 %1，按 R 继续";
inline constexpr const char* kResumed = "从 %1 继续";
inline constexpr const char* kVolume = "音量 %1";
inline constexpr const char* kMuted = "静音";
inline constexpr const char* kSpeed = "播放速度 %1x";
inline constexpr const char* kFrameForward = "下一帧";
inline constexpr const char* kFrameBack = "上一帧";
inline constexpr const char* kSubtitlesShown = "显示字幕";
inline constexpr const char* kSubtitlesHidden = "隐藏字幕";
inline constexpr const char* kSnapshotSaved = "截图已保存：%1";
inline constexpr const char* kSnapshotFailed = "截图失败";
inline constexpr const char* kNativeSize = "原始大小";
inline constexpr const char* kTheatre = "剧院模式";
inline constexpr const char* kFullScreen = "全屏显示";
inline constexpr const char* kStretch = "延伸模式";
inline constexpr const char* kZoom = "缩放比例 %1";

// Names of the languages tracks are tagged with; another tag is shown as it is. ("汉语", not
// "中文": that one names the language choice of the menu, in its own language.)
struct LanguageName {
  const char* tag;
  const char* name;
};
inline constexpr LanguageName kLanguages[] = {
    {"zh", "汉语"},      {"chi", "汉语"},     {"zho", "汉语"},    {"chs", "简体中文"},
    {"sc", "简体中文"},  {"cht", "繁体中文"}, {"tc", "繁体中文"}, {"en", "英语"},
    {"eng", "英语"},     {"ja", "日语"},      {"jpn", "日语"},    {"ko", "韩语"},
    {"kor", "韩语"},     {"fr", "法语"},      {"fre", "法语"},    {"fra", "法语"},
    {"de", "德语"},      {"ger", "德语"},     {"deu", "德语"},    {"es", "西班牙语"},
    {"spa", "西班牙语"}, {"ru", "俄语"},      {"rus", "俄语"},
};

}  // namespace kv::comfort::texts
