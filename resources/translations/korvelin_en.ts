<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Korvelin</name>
    <message>
        <source>播放/暂停   (&amp;P)</source>
        <translation>&amp;Play/Pause</translation>
    </message>
    <message>
        <source>停止   (&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>快进   (&amp;Q)</source>
        <translation>Fast forward (&amp;Q)</translation>
    </message>
    <message>
        <source>快退   (&amp;Y)</source>
        <translation>Rewind (&amp;Y)</translation>
    </message>
    <message>
        <source>循环播放   (&amp;C)</source>
        <translation>Loop (&amp;C)</translation>
    </message>
    <message>
        <source>播放下一个文件   (&amp;N)</source>
        <translation>Play &amp;next file</translation>
    </message>
    <message>
        <source>播放上一个文件   (&amp;B)</source>
        <translation>Play previous file (&amp;B)</translation>
    </message>
    <message>
        <source>原始大小   (&amp;M)</source>
        <translation>Original size (&amp;M)</translation>
    </message>
    <message>
        <source>剧院模式   (&amp;T)</source>
        <translation>&amp;Theatre mode</translation>
    </message>
    <message>
        <source>全屏显示   (&amp;F)</source>
        <translation>&amp;Full screen</translation>
    </message>
    <message>
        <source>延伸模式   (&amp;I)</source>
        <translation>Stretch mode (&amp;I)</translation>
    </message>
    <message>
        <source>缩放比例</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>增大音量   (&amp;U)</source>
        <translation>Volume &amp;up</translation>
    </message>
    <message>
        <source>减少音量   (&amp;D)</source>
        <translation>Volume &amp;down</translation>
    </message>
    <message>
        <source>静音       (&amp;O)</source>
        <translation>Mute (&amp;O)</translation>
    </message>
    <message>
        <source>声道</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>左声道   (&amp;L)</source>
        <translation>&amp;Left channel</translation>
    </message>
    <message>
        <source>右声道   (&amp;R)</source>
        <translation>&amp;Right channel</translation>
    </message>
    <message>
        <source>立体声   (&amp;E)</source>
        <translation>St&amp;ereo</translation>
    </message>
    <message>
        <source>帮助   (&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于Korvelin   (&amp;A)</source>
        <translation>&amp;About Korvelin</translation>
    </message>
    <message>
        <source>退出程序   (&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>调整大小</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>系统菜单</source>
        <translation>System menu</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>背景音乐</source>
        <translation>Background music</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>向上</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>向下</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>播放选中文件</source>
        <translation>Play selected file</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>左声道</source>
        <translation>Left channel</translation>
    </message>
    <message>
        <source>立体声</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>右声道</source>
        <translation>Right channel</translation>
    </message>
    <message>
        <source>全屏显示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>博客</source>
        <translation>Blog</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Pics</translation>
    </message>
    <message>
        <source>音乐</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>影片</source>
        <translation>Video</translation>
    </message>
    <message>
        <source> 使用说明(&amp;H)</source>
        <translation> &amp;Help</translation>
    </message>
    <message>
        <source> 媒体提取工具(&amp;R)</source>
        <translation> Media extracto&amp;r</translation>
    </message>
    <message>
        <source> 访问博客(&amp;V)</source>
        <translation> &amp;Visit the blog</translation>
    </message>
    <message>
        <source> 联系作者(&amp;C)</source>
        <translation> &amp;Contact author</translation>
    </message>
    <message>
        <source> 开机自运行(&amp;O)</source>
        <translation> Aut&amp;ostart</translation>
    </message>
    <message>
        <source> 开机自运行(&amp;E)</source>
        <translation> &amp;Enable autostart</translation>
    </message>
    <message>
        <source> 退出自运行(&amp;O)</source>
        <translation> Stop aut&amp;ostart</translation>
    </message>
    <message>
        <source> 文件类型关联(&amp;D)</source>
        <translation> File types (&amp;D)</translation>
    </message>
    <message>
        <source> 关于Tesmaro(&amp;A)</source>
        <translation> &amp;About Tesmaro</translation>
    </message>
    <message>
        <source> 关闭视窗(&amp;E)</source>
        <translation> Clos&amp;e window</translation>
    </message>
    <message>
        <source>关于 Tesmaro</source>
        <translation>About Tesmaro</translation>
    </message>
    <message>
        <source>版本 </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Tesmaro是一款多功能影音播放器,它能播放图片,音乐,影片等绝大部分多煤体文件,并在不断的扩展中!而且能实现单曲循环播放,随机循环播放等功能!解决了人们对循环播放的要求!......
欢迎把您的意见和建议告诉我们,帮助这个播放器变得更好。使用方法请看标题栏上的“帮助”。</source>
        <translation>Tesmaro is a versatile media player: it plays pictures, music, films and most other media files, and it keeps growing! It can loop one file or play at random......
Tell us your ideas and suggestions to help make it better. For how to use it, see &quot;Help&quot; on the title bar.</translation>
    </message>
    <message>
        <source>本程序按现状提供,不附带任何明示或暗示的担保;使用风险由您自行承担。 2026年12月</source>
        <translation>Provided as is, without any warranty, express or implied; use it at your own risk. December 2026</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>系统信息(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>此时系统信息不可用</source>
        <translation>System information is not available at this time.</translation>
    </message>
    <message>
        <source>文件类型关联</source>
        <translation>File Type Associations</translation>
    </message>
    <message>
        <source>选择将Korvelin作为其默认播放机的文件类型</source>
        <translation>Choose the file types Korvelin plays by default</translation>
    </message>
    <message>
        <source>文件类型</source>
        <translation>File types</translation>
    </message>
    <message>
        <source>说明: 如果遇到播放器不支持的文件格式， 请到以下网站下载最新解码器以获得支持。</source>
        <translation>Note: if the player does not support a file format, download the latest codecs from the site below.</translation>
    </message>
    <message>
        <source>点击此处进入网站下载解码器！</source>
        <translation>Click here to download codecs from the website!</translation>
    </message>
    <message>
        <source>全 选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>全不选</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>确 定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取 消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>说明:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>WINDOWS视频文件(AVI)</source>
        <translation>AVI video (AVI)</translation>
    </message>
    <message>
        <source>说明: windows视频文件(AVI)格式 包括其扩展名为.AVI文件</source>
        <translation>Note: Windows video (AVI), files with the extension .AVI</translation>
    </message>
    <message>
        <source>WINDOWS视频文件(WMV)</source>
        <translation>WMV video (WMV)</translation>
    </message>
    <message>
        <source>说明: windows视频文件(WMV)格式 包括其扩展名为.WMV文件</source>
        <translation>Note: Windows video (WMV), files with the extension .WMV</translation>
    </message>
    <message>
        <source>电影文件(MPEG)</source>
        <translation>Movie file (MPEG)</translation>
    </message>
    <message>
        <source>说明: 电影文件(MPEG)格式 包括其扩展名为.MPEG.MPG.MPA  的文件</source>
        <translation>Note: movie file (MPEG), files with the extensions .MPEG .MPG .MPA</translation>
    </message>
    <message>
        <source>WINDOWS音频文件(WMA)</source>
        <translation>WMA audio (WMA)</translation>
    </message>
    <message>
        <source>说明: windows音频文件(WMA)格式 包括其扩展名为.WMA  .WAX的文件</source>
        <translation>Note: Windows audio (WMA), files with the extensions .WMA .WAX</translation>
    </message>
    <message>
        <source>WINDOWS音频文件(WAV)</source>
        <translation>WAV audio (WAV)</translation>
    </message>
    <message>
        <source>说明: windows音频文件(WAV)格式 包括其扩展名为.WAV文件</source>
        <translation>Note: Windows audio (WAV), files with the extension .WAV</translation>
    </message>
    <message>
        <source>MP3音频文件(MP3)</source>
        <translation>MP3 audio (MP3)</translation>
    </message>
    <message>
        <source>说明: MP3音频文件(MP3)格式 包括其扩展名为.MP3.M3U文件</source>
        <translation>Note: MP3 audio (MP3), files with the extensions .MP3 .M3U</translation>
    </message>
    <message>
        <source>MIDI音频文件(MIDI)</source>
        <translation>MIDI audio (MIDI)</translation>
    </message>
    <message>
        <source>说明: MIDI文件(MIDI)格式 包括其扩展名为.MIDI.MID文件</source>
        <translation>Note: MIDI file (MIDI), files with the extensions .MIDI .MID</translation>
    </message>
    <message>
        <source>VCD播放文件(DAT)</source>
        <translation>VCD file (DAT)</translation>
    </message>
    <message>
        <source>说明: VCD文件格式 包括其扩展名为.DAT文件</source>
        <translation>Note: VCD file, files with the extension .DAT</translation>
    </message>
    <message>
        <source>FLASH文件(SWF)</source>
        <translation>Flash file (SWF)</translation>
    </message>
    <message>
        <source>说明: FLASH文件格式 包括其扩展名为.SWF文件</source>
        <translation>Note: Flash file, files with the extension .SWF</translation>
    </message>
    <message>
        <source>FLASH VIDEO文件(FLV)</source>
        <translation>Flash video (FLV)</translation>
    </message>
    <message>
        <source>说明: FLASH VIDEO文件格式 包括其扩展名为.FLV文件</source>
        <translation>Note: Flash video, files with the extension .FLV</translation>
    </message>
    <message>
        <source>RMVB视频文件(RMVB)</source>
        <translation>RMVB video (RMVB)</translation>
    </message>
    <message>
        <source>说明: RMVB视频文件(RMVB)格式 包括其扩展名为.RMVB文件</source>
        <translation>Note: RMVB video (RMVB), files with the extension .RMVB</translation>
    </message>
    <message>
        <source>RM(Real Media)格式 </source>
        <translation>Real Media (RM)</translation>
    </message>
    <message>
        <source>说明: RM(Real Media)格式 包括其扩展名为.RM文件</source>
        <translation>Note: Real Media (RM), files with the extension .RM</translation>
    </message>
    <message>
        <source>DVD播放文件(VOB)</source>
        <translation>DVD file (VOB)</translation>
    </message>
    <message>
        <source>说明: DVD播放文件(VOB) 包括其扩展名为.VOB文件</source>
        <translation>Note: DVD file (VOB), files with the extension .VOB</translation>
    </message>
    <message>
        <source>MP4视频文件(MP4)</source>
        <translation>MP4 video (MP4)</translation>
    </message>
    <message>
        <source>说明: MP4视频文件(MP4) 包括其扩展名为.MP4文件</source>
        <translation>Note: MP4 video (MP4), files with the extension .MP4</translation>
    </message>
    <message>
        <source>MKV视频文件(MKV)</source>
        <translation>MKV video (MKV)</translation>
    </message>
    <message>
        <source>说明: MKV视频文件(MKV)格式 包括其扩展名为.MKV文件</source>
        <translation>Note: MKV video (MKV), files with the extension .MKV</translation>
    </message>
    <message>
        <source>键盘快捷键：空格暂停，方向键快进和调音量 &gt;&gt;&gt;</source>
        <translation>Keys: Space pauses, arrows seek and volume &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>使用说明：每个按钮、标签和菜单的用法 &gt;&gt;&gt;</source>
        <translation>Guide: every button, tab and menu &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>新版本说明：这一版 Korvelin 有什么新内容 &gt;&gt;&gt;</source>
        <translation>What is new in this Korvelin &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>文件类型关联：双击影音文件直接播放 &gt;&gt;&gt;</source>
        <translation>File types: play media by double-click &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>开机自运行：登录桌面时自动启动播放器 &gt;&gt;&gt;</source>
        <translation>Autostart: start the player at login &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Korvelin 帮助</source>
        <translation>Korvelin Help</translation>
    </message>
    <message>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目录</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>找不到帮助文件</source>
        <translation>Help file not found</translation>
    </message>
    <message>
        <source>帮助文件 %1 不存在。&lt;br&gt;请把 pemra.chm 放回播放器所在的文件夹，或重新安装播放器。</source>
        <translation>The help file %1 does not exist.&lt;br&gt;Put pemra.chm back in the player's folder, or install the player again.</translation>
    </message>
    <message>
        <source>帮助文件是空的</source>
        <translation>The help file is empty</translation>
    </message>
    <message>
        <source>帮助文件 %1 是空文件（0 字节），里面没有可以显示的内容。&lt;br&gt;请重新安装播放器。</source>
        <translation>The help file %1 is empty (0 bytes): there is nothing in it to show.&lt;br&gt;Please install the player again.</translation>
    </message>
    <message>
        <source>无法读取帮助文件</source>
        <translation>The help file cannot be read</translation>
    </message>
    <message>
        <source>文件 %1 不是有效的帮助文件（CHM），可能已经损坏。&lt;br&gt;请重新安装播放器。</source>
        <translation>The file %1 is not a valid help file (CHM); it may be damaged.&lt;br&gt;Please install the player again.</translation>
    </message>
    <message>
        <source>找不到帮助主题</source>
        <translation>Help topic not found</translation>
    </message>
    <message>
        <source>帮助文件 %1 里没有主题“%2”。</source>
        <translation>The help file %1 has no topic &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>&lt;h2&gt;找不到帮助主题&lt;/h2&gt;&lt;p&gt;帮助文件里没有这一页：%1&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Help topic not found&lt;/h2&gt;&lt;p&gt;The help file has no such page: %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>音轨和字幕   (&amp;W)</source>
        <translation>Tracks and subtitles (&amp;W)</translation>
    </message>
    <message>
        <source>音轨 %1</source>
        <translation>Audio %1</translation>
    </message>
    <message>
        <source>字幕 %1</source>
        <translation>Subtitles %1</translation>
    </message>
    <message>
        <source>关闭字幕</source>
        <translation>Subtitles off</translation>
    </message>
    <message>
        <source>（没有可选的音轨或字幕）</source>
        <translation>(no tracks or subtitles to choose)</translation>
    </message>
    <message>
        <source>外挂</source>
        <translation>external</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>从 %1 继续   (&amp;R)</source>
        <translation>Resume from %1 (&amp;R)</translation>
    </message>
    <message>
        <source>上次看到 %1，按 R 继续</source>
        <translation>Last watched to %1 - press R to resume</translation>
    </message>
    <message>
        <source>从 %1 继续</source>
        <translation>Resumed from %1</translation>
    </message>
    <message>
        <source>音量 %1</source>
        <translation>Volume %1</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Muted</translation>
    </message>
    <message>
        <source>播放速度 %1x</source>
        <translation>Speed %1x</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Next frame</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Previous frame</translation>
    </message>
    <message>
        <source>显示字幕</source>
        <translation>Subtitles shown</translation>
    </message>
    <message>
        <source>隐藏字幕</source>
        <translation>Subtitles hidden</translation>
    </message>
    <message>
        <source>截图已保存：%1</source>
        <translation>Snapshot saved: %1</translation>
    </message>
    <message>
        <source>截图失败</source>
        <translation>Snapshot failed</translation>
    </message>
    <message>
        <source>字幕文件过大，未载入：%1</source>
        <translation>Subtitle file too large, not loaded: %1</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Native size</translation>
    </message>
    <message>
        <source>剧院模式</source>
        <translation>Theatre mode</translation>
    </message>
    <message>
        <source>延伸模式</source>
        <translation>Stretch mode</translation>
    </message>
    <message>
        <source>缩放比例 %1</source>
        <translation>Zoom %1</translation>
    </message>
    <message>
        <source>汉语</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>Simplified Chinese</translation>
    </message>
    <message>
        <source>繁体中文</source>
        <translation>Traditional Chinese</translation>
    </message>
    <message>
        <source>英语</source>
        <translation>English</translation>
    </message>
    <message>
        <source>日语</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>韩语</source>
        <translation>Korean</translation>
    </message>
    <message>
        <source>法语</source>
        <translation>French</translation>
    </message>
    <message>
        <source>德语</source>
        <translation>German</translation>
    </message>
    <message>
        <source>西班牙语</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>俄语</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>画面和声音 (&amp;V)</source>
        <translation>Picture and sound (&amp;V)</translation>
    </message>
    <message>
        <source>载入字幕…   (&amp;L)</source>
        <translation>Load subtitle… (&amp;L)</translation>
    </message>
    <message>
        <source>字幕文件 (*.srt;*.ass;*.ssa;*.sub;*.vtt)|*.srt;*.ass;*.ssa;*.sub;*.vtt</source>
        <translation>Subtitle files (*.srt;*.ass;*.ssa;*.sub;*.vtt)|*.srt;*.ass;*.ssa;*.sub;*.vtt</translation>
    </message>
    <message>
        <source>字幕编码   (&amp;E)</source>
        <translation>Subtitle encoding (&amp;E)</translation>
    </message>
    <message>
        <source>自动识别</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>字幕放大</source>
        <translation>Larger subtitles</translation>
    </message>
    <message>
        <source>字幕缩小</source>
        <translation>Smaller subtitles</translation>
    </message>
    <message>
        <source>字幕上移</source>
        <translation>Subtitles up</translation>
    </message>
    <message>
        <source>字幕下移</source>
        <translation>Subtitles down</translation>
    </message>
    <message>
        <source>字幕大小和位置复原</source>
        <translation>Reset subtitle size and position</translation>
    </message>
    <message>
        <source>音量均衡   (&amp;N)</source>
        <translation>Normalise loudness (&amp;N)</translation>
    </message>
    <message>
        <source>硬件解码   (&amp;H)</source>
        <translation>Hardware decoding (&amp;H)</translation>
    </message>
    <message>
        <source>总在最前   (&amp;T)</source>
        <translation>Always on top (&amp;T)</translation>
    </message>
    <message>
        <source>GB18030（简体中文）</source>
        <translation>GB18030 (Simplified Chinese)</translation>
    </message>
    <message>
        <source>BIG5（繁体中文）</source>
        <translation>BIG5 (Traditional Chinese)</translation>
    </message>
    <message>
        <source>Shift JIS（日语）</source>
        <translation>Shift JIS (Japanese)</translation>
    </message>
    <message>
        <source>EUC-KR（韩语）</source>
        <translation>EUC-KR (Korean)</translation>
    </message>
    <message>
        <source>Windows-1252（西欧）</source>
        <translation>Windows-1252 (Western European)</translation>
    </message>
    <message>
        <source>Windows-1251（西里尔文）</source>
        <translation>Windows-1251 (Cyrillic)</translation>
    </message>
    <message>
        <source>字幕延迟 %1 毫秒</source>
        <translation>Subtitle delay %1 ms</translation>
    </message>
    <message>
        <source>音频延迟 %1 毫秒</source>
        <translation>Audio delay %1 ms</translation>
    </message>
    <message>
        <source>对比度 %1</source>
        <translation>Contrast %1</translation>
    </message>
    <message>
        <source>亮度 %1</source>
        <translation>Brightness %1</translation>
    </message>
    <message>
        <source>伽马 %1</source>
        <translation>Gamma %1</translation>
    </message>
    <message>
        <source>饱和度 %1</source>
        <translation>Saturation %1</translation>
    </message>
    <message>
        <source>画面比例 %1</source>
        <translation>Aspect ratio %1</translation>
    </message>
    <message>
        <source>原始</source>
        <translation>as in the file</translation>
    </message>
    <message>
        <source>去隔行：开</source>
        <translation>Deinterlacing on</translation>
    </message>
    <message>
        <source>第二字幕   (&amp;S)</source>
        <translation>Second subtitle (&amp;S)</translation>
    </message>
    <message>
        <source>不显示</source>
        <translation>None</translation>
    </message>
    <message>
        <source>画面旋转   (&amp;O)</source>
        <translation>Turn the picture (&amp;O)</translation>
    </message>
    <message>
        <source>画面旋转 %1°</source>
        <translation>Picture turned %1°</translation>
    </message>
    <message>
        <source>第二字幕：%1</source>
        <translation>Second subtitle: %1</translation>
    </message>
    <message>
        <source>去隔行：关</source>
        <translation>Deinterlacing off</translation>
    </message>
    <message>
        <source>总在最前：开</source>
        <translation>Always on top on</translation>
    </message>
    <message>
        <source>总在最前：关</source>
        <translation>Always on top off</translation>
    </message>
    <message>
        <source>音量均衡：开</source>
        <translation>Loudness normalisation on</translation>
    </message>
    <message>
        <source>音量均衡：关</source>
        <translation>Loudness normalisation off</translation>
    </message>
    <message>
        <source>硬件解码：%1</source>
        <translation>Hardware decoding: %1</translation>
    </message>
    <message>
        <source>没有可用的硬件解码器，软件解码</source>
        <translation>No usable hardware decoder: decoding in software</translation>
    </message>
    <message>
        <source>软件解码</source>
        <translation>Decoding in software</translation>
    </message>
    <message>
        <source>字幕大小 %1%</source>
        <translation>Subtitle size %1%</translation>
    </message>
    <message>
        <source>字幕位置 %1</source>
        <translation>Subtitle position %1</translation>
    </message>
    <message>
        <source>已载入字幕：%1</source>
        <translation>Subtitle loaded: %1</translation>
    </message>
    <message>
        <source>字幕未能载入：%1</source>
        <translation>Subtitle not loaded: %1</translation>
    </message>
    <message>
        <source>字幕编码：%1</source>
        <translation>Subtitle encoding: %1</translation>
    </message>
    <message>
        <source>章节和循环 (&amp;K)</source>
        <translation>Chapters and loops (&amp;K)</translation>
    </message>
    <message>
        <source>（没有章节）</source>
        <translation>(no chapters)</translation>
    </message>
    <message>
        <source>第 %1 章</source>
        <translation>Chapter %1</translation>
    </message>
    <message>
        <source>设置 A 点   (&amp;A)</source>
        <translation>Set loop point &amp;A</translation>
    </message>
    <message>
        <source>设置 B 点   (&amp;B)</source>
        <translation>Set loop point &amp;B</translation>
    </message>
    <message>
        <source>取消 A-B 循环   (&amp;B)</source>
        <translation>Clear the A-&amp;B loop</translation>
    </message>
    <message>
        <source>本文件循环   (&amp;F)</source>
        <translation>Loop this &amp;file</translation>
    </message>
    <message>
        <source>章节 %1</source>
        <translation>Chapter %1</translation>
    </message>
    <message>
        <source>A-B 循环：A 点 %1</source>
        <translation>A-B loop: A at %1</translation>
    </message>
    <message>
        <source>A-B 循环：%1</source>
        <translation>A-B loop: %1</translation>
    </message>
    <message>
        <source>A-B 循环：关</source>
        <translation>A-B loop off</translation>
    </message>
    <message>
        <source>本文件循环：开</source>
        <translation>Loop this file: on</translation>
    </message>
    <message>
        <source>本文件循环：关</source>
        <translation>Loop this file: off</translation>
    </message>
    <message>
        <source>跳到 %1</source>
        <translation>Go to %1</translation>
    </message>
    <message>
        <source>最近播放 (&amp;L)</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>（没有最近播放的文件）</source>
        <translation>(No recent files)</translation>
    </message>
    <message>
        <source>打开网址… (&amp;U)</source>
        <translation>Open address…</translation>
    </message>
    <message>
        <source>清除最近播放 (&amp;C)</source>
        <translation>Clear recent files (&amp;C)</translation>
    </message>
    <message>
        <source>打开网址</source>
        <translation>Open address</translation>
    </message>
    <message>
        <source>网址（http:// 或 https://）：</source>
        <translation>Address (http:// or https://):</translation>
    </message>
    <message>
        <source>正在打开 %1</source>
        <translation>Opening %1</translation>
    </message>
    <message>
        <source>只能播放以 http:// 或 https:// 开头的网址</source>
        <translation>Only http:// and https:// addresses play</translation>
    </message>
    <message>
        <source>网址无法打开：服务器上没有这个文件</source>
        <translation>No such file on the server</translation>
    </message>
    <message>
        <source>网址无法打开：服务器拒绝了请求</source>
        <translation>The server refused the request</translation>
    </message>
    <message>
        <source>网址无法打开：连接被拒绝</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>网址无法打开：无法连接网络或服务器</source>
        <translation>Network or server unreachable</translation>
    </message>
    <message>
        <source>网址无法播放：这不是视频或音频</source>
        <translation>Not video or audio</translation>
    </message>
</context>
</TS>
