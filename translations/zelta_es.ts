<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>ConvertArgs</name>
    <message>
        <source>%1: %2 is not a number of seconds from 0 to 3600</source>
        <extracomment>%1 is a command-line option name, %2 the value given to it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--normalize: %1 is not ebu, podcast, streaming or a level from -70 to -5 LUFS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--trim: %1 is not START[,LENGTH] in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--text: %1 is not X,Y or X,Y,FROM,TO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--text: the seconds FROM,TO must satisfy 0 &lt;= FROM &lt;= TO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--text: the text is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--profile: %1 is not a profile code (see --list-profiles)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--output: the folder name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--jobs: %1 is not &quot;auto&quot; or a number from 1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--ext: %1 is not NAME=VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--ext %1: %2</source>
        <extracomment>%2 is the media library&apos;s reason, in English</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--true-peak: %1 is not a level from -20 to 0 dBTP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--split: %1 is not chapters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--layout: %1 is not flat, tree or tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--name: %1: %2</source>
        <extracomment>%2 says what is wrong with the name template %1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--if-exists: %1 is not number, skip, replace or update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--audio-track: %1 is not default, first, a track number, languages such as eng,fre, or all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--info: the file name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--album-gain: %1 is not &quot;tags&quot; or &quot;batch&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--name names files from their tags; it cannot be combined with --layout %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--list-profiles and --info cannot be combined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected file %1 beside %2</source>
        <extracomment>%2 is --list-profiles or --info</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no FILE or FOLDER to convert</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TfrmWaterMark</name>
    <message>
        <source>Player picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark layers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark layers picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark layers horizontal scroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark layers vertical scroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Tool tip of the playing position slider</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Time</source>
        <extracomment>Placeholder of the playing time until a file plays</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <extracomment>Placeholder of the file&apos;s length until a file plays</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark and Effect pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watermark</source>
        <extracomment>Page title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Effect</source>
        <extracomment>Page title: picture effects (brightness, contrast, ...)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;PNG files (*.png);;JPEG files (*.jpg *.jpeg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maroon</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Olive</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Navy</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gray</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Silver</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lime</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aqua</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Money Green</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cream</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>colour name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the selected layer</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Button: moves the selected layer up the list</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Button: moves the selected layer down the list</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layer text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal Position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal position value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical Position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical position value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the period of time when a watermark will be 
show in the video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start time one second later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start time one second earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End time one second later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End time one second earlier</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font background color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transparent</source>
        <extracomment>Choice of a text layer&apos;s background: none</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot load the picture &quot;%1&quot;: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Text</source>
        <comment>new layer text</comment>
        <extracomment>The text a new text layer starts with, until the user types their own</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
