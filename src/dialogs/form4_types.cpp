// The association dialog's fifteen types and its design.

#include "dialogs/form4.h"

namespace kv::dialogs {

const std::array<FileType, 15> kFileTypes{{
    {"WINDOWS视频文件(AVI)", "说明: windows视频文件(AVI)格式 包括其扩展名为.AVI文件", ".avi",
     "avifile", "AVIFile", "serialavi"},
    {"WINDOWS视频文件(WMV)", "说明: windows视频文件(WMV)格式 包括其扩展名为.WMV文件", ".wmv",
     "wmvfile", "WMVFile", "serialwmv"},
    {"电影文件(MPEG)", "说明: 电影文件(MPEG)格式 包括其扩展名为.MPEG.MPG.MPA  的文件", ".mpeg",
     "mpegfile", "mpegfile", "serialmpeg"},
    {"WINDOWS音频文件(WMA)", "说明: windows音频文件(WMA)格式 包括其扩展名为.WMA  .WAX的文件",
     ".wma", "wmafile", "wmafile", "serialwma"},
    {"WINDOWS音频文件(WAV)", "说明: windows音频文件(WAV)格式 包括其扩展名为.WAV文件", ".wav",
     "wavfile", "wavfile", "serialwav"},
    {"MP3音频文件(MP3)", "说明: MP3音频文件(MP3)格式 包括其扩展名为.MP3.M3U文件", ".mp3", "mp3file",
     "mp3file", "serialmp3"},
    {"MIDI音频文件(MIDI)", "说明: MIDI文件(MIDI)格式 包括其扩展名为.MIDI.MID文件", ".MID",
     "MIDFile", "MIDFile", "serialmidi"},
    {"VCD播放文件(DAT)", "说明: VCD文件格式 包括其扩展名为.DAT文件", ".dat", "datfile", "datfile",
     "serialdat"},
    {"FLASH文件(SWF)", "说明: FLASH文件格式 包括其扩展名为.SWF文件", ".swf", "swffile", "swffile",
     "serialswf"},
    {"FLASH VIDEO文件(FLV)", "说明: FLASH VIDEO文件格式 包括其扩展名为.FLV文件", ".flv", "flvfile",
     "flvfile", "serialflv"},
    {"RMVB视频文件(RMVB)", "说明: RMVB视频文件(RMVB)格式 包括其扩展名为.RMVB文件", ".rmvb",
     "rmvbfile", "rmvbfile", "serialrmvb"},
    {"RM(Real Media)格式 ", "说明: RM(Real Media)格式 包括其扩展名为.RM文件", ".rm", "rmfile",
     "rmfile", "serialrm"},
    {"DVD播放文件(VOB)", "说明: DVD播放文件(VOB) 包括其扩展名为.VOB文件", ".vob", "vobfile",
     "vobFile", "serialvob"},
    {"MP4视频文件(MP4)", "说明: MP4视频文件(MP4) 包括其扩展名为.MP4文件", ".mp4", "mp4file",
     "mp4File", "serialmp4"},
    {"MKV视频文件(MKV)", "说明: MKV视频文件(MKV)格式 包括其扩展名为.MKV文件", ".mkv", "mkvfile",
     "mkvFile", "serialmkv"},
}};

void Form4::design() {
  setCaption("文件类型关联");
  // Fixed dialog frame: caption and system menu, no resizing.
  setWindowStyle(forms::kStyleCaption | forms::kStyleSysMenu);
  setStartUpPosition(kStartCenterOwner);
  forms::Control::design(0, 0, 6600, 5280);
  Label1.design(240, 150, 6000, 255);
  Label1.setCaption("选择将Korvelin作为其默认播放机的文件类型");
  Frame1.design(240, 480, 6120, 2880);
  Frame1.setCaption("文件类型");
  // Three columns of five boxes, in table order down each column.
  const auto boxes = checks();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const float left = 150 + static_cast<float>(i / 5) * 1995;
    const float top = 300 + static_cast<float>(i % 5) * 495;
    boxes[i]->design(left, top, 1935, 375);
    boxes[i]->setCaption(kFileTypes[i].caption);
  }
  Label2.design(240, 3480, 6120, 495);
  Label2.setCaption(kNote);
  Label3.design(240, 4020, 6120, 255);
  Label3.setCaption("点击此处进入网站下载解码器！");
  // A link, in the light blue of the skin's highlight: readable on the dialog's dark face.
  Label3.setForeColor(0xFF9933);
  Command1.design(240, 4440, 1335, 420);
  Command1.setCaption("全 选");
  Command2.design(3600, 4440, 1275, 420);
  Command2.setCaption("确 定");
  Command3.design(5010, 4440, 1275, 420);
  Command3.setCaption("取 消");
}

}  // namespace kv::dialogs
