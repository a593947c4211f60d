<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AppException</name>
    <message>
        <source>Unknown exception.</source>
        <translation>未知异常。</translation>
    </message>
</context>
<context>
    <name>AudioTrackChooser</name>
    <message>
        <source>Follow the rule: the default track</source>
        <translation>遵循规则：默认音轨</translation>
    </message>
    <message>
        <source>Follow the rule: the first track</source>
        <translation>遵循规则：第一条音轨</translation>
    </message>
    <message>
        <source>Follow the rule: track %1</source>
        <translation>遵循规则：音轨 %1</translation>
    </message>
    <message>
        <source>Follow the rule: language %1</source>
        <extracomment>%1 lists language codes, such as eng,fre</extracomment>
        <translation>遵循规则：语言 %1</translation>
    </message>
    <message>
        <source>Follow the rule: every track, a file each</source>
        <translation>遵循规则：每条音轨各一个文件</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: track 3&quot;), %2 why it finds no track</extracomment>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>%1 (now track %2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: the default track&quot;), %2 the track it picks now</extracomment>
        <translation>%1（当前为音轨 %2）</translation>
    </message>
    <message>
        <source>%1 (now track %2, %3)</source>
        <extracomment>%3 is the track&apos;s language code</extracomment>
        <translation>%1（当前为音轨 %2，%3）</translation>
    </message>
    <message>
        <source>The file has no audio track.</source>
        <translation>该文件没有音轨。</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio track.</source>
        <translation>
            <numerusform>该文件有 %n 条音轨。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio tracks.</source>
        <translation>
            <numerusform>该文件有 %n 条音轨。</numerusform>
        </translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>无法读取该文件：%1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 the track&apos;s number, %2 its language code or &quot;no language&quot;</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>no language</source>
        <translation>无语言</translation>
    </message>
    <message numerus="yes">
        <source>%n channel</source>
        <translation>
            <numerusform>%n 声道</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channels</source>
        <translation>
            <numerusform>%n 声道</numerusform>
        </translation>
    </message>
    <message>
        <source> (default)</source>
        <extracomment>after a track&apos;s description: the track the file plays unless told otherwise</extracomment>
        <translation> (默认)</translation>
    </message>
