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

// The picture and sound submenu, after the one above.
inline constexpr const char* kPictureMenu = "画面和声音 (&V)";
inline constexpr const char* kLoadSubtitle = "载入字幕…   (&L)";
inline constexpr const char* kSubtitleFilter =
    "字幕文件 (*.srt;*.ass;*.ssa;*.sub;*.vtt)|*.srt;*.ass;*.ssa;*.sub;*.vtt";
inline constexpr const char* kEncodingMenu = "字幕编码   (&E)";
inline constexpr const char* kEncodingGuess = "自动识别";
inline constexpr const char* kSubtitleBigger = "字幕放大";
inline constexpr const char* kSubtitleSmaller = "字幕缩小";
inline constexpr const char* kSubtitleUp = "字幕上移";
inline constexpr const char* kSubtitleDown = "字幕下移";
inline constexpr const char* kSubtitleLookReset = "字幕大小和位置复原";
inline constexpr const char* kSecondaryMenu = "第二字幕   (&S)";
inline constexpr const char* kSecondaryOff = "不显示";
inline constexpr const char* kRotateItem = "画面旋转   (&O)";
inline constexpr const char* kNormaliseItem = "音量均衡   (&N)";
inline constexpr const char* kHardwareItem = "硬件解码   (&H)";
inline constexpr const char* kOnTopItem = "总在最前   (&T)";
// The encodings a Chinese or a Western viewer meets: the engine's name and the one shown.
struct Encoding {
  const char* name;
  const char* shown;
};
inline constexpr Encoding kEncodings[] = {
    {"UTF-8", "UTF-8"},
    {"GB18030", "GB18030（简体中文）"},
    {"BIG5", "BIG5（繁体中文）"},
    {"SHIFT_JIS", "Shift JIS（日语）"},
    {"EUC-KR", "EUC-KR（韩语）"},
    {"WINDOWS-1252", "Windows-1252（西欧）"},
    {"WINDOWS-1251", "Windows-1251（西里尔文）"},
};

// Messages of picture and sound.
inline constexpr const char* kSubtitleDelay = "字幕延迟 %1 毫秒";
inline constexpr const char* kAudioDelay = "音频延迟 %1 毫秒";
inline constexpr const char* kContrast = "对比度 %1";
inline constexpr const char* kBrightness = "亮度 %1";
inline constexpr const char* kGamma = "伽马 %1";
inline constexpr const char* kSaturation = "饱和度 %1";
inline constexpr const char* kAspect = "画面比例 %1";
inline constexpr const char* kAspectOwn = "原始";
inline constexpr const char* kRotation = "画面旋转 %1°";
inline constexpr const char* kSecondary = "第二字幕：%1";
inline constexpr const char* kDeinterlaceOn = "去隔行：开";
inline constexpr const char* kDeinterlaceOff = "去隔行：关";
inline constexpr const char* kOnTopOn = "总在最前：开";
inline constexpr const char* kOnTopOff = "总在最前：关";
inline constexpr const char* kNormaliseOn = "音量均衡：开";
inline constexpr const char* kNormaliseOff = "音量均衡：关";
inline constexpr const char* kDecoder = "硬件解码：%1";
inline constexpr const char* kNoDecoder = "没有可用的硬件解码器，软件解码";
inline constexpr const char* kSoftwareDecoding = "软件解码";
inline constexpr const char* kSubtitleSize = "字幕大小 %1%";
inline constexpr const char* kSubtitlePosition = "字幕位置 %1";
inline constexpr const char* kSubtitleAdded = "已载入字幕：%1";
inline constexpr const char* kSubtitleNotAdded = "字幕未能载入：%1";
inline constexpr const char* kEncodingChosen = "字幕编码：%1";

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