</context>
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n Second</source>
        <extracomment>time converted so far and the file&apos;s length, in whole seconds</extracomment>
        <translation>
            <numerusform>%n 秒</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 kb</source>
        <extracomment>size written so far, in kilobytes</extracomment>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>……以及其他 %n 个。</numerusform>
        </translation>
    </message>
    <message>
        <source>No file could be converted.</source>
        <translation>没有文件能够转换。</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file could not be converted.</source>
        <translation>
            <numerusform>%n 个文件中有 %1 个无法转换。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files could not be converted.</source>
        <translation>
            <numerusform>%n 个文件中有 %1 个无法转换。</numerusform>
        </translation>
    </message>
    <message>
        <source>Converted with warnings:</source>
        <translation>转换完成，但有警告：</translation>
    </message>
    <message>
        <source>Nothing to convert: the output of the file exists or is up to date.</source>
        <translation>无需转换：该文件的输出已存在或已是最新。</translation>
    </message>
    <message numerus="yes">
        <source>Nothing to convert: the outputs of all %n files exist or are up to date.</source>
        <translation>
            <numerusform>无需转换：全部 %n 个文件的输出均已存在或已是最新。</numerusform>
        </translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): nothing was converted.</source>
        <translation>无法创建输出文件夹（尝试了“%1”和“%2”）：未转换任何文件。</translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): the files not started yet were not converted.</source>
        <translation>无法创建输出文件夹（尝试了“%1”和“%2”）：尚未开始的文件未转换。</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>无法创建文件夹 %1：%2</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>has no sound to convert</source>
        <translation>没有可转换的声音</translation>
    </message>
    <message>
        <source>has no picture or sound to convert</source>
        <translation>没有可转换的画面或声音</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message numerus="yes">
        <source>%1 of %n file</source>
        <extracomment>files done of the batch&apos;s count</extracomment>
        <translation>
            <numerusform>%1/%n 个文件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files</source>
        <translation>
            <numerusform>%1/%n 个文件</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>General Audio formates</source>
        <translation>常用音频格式</translation>
    </message>
    <message>
        <source>General Video formats</source>
        <translation>常用视频格式</translation>
    </message>
    <message>
        <source>DVD / VCD / SVCD</source>
        <translation>DVD / VCD / SVCD</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>MP3 MPEG Layer-3 Audio (*.mp3)</source>
        <translation>MP3 MPEG Layer-3 音频 (*.mp3)</translation>
    </message>
    <message>
        <source>AAC Advenced Audio Codec (*.aac)</source>
        <translation>AAC 高级音频编码 (*.aac)</translation>
    </message>
    <message>
        <source>M4A MPEG-4 Audio (*.m4a)</source>
        <translation>M4A MPEG-4 音频 (*.m4a)</translation>
    </message>
    <message>
        <source>WMA - Windows Meida Audio (*.wma)</source>
        <translation>WMA - Windows Media 音频 (*.wma)</translation>
    </message>
    <message>
        <source>WAV - Waveform Audio (*.wav)</source>
        <translation>WAV - 波形音频 (*.wav)</translation>
    </message>
    <message>
        <source>OGG Vorbis Audio Codec (*.ogg)</source>
        <translation>OGG Vorbis 音频编码 (*.ogg)</translation>
    </message>
    <message>
        <source>AC-3 Audio Codec (*.ac3)</source>
        <translation>AC-3 音频编码 (*.ac3)</translation>
    </message>
    <message>
        <source>FLAC Free Lossless Audio Codec (*.flac)</source>
        <translation>FLAC 免费无损音频编码 (*.flac)</translation>
    </message>
    <message>
        <source>Opus Audio Codec (*.opus)</source>
        <translation>Opus 音频编码 (*.opus)</translation>
    </message>
    <message>
        <source>ALAC Apple Lossless Audio (*.m4a)</source>
        <translation>ALAC Apple 无损音频 (*.m4a)</translation>
    </message>
    <message>
        <source>MP4 MPEG-4 H.264 Video (*.mp4)</source>
        <translation>MP4 MPEG-4 H.264 视频 (*.mp4)</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video with MP3 Audio (*.avi)</source>
        <translation>AVI MPEG-4 视频，MP3 音频 (*.avi)</translation>
    </message>
    <message>
        <source>WMV Windows Media Video (*.wmv)</source>
        <translation>WMV Windows Media 视频 (*.wmv)</translation>
    </message>
    <message>
        <source>FLV Flash Video (*.flv)</source>
        <translation>FLV Flash 视频 (*.flv)</translation>
    </message>
    <message>
        <source>MOV QuickTime Video (*.mov)</source>
        <translation>MOV QuickTime 视频 (*.mov)</translation>
    </message>
    <message>
        <source>MPEG-2 Video (*.mpg)</source>
        <translation>MPEG-2 视频 (*.mpg)</translation>
    </message>
    <message>
        <source>DVD PAL MPEG-2 Video (*.vob)</source>
        <translation>DVD PAL MPEG-2 视频 (*.vob)</translation>
    </message>
    <message>
        <source>DVD NTSC MPEG-2 Video (*.vob)</source>
        <translation>DVD NTSC MPEG-2 视频 (*.vob)</translation>
    </message>
    <message>
        <source>VCD PAL MPEG-1 Video (*.mpg)</source>
        <translation>VCD PAL MPEG-1 视频 (*.mpg)</translation>
    </message>
    <message>
        <source>VCD NTSC MPEG-1 Video (*.mpg)</source>
        <translation>VCD NTSC MPEG-1 视频 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD PAL MPEG-2 Video (*.mpg)</source>
        <translation>SVCD PAL MPEG-2 视频 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD NTSC MPEG-2 Video (*.mpg)</source>
        <translation>SVCD NTSC MPEG-2 视频 (*.mpg)</translation>
    </message>
    <message>
        <source>Apple iPod Video MPEG-4 Movie (*.mp4)</source>
        <translation>Apple iPod 视频 MPEG-4 影片 (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PSP MPEG-4 Movie (*.mp4)</source>
        <translation>Sony PSP MPEG-4 影片 (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PS3 H.264 Movie (*.mp4)</source>
        <translation>Sony PS3 H.264 影片 (*.mp4)</translation>
    </message>
    <message>
        <source>3GP Mobile Phone Video (*.3gp)</source>
        <translation>3GP 手机视频 (*.3gp)</translation>
    </message>
    <message>
        <source>as source</source>
        <translation>与源文件相同</translation>
    </message>
    <message>
        <source>mono 1 channel</source>
        <translation>单声道（1 声道）</translation>
    </message>
    <message>
        <source>stereo 2 channels</source>
        <translation>立体声（2 声道）</translation>
    </message>
</context>
<context>
    <name>ConsoleProgress</name>
    <message>
        <source>yes</source>
        <extracomment>the answer the command line gives itself to a yes/no question, printed after it</extracomment>
        <translation>是</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>已停止</translation>
    </message>
    <message>
        <source>the conversion did not finish</source>
        <translation>转换未完成</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done</source>
        <translation>%1 -&gt; %2：完成</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done, with warnings</source>
        <translation>%1 -&gt; %2：完成，但有警告</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1：失败：%2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1：已跳过：%2</translation>
    </message>
    <message>
        <source>failed: %1: stopped</source>
        <translation>失败：%1：已停止</translation>
    </message>
    <message numerus="yes">
        <source>stopped without waiting for the conversion to end; %1 of %n files converted</source>
        <translation>
            <numerusform>已停止，未等待转换结束；%n 个文件中已转换 %1 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files %3%</source>
        <extracomment>the progress line: %1 done of %2 files, %3 percent</extracomment>
        <translation>
            <numerusform>%1/%2 个文件 %3%</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 elapsed</source>
        <translation>已用 %1</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>已用 %1，剩余 %2</translation>
    </message>
</context>
<context>
    <name>ConvertArgs</name>
    <message>
        <source>%1: %2 is not a number of seconds from 0 to 3600</source>
        <extracomment>%1 is a command-line option name, %2 the value given to it</extracomment>
        <translation>%1：%2 不是 0 到 3600 之间的秒数</translation>
    </message>
    <message>
        <source>--normalize: %1 is not ebu, podcast, streaming or a level from -70 to -5 LUFS</source>
        <translation>--normalize：%1 不是 ebu、podcast、streaming，也不是 -70 到 -5 LUFS 之间的电平</translation>
    </message>
    <message>
        <source>--trim: %1 is not START[,LENGTH] in seconds</source>
        <translation>--trim：%1 不是以秒为单位的 START[,LENGTH]</translation>
    </message>
    <message>
        <source>--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)</source>
        <translation>--crop：%1 不是以像素为单位的 TOP,BOTTOM,LEFT,RIGHT（0 或更大）</translation>
    </message>
    <message>
        <source>--text: %1 is not X,Y or X,Y,FROM,TO</source>
        <translation>--text：%1 不是 X,Y 或 X,Y,FROM,TO</translation>
    </message>
    <message>
        <source>--text: the seconds FROM,TO must satisfy 0 &lt;= FROM &lt;= TO</source>
        <translation>--text：秒数 FROM,TO 必须满足 0 &lt;= FROM &lt;= TO</translation>
    </message>
    <message>
        <source>--text: the text is empty</source>
        <translation>--text：文本为空</translation>
    </message>
    <message>
        <source>--profile: %1 is not a profile code (see --list-profiles)</source>
        <translation>--profile：%1 不是输出配置代码（参见 --list-profiles）</translation>
    </message>
    <message>
        <source>--output: the folder name is empty</source>
        <translation>--output：文件夹名称为空</translation>
    </message>
    <message>
        <source>--jobs: %1 is not &quot;auto&quot; or a number from 1 to %2</source>
        <translation>--jobs：%1 不是“auto”，也不是 1 到 %2 之间的数字</translation>
    </message>
    <message>
        <source>--ext: %1 is not NAME=VALUE</source>
        <translation>--ext：%1 不是 NAME=VALUE 格式</translation>
    </message>
    <message>
        <source>--ext %1: %2</source>
        <extracomment>%2 is the media library&apos;s reason, in English</extracomment>
        <translation>--ext %1：%2</translation>
    </message>
    <message>
        <source>--true-peak: %1 is not a level from -20 to 0 dBTP</source>
        <translation>--true-peak：%1 不是 -20 到 0 dBTP 之间的电平</translation>
    </message>
    <message>
        <source>--split: %1 is not chapters</source>
        <translation>--split：%1 不是 chapters</translation>
    </message>
    <message>
        <source>--layout: %1 is not flat, tree or tags</source>
        <translation>--layout：%1 不是 flat、tree 或 tags</translation>
    </message>
    <message>
        <source>--name: %1: %2</source>
        <extracomment>%2 says what is wrong with the name template %1</extracomment>
        <translation>--name：%1：%2</translation>
    </message>
    <message>
        <source>--if-exists: %1 is not number, skip, replace or update</source>
        <translation>--if-exists：%1 不是 number、skip、replace 或 update</translation>
    </message>
    <message>
        <source>--audio-track: %1 is not default, first, a track number, languages such as eng,fre, or all</source>
        <translation>--audio-track：%1 不是 default、first、音轨编号、语言（如 eng,fre）或 all</translation>
    </message>
    <message>
        <source>--info: the file name is empty</source>
        <translation>--info：文件名为空</translation>
    </message>
    <message>
        <source>--album-gain: %1 is not &quot;tags&quot; or &quot;batch&quot;</source>
        <translation>--album-gain：%1 不是“tags”或“batch”</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>--name names files from their tags; it cannot be combined with --layout %1</source>
        <translation>--name 根据标签命名文件，不能与 --layout %1 同时使用</translation>
    </message>
    <message>
        <source>--list-profiles and --info cannot be combined</source>
        <translation>--list-profiles 和 --info 不能同时使用</translation>
    </message>
    <message>
        <source>unexpected file %1 beside %2</source>
        <extracomment>%2 is --list-profiles or --info</extracomment>
        <translation>多余的文件 %1（与 %2 同时给出）</translation>
    </message>
    <message>
        <source>no FILE or FOLDER to convert</source>
        <translation>没有要转换的 FILE 或 FOLDER</translation>
    </message>
    <message>
        <source>Usage: zelta-convert [OPTION]... FILE|FOLDER...
       zelta-convert --list-profiles | --info FILE | --help | --version
Converts each FILE, and every media file below each FOLDER, with an output profile
of the catalogue, as the Start button does.

  --profile CODE        output profile (see --list-profiles); default: the one
                        last chosen in the program
  --output DIR          output folder; default: the program&apos;s output folder
  --jobs N|auto         convert N files at once; auto (the default): one per core
                        for an audio profile, one at a time for a video profile
  --trim START[,LENGTH] keep from START seconds on, LENGTH seconds long
  --crop TOP,BOTTOM,LEFT,RIGHT
                        cut that many pixels off each edge of the picture as
                        shown (a phone video turned upright first)
  --text TEXT[@X,Y[,FROM,TO]]
                        draw TEXT at frame pixel X,Y (default 10,10), from second
                        FROM to second TO (default: the whole file); repeatable
  --ext NAME=VALUE      an extra engine option for every output; repeatable
  --no-tags             write no tags and no cover picture from the sources
  --replaygain          write ReplayGain loudness tags measured while converting
  --layout flat|tree|tags
                        where outputs go: flat (the default) NAME_(new).EXT in the
                        output folder; tree: the folders below each FOLDER are
                        kept, NAME.EXT; tags: named by the --name template
  --name TEMPLATE       name outputs from their tags (implies --layout tags), &quot;/&quot;
                        making folders; fields {artist} {albumartist} {album}
                        {title} {track} {disc} {year} {genre} {name} {folder}
                        {ext} {tracknumber} {tracklang} {chapter}
                        {chaptertitle}; default:
                        {albumartist}/{album}/{track} {title}
  --split chapters      one file per chapter, NAME - NN TITLE (a CUE sheet beside
                        or inside a file, or added itself, always gives one file
                        per track)
  --if-exists number|skip|replace|update
                        when the output exists: number (the default) takes the
                        next free name, skip passes the file over, replace writes
                        over it once the new file is complete, update replaces
                        only an output older than its source
  --audio-track default|first|N|LANG[,LANG...]|all
                        which audio track of a file with several to convert: the
                        one flagged default (the default), the first, number N,
                        the first in the most wanted language (eng,fre), or all:
                        one output per track, NAME_(new)_2_fre.EXT
  --normalize[=TARGET]  bring every file to one loudness: TARGET in LUFS (from
                        -70 to -5) or ebu (-23), podcast (-16), streaming (-14);
                        default: the stored target (-16)
  --true-peak DBTP      highest true peak after normalising (-20 to 0; default -1)
  --album-gain[=tags|batch]
                        one gain for the files of an album (same album and album
                        artist tags; the default) or for the whole batch
  --loudness-tags       take the loudness from ReplayGain or R128 tags when a
                        file has them instead of measuring it
  --fade-in SECONDS     fade the sound in over SECONDS at the start
  --fade-out SECONDS    fade the sound out over SECONDS at the end
  --trim-silence        cut silence (below -50 dBFS for 0.5 s or more) at the
                        start and the end of files without pictures
  --list-profiles       print CODE&lt;TAB&gt;NAME of every profile and exit
  --info FILE           print what the probe reads of FILE and the tags a
                        conversion carries, and exit
  --help                print this text and exit
  --version             print the version and exit

Settings come from zeltavideoaudioconverter.ini (in $ZELTA_HOME when set).
Exit status: 0 every file converted or skipped, 1 a file failed, 2 wrong arguments.

Example, a FLAC library to MP3 for a phone, again after adding albums:
  zelta-convert --profile 0 --layout tree --if-exists update \
                --output ~/phone/Music ~/Music/FLAC
</source>
        <extracomment>zelta-convert --help; keep the option names, their value words and the alignment</extracomment>
        <translation>用法：zelta-convert [OPTION]... FILE|FOLDER...
      zelta-convert --list-profiles | --info FILE | --help | --version
用配置清单中的一个输出配置转换每个 FILE 以及每个 FOLDER 下的所有媒体
文件，效果与“开始”按钮相同。

  --profile CODE        输出配置（参见 --list-profiles）；默认：上次在程序
                        中选择的配置
  --output DIR          输出文件夹；默认：程序的输出文件夹
  --jobs N|auto         同时转换 N 个文件；auto（默认）：音频配置每个核心
                        一个，视频配置一次一个
  --trim START[,LENGTH] 从第 START 秒开始保留，长度为 LENGTH 秒
  --crop TOP,BOTTOM,LEFT,RIGHT
                        从所显示画面的各边分别裁去相应的像素数（手机视频
                        先转为正向）
  --text TEXT[@X,Y[,FROM,TO]]
                        在帧像素 X,Y（默认 10,10）处绘制 TEXT，从第 FROM
                        秒到第 TO 秒（默认：整个文件）；可重复使用
  --ext NAME=VALUE      为每个输出附加一个引擎选项；可重复使用
  --no-tags             不写入来自源文件的标签和封面图片
  --replaygain          写入转换时测得的 ReplayGain 响度标签
  --layout flat|tree|tags
                        输出位置：flat（默认）为输出文件夹中的
                        NAME_(new).EXT；tree：保留每个 FOLDER 下的文件夹
                        结构，NAME.EXT；tags：按 --name 模板命名
  --name TEMPLATE       根据标签命名输出（隐含 --layout tags），“/”创建
                        文件夹；字段 {artist} {albumartist} {album}
                        {title} {track} {disc} {year} {genre} {name} {folder}
                        {ext} {tracknumber} {tracklang} {chapter}
                        {chaptertitle}；默认：
                        {albumartist}/{album}/{track} {title}
  --split chapters      每个章节一个文件，NAME - NN TITLE（文件旁或文件内
                        的 CUE 表，或单独添加的 CUE 表，总是每条音轨生成
                        一个文件）
  --if-exists number|skip|replace|update
                        输出已存在时：number（默认）使用下一个可用名称，
                        skip 跳过该文件，replace 在新文件完成后将其覆盖，
                        update 仅替换比源文件旧的输出
  --audio-track default|first|N|LANG[,LANG...]|all
                        文件有多条音轨时转换哪一条：标记为默认的音轨（默
                        认）、第一条、第 N 条、最优先语言（eng,fre）的第
                        一条，或 all：每条音轨一个输出，
                        NAME_(new)_2_fre.EXT
  --normalize[=TARGET]  将每个文件调整到同一响度：TARGET 以 LUFS 为单位
                        （-70 至 -5），或 ebu (-23)、podcast (-16)、
                        streaming (-14)；默认：已保存的目标 (-16)
  --true-peak DBTP      标准化后的最高真峰值（-20 至 0；默认 -1）
  --album-gain[=tags|batch]
                        同一专辑的文件（专辑和专辑艺术家标签相同；默认）
                        或整个批次使用同一增益
  --loudness-tags       文件带有 ReplayGain 或 R128 标签时从中读取响度，
                        而不进行测量
  --fade-in SECONDS     在开头用 SECONDS 秒淡入声音
  --fade-out SECONDS    在结尾用 SECONDS 秒淡出声音
  --trim-silence        去除无画面文件开头和结尾的静音（低于 -50 dBFS 且
                        持续 0.5 秒或更长）
  --list-profiles       列出每个配置的 CODE&lt;TAB&gt;NAME 并退出
  --info FILE           显示探测读取到的 FILE 信息以及转换会携带的标签，
                        然后退出
  --help                显示此帮助信息并退出
  --version             显示版本信息并退出

设置来自 zeltavideoaudioconverter.ini（若设置了 $ZELTA_HOME 则位于其中）。
退出状态：0 所有文件已转换或跳过，1 有文件失败，2 参数错误。

示例：将 FLAC 音乐库转换为手机用的 MP3，添加专辑后可再次运行：
  zelta-convert --profile 0 --layout tree --if-exists update \
                --output ~/phone/Music ~/Music/FLAC
</translation>
    </message>
</context>
<context>
    <name>ConvertMain</name>
    <message>
        <source>cannot load the media libraries: %1</source>
        <translation>无法加载媒体库：%1</translation>
    </message>
    <message>
        <source>Audio tracks: none</source>
        <translation>音轨：无</translation>
    </message>
    <message>
        <source>Audio tracks:</source>
        <translation>音轨：</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>章节：</translation>
    </message>
    <message>
        <source>Tags carried: none</source>
        <translation>携带的标签：无</translation>
    </message>
    <message>
        <source>Tags carried:</source>
        <translation>携带的标签：</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n 字节</numerusform>
        </translation>
    </message>
    <message>
        <source>warning: %1 cannot be used (%2); using defaults</source>
        <translation>警告：无法使用 %1（%2）；改用默认值</translation>
    </message>
    <message>
        <source>no profile %1 in %2 (see --list-profiles)</source>
        <translation>%2 中没有输出配置 %1（参见 --list-profiles）</translation>
    </message>
    <message>
        <source>cannot create a temporary folder</source>
        <translation>无法创建临时文件夹</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>cannot create the output folder %1: %2</source>
        <translation>无法创建输出文件夹 %1：%2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>已停止</translation>
    </message>
    <message>
        <source>the conversion did not run</source>
        <translation>转换未运行</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files converted, %3 failed</source>
        <extracomment>%1 converted of %2 files (the count), %3 failed; more clauses may follow</extracomment>
        <translation>
            <numerusform>%2 个文件中已转换 %1 个，%3 个失败</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 skipped</source>
        <translation>
            <numerusform>，%1 个已跳过</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n with warnings</source>
        <translation>
            <numerusform>，%n 个有警告</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CropLogic</name>
    <message>
        <source>Result: %1 x %2</source>
        <extracomment>the picture size that the crop leaves, width x height</extracomment>
        <translation>结果：%1 x %2</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>the CUE sheet cannot be read: it is not written as a CUE sheet is</source>
        <translation>无法读取 CUE 表：其格式不符合 CUE 表的写法</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: track %1 has no start (INDEX 01)</source>
        <translation>无法读取 CUE 表：音轨 %1 没有起始位置 (INDEX 01)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it lists no tracks</source>
        <translation>无法读取 CUE 表：其中没有列出任何音轨</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it names no audio file (FILE)</source>
        <translation>无法读取 CUE 表：其中没有指定音频文件 (FILE)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: %1</source>
        <translation>无法读取 CUE 表：%1</translation>
    </message>
</context>
<context>
    <name>DesktopNotices</name>
    <message>
        <source>Conversion stopped</source>
        <translation>转换已停止</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>转换已完成，但有错误</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>转换已完成</translation>
    </message>
    <message numerus="yes">
        <source>%n file converted</source>
        <translation>
            <numerusform>已转换 %n 个文件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files converted</source>
        <translation>
            <numerusform>已转换 %n 个文件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file converted</source>
        <translation>
            <numerusform>%n 个文件中已转换 %1 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files converted</source>
        <translation>
            <numerusform>%n 个文件中已转换 %1 个</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n failed</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files failed</extracomment>
        <translation>
            <numerusform>，%n 个失败</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n skipped</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files were passed over</extracomment>
        <translation>
            <numerusform>，%n 个已跳过</numerusform>
        </translation>
    </message>
    <message>
        <source>Conversion stopped: %1</source>
        <translation>转换已停止：%1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <extracomment>the button of the notice at the end of a batch</extracomment>
        <translation>打开文件夹</translation>
    </message>
</context>
<context>
    <name>FileInfoLogic</name>
    <message>
        <source>%1 (estimated)</source>
        <extracomment>a frame count worked out from the length and the frame rate</extracomment>
        <translation>%1（估计值）</translation>
    </message>
    <message>
        <source>stored %1</source>
        <extracomment>the picture&apos;s size as stored in the file (a remark after the size shown)</extracomment>
        <translation>存储尺寸 %1</translation>
    </message>
    <message>
        <source>pixel aspect %1:%2</source>
        <translation>像素宽高比 %1:%2</translation>
    </message>
    <message>
        <source>display aspect %1</source>
        <translation>显示宽高比 %1</translation>
    </message>
    <message>
        <source>rotated %1°</source>
        <extracomment>%1 is the turn in degrees, followed by the degree sign</extracomment>
        <translation>已旋转 %1°</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>the file&apos;s length in seconds, with milliseconds (&quot;12.345 Second&quot;)</extracomment>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>n/a</source>
        <extracomment>file information: a value that does not apply or is unknown</extracomment>
        <translation>不适用</translation>
    </message>
</context>
<context>
    <name>FolderChooserLogic</name>
    <message>
        <source>Output folder cannot be located in CD-ROM.Please select another folder.</source>
        <translation>输出文件夹不能位于 CD-ROM 中。请选择其他文件夹。</translation>
    </message>
</context>
<context>
    <name>GlobalObject</name>
    <message>
        <source>The settings file %1 cannot be used: %2. The program starts with the default settings and leaves the file as it is until a setting is changed; it is then kept as %3.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>无法使用设置文件 %1：%2。程序将以默认设置启动，并在更改某项设置之前保持该文件不变；届时该文件将另存为 %3。</translation>
    </message>
    <message>
        <source>The profile catalogue %1 cannot be used: %2. Only the built-in audio formats are offered, with their default values.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>无法使用输出配置清单 %1：%2。仅提供内置音频格式，并使用其默认值。</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>it is empty</source>
        <translation>文件为空</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>不是文本文件</translation>
    </message>
    <message>
        <source>it is cut off</source>
        <translation>文件不完整</translation>
    </message>
    <message>
        <source>it has no section</source>
        <translation>没有任何节</translation>
    </message>
    <message>
        <source>invalid section name</source>
        <translation>无效的节名称</translation>
    </message>
    <message>
        <source>invalid key name</source>
        <translation>无效的键名称</translation>
    </message>
    <message>
        <source>a value cannot contain a line break</source>
        <translation>值不能包含换行符</translation>
    </message>
    <message>
        <source>Cannot write settings file %1: %2</source>
        <translation>无法写入设置文件 %1：%2</translation>
    </message>
</context>
<context>
    <name>JobBuilder</name>
    <message>
        <source>Error output Video Size.Use the default size 320x240?</source>
        <translation>输出视频尺寸错误。是否使用默认尺寸 320x240？</translation>
    </message>
</context>
<context>
    <name>LibraryWalker</name>
    <message numerus="yes">
        <source>%n file added</source>
        <translation>
            <numerusform>已添加 %n 个文件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 files added</source>
        <translation>
            <numerusform>已添加 %1 个文件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n other skipped</source>
        <extracomment>added to &quot;12 files added&quot;: files in the folders that are no media</extracomment>
        <translation>
            <numerusform>，跳过 %n 个其他文件</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 others skipped</source>
        <translation>
            <numerusform>，跳过 %1 个其他文件</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LoudnessPreferences</name>
    <message>
        <source>The loudness target must be a number between -70 and -5 LUFS.</source>
        <translation>响度目标必须是 -70 到 -5 LUFS 之间的数字。</translation>
    </message>
    <message>
        <source>The true-peak ceiling must lie between -20 and 0 dBTP.</source>
        <translation>真峰值上限必须介于 -20 和 0 dBTP 之间。</translation>
    </message>
    <message>
        <source>A fade must last between 0 and 3600 seconds.</source>
        <translation>淡入淡出时长必须介于 0 到 3600 秒之间。</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Usage: zelta [QT-OPTION]... [FILE]...
Opens the converter window; each FILE is added to the list of files to convert.

  --help     print this text and exit
  --version  print the version and exit
  --         end of the options: every later argument is a file

Qt&apos;s own options (such as -platform NAME or -style NAME) are accepted as well.
Settings are kept in zeltavideoaudioconverter.ini (in $ZELTA_HOME when set).
</source>
        <extracomment>zelta --help; keep the option names and the alignment</extracomment>
        <translation>用法：zelta [QT-OPTION]... [FILE]...
打开转换器窗口；每个 FILE 都会添加到待转换文件列表中。

  --help     显示此帮助信息并退出
  --version  显示版本信息并退出
  --         选项结束：其后的每个参数都是文件

也接受 Qt 自身的选项（如 -platform NAME 或 -style NAME）。
设置保存在 zeltavideoaudioconverter.ini 中（若设置了 $ZELTA_HOME 则位于其中）。
</translation>
    </message>
    <message>
        <source>no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without a screen.
</source>
        <translation>未找到显示器（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。
请从桌面会话中启动，或设置 QT_QPA_PLATFORM=offscreen 以在无屏幕的情况下运行。
</translation>
    </message>
</context>
<context>
    <name>OutputNames</name>
    <message>
        <source>the name is empty</source>
        <translation>名称为空</translation>
    </message>
    <message>
        <source>a &quot;}&quot; without &quot;{&quot;</source>
        <translation>有“}”但没有“{”</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without &quot;}&quot;</source>
        <translation>有“{”但没有“}”</translation>
    </message>
    <message>
        <source>unknown field {%1}</source>
        <extracomment>%1 is a field name of the name template, shown in braces</extracomment>
        <translation>未知字段 {%1}</translation>
    </message>
    <message>
        <source>the name has no field, so every file would get the same name</source>
        <translation>名称中没有字段，因此每个文件都会得到相同的名称</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>无法在 %1 中查找可用名称：%2</translation>
    </message>
    <message>
        <source>every numbered name of %1 up to %2 is taken in %3</source>
        <translation>%1 的所有编号名称（最多到 %2）在 %3 中均已被占用</translation>
    </message>
    <message>
        <source>the output exists</source>
        <translation>输出已存在</translation>
    </message>
    <message>
        <source>the output is up to date</source>
        <translation>输出已是最新</translation>
    </message>
</context>
<context>
    <name>PreviewLogic</name>
    <message>
        <source>not a folder</source>
        <translation>不是文件夹</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>无法创建输出文件夹：%1。将创建默认文件夹 %2！</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>无法创建输出文件夹：%1（%2）</translation>
    </message>
</context>
<context>
    <name>Segments</name>
    <message>
        <source>the CUE sheet names a file that is not there: %1</source>
        <translation>CUE 表指定的文件不存在：%1</translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <extracomment>the Source column&apos;s caption of a chapter or CUE track without a title</extracomment>
        <translation>章节 %1</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>音轨 %1</translation>
    </message>
</context>
<context>
    <name>SettingsLogic</name>
    <message>
        <source>Frame Size is not a valid value!</source>
        <translation>帧尺寸的值无效！</translation>
    </message>
    <message>
        <source>Frame Size must be a multiple of 2.
The correct value:%1</source>
        <translation>帧尺寸必须是 2 的倍数。
正确的值：%1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>“%1”不是有效的整数值</translation>
    </message>
    <message>
        <source>Video BitRate is not a valid value!</source>
        <translation>视频比特率的值无效！</translation>
    </message>
    <message>
        <source>Audio BitRate is not a valid value!</source>
        <translation>音频比特率的值无效！</translation>
    </message>
    <message>
        <source>Audio SampleRate is not a valid value!</source>
        <translation>音频采样率的值无效！</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>信箱模式</translation>
    </message>
    <message>
        <source>Pan and Scan</source>
        <translation>全景扫描</translation>
    </message>
    <message>
        <source>Please enter numerical.</source>
        <translation>请输入数字。</translation>
    </message>
    <message>
        <source>Input Error!</source>
        <translation>输入错误！</translation>
    </message>
</context>
<context>
    <name>SourceList</name>
    <message>
        <source>All Supported Video Formats</source>
        <translation>所有支持的视频格式</translation>
    </message>
    <message>
        <source>All Supported Audio Formats</source>
        <translation>所有支持的音频格式</translation>
    </message>
    <message>
        <source>AVI files (*.avi)</source>
        <translation>AVI 文件 (*.avi)</translation>
    </message>
    <message>
        <source>MPEG4 files (*.mp4)</source>
        <translation>MPEG4 文件 (*.mp4)</translation>
    </message>
    <message>
        <source>MPEG files (*.mpg,*.mpeg)</source>
        <translation>MPEG 文件 (*.mpg,*.mpeg)</translation>
    </message>
    <message>
        <source>3GP files (*.3gp,*.3g2)</source>
        <translation>3GP 文件 (*.3gp,*.3g2)</translation>
    </message>
    <message>
        <source>Itunes Video files (*.m4v)</source>
        <translation>iTunes 视频文件 (*.m4v)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv,*.asf)</source>
        <translation>Windows Media 文件 (*.wmv,*.asf)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm,*.rmvb)</source>
        <translation>Real Media 文件 (*.rm,*.rmvb)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>VCD 文件 (*.dat)</translation>
    </message>
    <message>
        <source>Quick Time files (*.mov)</source>
        <translation>QuickTime 文件 (*.mov)</translation>
    </message>
    <message>
        <source>Flash Video files (*.flv)</source>
        <translation>Flash 视频文件 (*.flv)</translation>
    </message>
    <message>
        <source>Matroska Video files (*.mkv)</source>
        <translation>Matroska 视频文件 (*.mkv)</translation>
    </message>
    <message>
        <source>MJPEG Video files (*.mjpg,*.mjpeg)</source>
        <translation>MJPEG 视频文件 (*.mjpg,*.mjpeg)</translation>
    </message>
    <message>
        <source>Animated GIF files (*.gif)</source>
        <translation>GIF 动画文件 (*.gif)</translation>
    </message>
    <message>
        <source>H.264/MPEG4 AVC Video files (*.mts,*.m2ts)</source>
        <translation>H.264/MPEG4 AVC 视频文件 (*.mts,*.m2ts)</translation>
    </message>
    <message>
        <source>DVD video object files (*.vob)</source>
        <translation>DVD 视频对象文件 (*.vob)</translation>
    </message>
    <message>
        <source>MPEG-1 Video files (*.mpv)</source>
        <translation>MPEG-1 视频文件 (*.mpv)</translation>
    </message>
    <message>
        <source>Video Transport Stream files (*.ts)</source>
        <translation>视频传输流文件 (*.ts)</translation>
    </message>
    <message>
        <source>TP Video files (*.tp)</source>
        <translation>TP 视频文件 (*.tp)</translation>
    </message>
    <message>
        <source>Maceomeida Flash files (*.swf)</source>
        <translation>Macromedia Flash 文件 (*.swf)</translation>
    </message>
    <message>
        <source>MP3 Audio files (*.mp3)</source>
        <translation>MP3 音频文件 (*.mp3)</translation>
    </message>
    <message>
        <source>Advanced Audio Coding files (*.aac)</source>
        <translation>高级音频编码文件 (*.aac)</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio files (*.ape)</source>
        <translation>Monkey&apos;s Audio 文件 (*.ape)</translation>
    </message>
    <message>
        <source>Ogg Vorbis Audio files (*.ogg)</source>
        <translation>Ogg Vorbis 音频文件 (*.ogg)</translation>
    </message>
    <message>
        <source>Windows Media Audio files (*.wma)</source>
        <translation>Windows Media 音频文件 (*.wma)</translation>
    </message>
    <message>
        <source>MusePack Audio files (*.mpc)</source>
        <translation>Musepack 音频文件 (*.mpc)</translation>
    </message>
    <message>
        <source>MPEG Audio files (*.mpa)</source>
        <translation>MPEG 音频文件 (*.mpa)</translation>
    </message>
    <message>
        <source>MPEG-4 Audio files (*.m4a)</source>
        <translation>MPEG-4 音频文件 (*.m4a)</translation>
    </message>
    <message>
        <source>Matroska Audio files (*.mka)</source>
        <translation>Matroska 音频文件 (*.mka)</translation>
    </message>
    <message>
        <source>DTS Audio files (*.dts)</source>
        <translation>DTS 音频文件 (*.dts)</translation>
    </message>
    <message>
        <source>Audio Codec 3 files (*.ac3)</source>
        <translation>AC-3 音频文件 (*.ac3)</translation>
    </message>
    <message>
        <source>Speex Audio files (*.spx)</source>
        <translation>Speex 音频文件 (*.spx)</translation>
    </message>
    <message>
        <source>Real Audio files (*.ra,*.ram)</source>
        <translation>Real Audio 文件 (*.ra,*.ram)</translation>
    </message>
    <message>
        <source>MPEG Layer II Compressed Audio files (*.mp2)</source>
        <translation>MPEG Layer II 压缩音频文件 (*.mp2)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>所有文件 (*.*)</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>未指定文件夹</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>不是文件夹</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>无法创建输出文件夹：%1。将创建默认文件夹 %2！</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>无法创建输出文件夹：%1（%2）</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>无法在 %1 中查找可用名称：%2</translation>
    </message>
    <message>
        <source>every name from %1 to %2 is taken in %3</source>
        <translation>从 %1 到 %2 的所有名称在 %3 中均已被占用</translation>
    </message>
    <message>
        <source>[audio %1] %2</source>
        <extracomment>%1 is the chosen audio track (&quot;2: fre&quot;), %2 the file</extracomment>
        <translation>[音轨 %1] %2</translation>
    </message>
    <message>
        <source>Audio track %1</source>
        <translation>音轨 %1</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>源文件</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Trimmed Length</source>
        <translation>截取后时长</translation>
    </message>
    <message>
        <source>Destination File</source>
        <translation>目标文件</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>The file is not there any more.</source>
        <translation>该文件已不存在。</translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>Progress column status of a file that could not be converted</extracomment>
        <translation>错误</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>Progress column status of a file converted with warnings</extracomment>
        <translation>警告</translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>Progress column status of a file that was passed over (its output exists)</extracomment>
        <translation>已跳过</translation>
    </message>
    <message>
        <source>Missing</source>
        <extracomment>Progress column status of a kept row whose file is gone</extracomment>
        <translation>缺失</translation>
    </message>
</context>
<context>
    <name>TBusyProgress</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TFormatPicker</name>
    <message>
        <source>Output profiles</source>
        <translation>输出配置</translation>
    </message>
</context>
<context>
    <name>TPrefLoudnessPage</name>
    <message>
        <source>-23 LUFS (EBU R128)</source>
        <translation>-23 LUFS (EBU R128)</translation>
    </message>
    <message>
        <source>-16 LUFS (podcasts)</source>
        <translation>-16 LUFS（播客）</translation>
    </message>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS（流媒体）</translation>
    </message>
    <message>
        <source>Other:</source>
        <extracomment>Loudness target: the one typed in the box beside</extracomment>
        <translation>其他：</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>Album mode: no album gain</extracomment>
        <translation>关闭</translation>
    </message>
    <message>
        <source>By album tags</source>
        <translation>按专辑标签</translation>
    </message>
    <message>
        <source>Whole batch</source>
        <translation>整个批次</translation>
    </message>
    <message>
        <source>Loudness</source>
        <extracomment>Tab of the loudness preferences</extracomment>
        <translation>响度</translation>
    </message>
    <message>
        <source>&amp;Normalise loudness</source>
        <translation>响度标准化(&amp;N)</translation>
    </message>
    <message>
        <source>Measures each file first, then brings it to the target with one constant gain</source>
        <translation>先测量每个文件，然后以一个恒定增益将其调整到目标响度</translation>
    </message>
    <message>
        <source>Other target in LUFS</source>
        <translation>其他目标值 (LUFS)</translation>
    </message>
    <message>
        <source>&amp;Target:</source>
        <translation>目标(&amp;T)：</translation>
    </message>
    <message>
        <source>True-peak &amp;ceiling:</source>
        <translation>真峰值上限(&amp;C)：</translation>
    </message>
    <message>
        <source>One gain for the files of an album (same album and album artist tags) or for the whole batch, so they keep their levels relative to each other</source>
        <translation>同一专辑的文件（专辑和专辑艺术家标签相同）或整个批次使用同一增益，从而保持它们之间的相对电平</translation>
    </message>
    <message>
        <source>&amp;Album mode:</source>
        <translation>专辑模式(&amp;A)：</translation>
    </message>
    <message>
        <source>Use Replay&amp;Gain or R128 tags when present</source>
        <translation>如有 ReplayGain 或 R128 标签则使用(&amp;G)</translation>
    </message>
    <message>
        <source>A file whose tags state its loudness is not measured</source>
        <translation>标签中已注明响度的文件不再测量</translation>
    </message>
    <message>
        <source>Fades and silence</source>
        <translation>淡入淡出和静音</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>Unit after a number of seconds (with the space before it)</extracomment>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Fade &amp;in:</source>
        <translation>淡入(&amp;I)：</translation>
    </message>
    <message>
        <source>Fade &amp;out:</source>
        <translation>淡出(&amp;O)：</translation>
    </message>
    <message>
        <source>Trim &amp;silence at the start and the end</source>
        <translation>去除开头和结尾的静音(&amp;S)</translation>
    </message>
    <message>
        <source>Cuts silence below -50 dBFS lasting 0.5 s or more (files without pictures only)</source>
        <translation>去除低于 -50 dBFS 且持续 0.5 秒或更长的静音（仅限无画面的文件）</translation>
    </message>
</context>
<context>
    <name>TPrefOutputPage</name>
    <message>
        <source>Output names</source>
        <translation>输出名称</translation>
    </message>
    <message>
        <source>Output folder</source>
        <extracomment>Output layout: every output straight in the output folder</extracomment>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>name_(new).ext in the output folder</source>
        <translation>输出文件夹中的 name_(new).ext</translation>
    </message>
    <message>
        <source>Keep the folder tree</source>
        <translation>保留文件夹结构</translation>
    </message>
    <message>
        <source>The folders below an added folder are made again in the output folder</source>
        <translation>在输出文件夹中重建所添加文件夹下的子文件夹</translation>
    </message>
    <message>
        <source>Name from tags</source>
        <translation>根据标签命名</translation>
    </message>
    <message>
        <source>Folders and names made of the files&apos; tags</source>
        <translation>由文件标签组成的文件夹和名称</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; makes folders</source>
        <extracomment>The names in braces are what the template is written with: keep them as they are</extracomment>
        <translation>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}；“/”创建文件夹</translation>
    </message>
    <message>
        <source>Portable names (for memory cards)</source>
        <translation>兼容名称（适用于存储卡）</translation>
    </message>
    <message>
        <source>Also replaces &lt; &gt; : &quot; \ | ? * and trailing dots and blanks</source>
        <translation>同时替换 &lt; &gt; : &quot; \ | ? * 以及末尾的点和空格</translation>
    </message>
    <message>
        <source>Copy folder pictures (cover.jpg, folder.jpg) beside the outputs</source>
        <translation>将文件夹图片 (cover.jpg, folder.jpg) 复制到输出文件旁</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>示例：</translation>
    </message>
    <message>
        <source>When the output exists</source>
        <translation>输出已存在时</translation>
    </message>
    <message>
        <source>Number (keep both)</source>
        <translation>编号（两者都保留）</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>When the output exists: leave it and convert nothing</extracomment>
        <translation>跳过</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Update (replace when the source is newer)</source>
        <translation>更新（源文件较新时替换）</translation>
    </message>
    <message>
        <source>Audio tracks</source>
        <translation>音轨</translation>
    </message>
    <message>
        <source>Files with several: &amp;convert</source>
        <translation>多音轨文件：转换(&amp;C)</translation>
    </message>
    <message>
        <source>default: the track flagged default, else the first; first; a track number; languages in order of preference (eng,fre); all: a file for each track</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>default：标记为默认的音轨，否则为第一条；first：第一条；音轨编号；按优先顺序排列的语言 (eng,fre)；all：每条音轨一个文件</translation>
    </message>
    <message>
        <source>Files with chapters</source>
        <translation>含章节的文件</translation>
    </message>
    <message>
        <source>One file per chapter</source>
        <translation>每个章节一个文件</translation>
    </message>
    <message>
        <source>Files added later with chapters (audiobooks, concerts) give a row per chapter, named &quot;name - 01 title&quot;; a CUE sheet always gives a row per track</source>
        <translation>之后添加的含章节文件（有声书、音乐会）每个章节占一行，命名为“name - 01 title”；CUE 表总是每条音轨占一行</translation>
    </message>
    <message>
        <source>The audio track rule cannot be used: write default, first, a track number, languages such as eng,fre, or all.</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>无法使用该音轨规则：请填写 default、first、音轨编号、语言（如 eng,fre）或 all。</translation>
    </message>
    <message>
        <source>The name cannot be used: %1.</source>
        <extracomment>%1 says what is wrong with the typed name template</extracomment>
        <translation>无法使用该名称：%1。</translation>
    </message>
</context>
<context>
    <name>TPreviewPanel</name>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Screen-reader name of the playing position slider</extracomment>
        <translation>播放位置</translation>
    </message>
    <message>
        <source>Play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>Tool tip of the player&apos;s stop button</extracomment>
        <translation>停止</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>保存截图</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Check box: the preview plays without sound</extracomment>
        <translation>静音</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>音量：</translation>
    </message>
    <message>
        <source>duration: %1, frame size: %2x%3</source>
        <extracomment>Log line when the preview opens a file: its length in seconds and its picture size</extracomment>
        <translation>时长：%1，画面尺寸：%2x%3</translation>
    </message>
</context>
<context>
    <name>TRectTracker</name>
    <message>
        <source>Area to keep: drag it or its handles; arrow keys move it, Shift+arrow keys resize it</source>
        <translation>保留区域：拖动区域或其控制柄；方向键移动区域，Shift+方向键调整大小</translation>
    </message>
    <message>
        <source>Crop area</source>
        <translation>裁剪区域</translation>
    </message>
</context>
<context>
    <name>TfmDirectory</name>
    <message>
        <source>Brows</source>
        <extracomment>Title of the folder chooser</extracomment>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Please select an output directory:</source>
        <translation>请选择输出文件夹：</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
</context>
<context>
    <name>TfrmAudioTrack</name>
    <message>
        <source>Audio Track</source>
        <extracomment>Window title of the dialog choosing which audio track converts</extracomment>
        <translation>音轨</translation>
    </message>
    <message>
        <source>&amp;Audio track to convert:</source>
        <translation>要转换的音轨(&amp;A)：</translation>
    </message>
</context>
<context>
    <name>TfrmCrop</name>
    <message>
        <source>Crop</source>
        <extracomment>Window title of the crop dialog
----------
Group box of the four margins to cut away</extracomment>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>Player panel</source>
        <translation>播放器面板</translation>
    </message>
    <message>
        <source>Preview</source>
        <extracomment>Group box around the picture</extracomment>
        <translation>预览</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Margin cut away at the top of the picture</extracomment>
        <translation>上</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Margin cut away at the bottom of the picture</extracomment>
        <translation>下</translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Margin cut away at the left of the picture</extracomment>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <extracomment>Margin cut away at the right of the picture</extracomment>
        <translation>右</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: back to the margins the dialog opened with</extracomment>
        <translation>重置</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <extracomment>Button: no margins at all</extracomment>
        <translation>默认(&amp;D)</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>缩放：</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>信箱模式</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>播放位置</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>播放</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Time:</source>
        <extracomment>Caption of the playing time</extracomment>
        <translation>时间：</translation>
    </message>
    <message>
        <source>Length:</source>
        <extracomment>Caption of the file&apos;s playing length</extracomment>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Source File:</source>
        <translation>源文件：</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>The file&apos;s length in seconds, e.g. &quot;12.345 Second&quot;</extracomment>
        <translation>%1 秒</translation>
    </message>
</context>
<context>
    <name>TfrmFileInfo</name>
    <message>
        <source>File infomation</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名：</translation>
    </message>
    <message>
        <source>Duration:</source>
        <extracomment>The file&apos;s playing length</extracomment>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Video </source>
        <extracomment>Group of the file&apos;s video stream details</extracomment>
        <translation>视频 </translation>
    </message>
    <message>
        <source>Format:</source>
        <extracomment>The video stream&apos;s codec</extracomment>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Resloution:</source>
        <translation>分辨率：</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>帧率：</translation>
    </message>
    <message>
        <source>Total Frame:</source>
        <extracomment>The number of frames of the video stream</extracomment>
        <translation>总帧数：</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>比特率：</translation>
    </message>
    <message>
        <source>Audio</source>
        <extracomment>Group of the file&apos;s audio stream details</extracomment>
        <translation>音频</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>采样率：</translation>
    </message>
    <message>
        <source>Channel:</source>
        <extracomment>The audio stream&apos;s channel layout (mono, stereo, ...)</extracomment>
        <translation>声道：</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <extracomment>The file&apos;s audio tracks</extracomment>
        <translation>音轨：</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>n/a</source>
        <extracomment>Not applicable: the file has no audio track</extracomment>
        <translation>不适用</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>添加文件夹</translation>
    </message>
    <message>
        <source>Source files</source>
        <translation>源文件</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>音频格式</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>更多菜单</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>添加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>移除(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>清空(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>开始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Add &amp;Files...</source>
        <translation>添加文件(&amp;F)...</translation>
    </message>
    <message>
        <source>Add F&amp;older...</source>
        <translation>添加文件夹(&amp;O)...</translation>
    </message>
    <message>
        <source>Output</source>
        <extracomment>Title of the group with the output format and the output folder</extracomment>
        <translation>输出</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>输出格式：</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>输出文件夹：</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Button that opens the output folder in the file manager</extracomment>
        <translation>打开</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Se&amp;ttings</source>
        <translation>设置(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Crop</source>
        <translation>裁剪(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Trim</source>
        <translation>截取(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Video Effect &amp;&amp; Water Mark</source>
        <translation>视频效果 &amp;&amp; 水印(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Audio Track...</source>
        <translation>音轨(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>全部勾选(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>全部取消勾选(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Reverse Check</source>
        <translation>反向勾选(&amp;R)</translation>
    </message>
    <message>
        <source>C&amp;heck</source>
        <translation>勾选(&amp;H)</translation>
    </message>
    <message>
        <source>U&amp;ncheck</source>
        <translation>取消勾选(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>工具(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Preference</source>
        <translation>首选项(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Skin</source>
        <translation>皮肤(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Support and Contact</source>
        <translation>支持与联系(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Web Site</source>
        <translation>网站(&amp;W)</translation>
    </message>
    <message>
        <source>Audio Trac&amp;k...</source>
        <translation>音轨(&amp;K)...</translation>
    </message>
    <message>
        <source>One File per C&amp;hapter</source>
        <translation>每个章节一个文件(&amp;H)</translation>
    </message>
    <message>
        <source>Video &amp;Infomation</source>
        <translation>视频信息(&amp;I)</translation>
    </message>
    <message>
        <source>Adding</source>
        <extracomment>Title of the box shown while many files are added (its text follows)</extracomment>
        <translation>正在添加</translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation>正在添加第 %1 个，共 %2 个…</translation>
    </message>
    <message>
        <source>This file has no chapters to split it by.</source>
        <translation>此文件没有可用于拆分的章节。</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>正在准备</translation>
    </message>
    <message>
        <source>Preparing %1 of %2…</source>
        <translation>正在准备第 %1 个，共 %2 个…</translation>
    </message>
    <message>
        <source>The list could not be kept: %1</source>
        <translation>无法保存列表：%1</translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Skin menu: name of a colour theme</extracomment>
        <translation>默认</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>橙色</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>紫色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Light blue</source>
        <translation>浅蓝色</translation>
    </message>
    <message>
        <source>Follow system</source>
        <translation>跟随系统</translation>
    </message>
</context>
<context>
    <name>TfrmPreference</name>
    <message>
        <source>Preference</source>
        <extracomment>Title of the preferences window</extracomment>
        <translation>首选项</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>首选项页面</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <extracomment>Group of the settings for pictures saved from the playing video</extracomment>
        <translation>截图</translation>
    </message>
    <message>
        <source>Snapshot folder:</source>
        <translation>截图文件夹：</translation>
    </message>
    <message>
        <source>&amp;Brows</source>
        <translation>浏览(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <extracomment>Button that opens the snapshot folder in the file manager</extracomment>
        <translation>打开(&amp;O)</translation>
    </message>
    <message>
        <source>Snapshot size:</source>
        <translation>截图尺寸：</translation>
    </message>
    <message>
        <source>Small Size</source>
        <translation>小尺寸</translation>
    </message>
    <message>
        <source>Full Size</source>
        <translation>原始尺寸</translation>
    </message>
    <message>
        <source>Snapshot format:</source>
        <translation>截图格式：</translation>
    </message>
    <message>
        <source>Jpg Compression Quality:</source>
        <translation>JPG 压缩质量：</translation>
    </message>
    <message>
        <source>Jpg Compression Quality slider</source>
        <translation>JPG 压缩质量滑块</translation>
    </message>
    <message>
        <source>(The higher the value, the better the image quality.)</source>
        <translation>（数值越高，图像质量越好。）</translation>
    </message>
    <message>
        <source>Work priority</source>
        <translation>工作优先级</translation>
    </message>
    <message>
        <source>Idle</source>
        <extracomment>Work priority of the conversions</extracomment>
        <translation>空闲</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>较低</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>最低</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>同时转换数：</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Simultaneous conversions chosen by the program</extracomment>
        <translation>自动</translation>
    </message>
    <message>
        <source>Auto: one file per core for audio profiles, one at a time for video</source>
        <translation>自动：音频配置每个核心转换一个文件，视频配置一次一个</translation>
    </message>
    <message>
        <source>Keep tags and cover art</source>
        <translation>保留标签和封面</translation>
    </message>
    <message>
        <source>Write ReplayGain tags</source>
        <translation>写入 ReplayGain 标签</translation>
    </message>
    <message>
        <source>Measures the loudness while converting</source>
        <translation>在转换时测量响度</translation>
    </message>
    <message>
        <source>Tell me when a batch ends in the background</source>
        <translation>批次在后台完成时通知我</translation>
    </message>
    <message>
        <source>A desktop notification when the window is not active</source>
        <translation>窗口未激活时显示桌面通知</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>Interface language choice: the desktop&apos;s language</extracomment>
        <translation>系统</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>默认(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>General</source>
        <extracomment>Tab of the general preferences</extracomment>
        <translation>常规</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>下次启动时生效</translation>
    </message>
</context>
<context>
    <name>TfrmProgress</name>
    <message>
        <source>Progress</source>
        <extracomment>Title of the window shown while the files convert</extracomment>
        <translation>进度</translation>
    </message>
    <message>
        <source>Current Time:</source>
        <translation>当前时间：</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>时长：</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>文件大小：</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>File:</source>
        <extracomment>The output file being written</extracomment>
        <translation>文件：</translation>
    </message>
    <message>
        <source>Converting now:</source>
        <translation>正在转换：</translation>
    </message>
    <message>
        <source>Files done:</source>
        <translation>已完成文件：</translation>
    </message>
    <message>
        <source>Elapsed:</source>
        <translation>已用时间：</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>剩余时间：</translation>
    </message>
    <message>
        <source>All files: %p%</source>
        <extracomment>Text on the progress bar of the whole batch; Qt puts the percentage in place of %p</extracomment>
        <translation>所有文件：%p%</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>保存截图</translation>
    </message>
    <message>
        <source>Open the output folder after conversion</source>
        <translation>转换完成后打开输出文件夹</translation>
    </message>
    <message>
        <source>Shut down computer after conversion</source>
        <translation>转换完成后关闭计算机</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TfrmSettings</name>
    <message>
        <source>Settings</source>
        <extracomment>Title of the window with the output profile&apos;s video and audio settings</extracomment>
        <translation>设置</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>输出格式：</translation>
    </message>
    <message>
        <source>Video Options</source>
        <translation>视频选项</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>帧尺寸：</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>编码器：</translation>
    </message>
    <message>
        <source>BitRate (Kbps):</source>
        <translation>比特率 (Kbps)：</translation>
    </message>
    <message>
        <source>FrameRate (Fps):</source>
        <translation>帧率 (Fps)：</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>缩放：</translation>
    </message>
    <message>
        <source>Audio Options</source>
        <translation>音频选项</translation>
    </message>
    <message>
        <source>SampleRate (Hz):</source>
        <translation>采样率 (Hz)：</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>声道：</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>音量：</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>默认(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>TfrmTrim</name>
    <message>
        <source>Trim</source>
        <extracomment>Window title of the dialog that cuts a file to a part of it</extracomment>
        <translation>截取</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>播放位置</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>播放</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>暂停</translation>
    </message>
    <message>
        <source>&lt;- &amp;Set Start</source>
        <translation>&lt;- 设为开始(&amp;S)</translation>
    </message>
    <message>
        <source>Start:</source>
        <extracomment>Caption of the trimmed part&apos;s start time</extracomment>
        <translation>开始：</translation>
    </message>
    <message>
        <source>End:</source>
        <extracomment>Caption of the trimmed part&apos;s end time</extracomment>
        <translation>结束：</translation>
    </message>
    <message>
        <source>Type h:mm:ss.mmm or seconds and press Enter</source>
        <translation>输入 h:mm:ss.mmm 或秒数，然后按 Enter</translation>
    </message>
    <message>
        <source>Set &amp;End -&gt;</source>
        <translation>设为结束(&amp;E) -&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <extracomment>Button: the whole file again</extracomment>
        <translation>重置(&amp;R)</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>时长：    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>时间：    %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>TfrmWaterMark</name>
    <message>
        <source>Player picture</source>
        <translation>播放器画面</translation>
    </message>
    <message>
        <source>Watermark layers</source>
        <translation>水印图层</translation>
    </message>
    <message>
        <source>Watermark layers picture</source>
        <translation>水印图层画面</translation>
    </message>
    <message>
        <source>Watermark layers horizontal scroll</source>
        <translation>水印图层水平滚动条</translation>
    </message>
    <message>
        <source>Watermark layers vertical scroll</source>
        <translation>水印图层垂直滚动条</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Tool tip of the playing position slider</extracomment>
        <translation>播放位置</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>播放</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Play Time</source>
        <extracomment>Placeholder of the playing time until a file plays</extracomment>
        <translation>播放时间</translation>
    </message>
    <message>
        <source>Length</source>
        <extracomment>Placeholder of the file&apos;s length until a file plays</extracomment>
        <translation>时长</translation>
    </message>
    <message>
        <source>Watermark and Effect pages</source>
        <translation>水印和效果页面</translation>
    </message>
    <message>
        <source>Watermark</source>
        <extracomment>Page title</extracomment>
        <translation>水印</translation>
    </message>
    <message>
        <source>Effect</source>
        <extracomment>Page title: picture effects (brightness, contrast, ...)</extracomment>
        <translation>效果</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;PNG files (*.png);;JPEG files (*.jpg *.jpeg)</source>
        <translation>图片文件 (*.bmp *.png *.jpg *.jpeg);;位图文件 (*.bmp);;PNG 文件 (*.png);;JPEG 文件 (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>时长：    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>时间：    %1</translation>
    </message>
    <message>
        <source>Black</source>
        <comment>colour name</comment>
        <translation>黑色</translation>
    </message>
    <message>
        <source>Maroon</source>
        <comment>colour name</comment>
        <translation>栗色</translation>
    </message>
    <message>
        <source>Green</source>
        <comment>colour name</comment>
        <translation>绿色</translation>
    </message>
    <message>
        <source>Olive</source>
        <comment>colour name</comment>
        <translation>橄榄色</translation>
    </message>
    <message>
        <source>Navy</source>
        <comment>colour name</comment>
        <translation>海军蓝</translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>colour name</comment>
        <translation>紫色</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>colour name</comment>
        <translation>蓝绿色</translation>
    </message>
    <message>
        <source>Gray</source>
        <comment>colour name</comment>
        <translation>灰色</translation>
    </message>
    <message>
        <source>Silver</source>
        <comment>colour name</comment>
        <translation>银色</translation>
    </message>
    <message>
        <source>Red</source>
        <comment>colour name</comment>
        <translation>红色</translation>
    </message>
    <message>
        <source>Lime</source>
        <comment>colour name</comment>
        <translation>酸橙色</translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>colour name</comment>
        <translation>黄色</translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>colour name</comment>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <comment>colour name</comment>
        <translation>紫红色</translation>
    </message>
    <message>
        <source>Aqua</source>
        <comment>colour name</comment>
        <translation>水绿色</translation>
    </message>
    <message>
        <source>White</source>
        <comment>colour name</comment>
        <translation>白色</translation>
    </message>
    <message>
        <source>Money Green</source>
        <comment>colour name</comment>
        <translation>美元绿</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <comment>colour name</comment>
        <translation>天蓝色</translation>
    </message>
    <message>
        <source>Cream</source>
        <comment>colour name</comment>
        <translation>奶油色</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>colour name</comment>
        <translation>中灰色</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>添加文本</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>添加图片</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the selected layer</extracomment>
        <translation>删除</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Button: moves the selected layer up the list</extracomment>
        <translation>上移</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Button: moves the selected layer down the list</extracomment>
        <translation>下移</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>Layer text</source>
        <translation>图层文本</translation>
    </message>
    <message>
        <source>Horizontal Position:</source>
        <translation>水平位置：</translation>
    </message>
    <message>
        <source>Horizontal position value</source>
        <translation>水平位置值</translation>
    </message>
    <message>
        <source>Vertical Position:</source>
        <translation>垂直位置：</translation>
    </message>
    <message>
        <source>Vertical position value</source>
        <translation>垂直位置值</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>透明度：</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>透明度值</translation>
    </message>
    <message>
        <source>Set the period of time when a watermark will be 
show in the video</source>
        <translation>设置水印在视频中显示的 
时间段</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>时间范围</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>Start time one second later</source>
        <translation>开始时间推后一秒</translation>
    </message>
    <message>
        <source>Start time one second earlier</source>
        <translation>开始时间提前一秒</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>结束时间：</translation>
    </message>
    <message>
        <source>End time one second later</source>
        <translation>结束时间推后一秒</translation>
    </message>
    <message>
        <source>End time one second earlier</source>
        <translation>结束时间提前一秒</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>字号：</translation>
    </message>
    <message>
        <source>Font Color:</source>
        <translation>字体颜色：</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>删除线</translation>
    </message>
    <message>
        <source>Font background color</source>
        <translation>字体背景颜色</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>背景颜色</translation>
    </message>
    <message>
        <source>Transparent</source>
        <extracomment>Choice of a text layer&apos;s background: none</extracomment>
        <translation>透明</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Cannot load the picture &quot;%1&quot;: %2.</source>
        <translation>无法加载图片“%1”：%2。</translation>
    </message>
    <message>
        <source>Add Text</source>
        <comment>new layer text</comment>
        <extracomment>The text a new text layer starts with, until the user types their own</extracomment>
        <translation>添加文本</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>亮度：</translation>
    </message>
    <message>
        <source>Brightness value</source>
        <translation>亮度值</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>对比度：</translation>
    </message>
    <message>
        <source>Contrast value</source>
        <translation>对比度值</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>饱和度：</translation>
    </message>
    <message>
        <source>Saturation value</source>
        <translation>饱和度值</translation>
    </message>
    <message>
        <source>Exposure:</source>
        <translation>曝光：</translation>
    </message>
    <message>
        <source>Exposure value</source>
        <translation>曝光值</translation>
    </message>
    <message>
        <source>Auto adjust:</source>
        <translation>自动调整：</translation>
    </message>
    <message>
        <source>Auto adjust value</source>
        <translation>自动调整值</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: puts the picture effects back to neutral</extracomment>
        <translation>重置</translation>
    </message>
    <message>
        <source>Audio adjust</source>
        <translation>音频调整</translation>
    </message>
    <message>
        <source>Process  Added Text</source>
        <translation>处理添加的文本</translation>
    </message>
    <message>
        <source>Process  Added Image</source>
        <translation>处理添加的图片</translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>the file has no audio track</source>
        <translation>该文件没有音轨</translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio track</source>
        <translation>
            <numerusform>该文件有 %n 条音轨</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio tracks</source>
        <translation>
            <numerusform>该文件有 %n 条音轨</numerusform>
        </translation>
    </message>
    <message>
        <source>there is no audio track %1 (%2)</source>
        <extracomment>%2 is &quot;the file has 2 audio tracks&quot; or the like</extracomment>
        <translation>没有音轨 %1（%2）</translation>
    </message>
</context>
<context>
    <name>TrimLogic</name>
    <message>
        <source>Trim   %1</source>
        <extracomment>title of the trim window; %1 is the file</extracomment>
        <translation>截取   %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of this file. Type h:mm:ss.mmm or a number of seconds, from 00:00:00.000 to %2.</source>
        <translation>“%1”不是此文件中的时间。请输入 h:mm:ss.mmm 格式的时间或秒数，范围为 00:00:00.000 到 %2。</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>添加文件夹</translation>
    </message>
</context>
<context>
    <name>WaterMarkLogic</name>
    <message>
        <source>Water Mark  %1</source>
        <extracomment>title of the watermark window; %1 is the file</extracomment>
        <translation>水印  %1</translation>
    </message>
</context>
</TS>
