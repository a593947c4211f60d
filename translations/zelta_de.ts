<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AppException</name>
    <message>
        <source>Unknown exception.</source>
        <translation>Unbekannter Fehler.</translation>
    </message>
</context>
<context>
    <name>AudioTrackChooser</name>
    <message>
        <source>Follow the rule: the default track</source>
        <translation>Gemäß Regel: die Standardspur</translation>
    </message>
    <message>
        <source>Follow the rule: the first track</source>
        <translation>Gemäß Regel: die erste Spur</translation>
    </message>
    <message>
        <source>Follow the rule: track %1</source>
        <translation>Gemäß Regel: Spur %1</translation>
    </message>
    <message>
        <source>Follow the rule: language %1</source>
        <extracomment>%1 lists language codes, such as eng,fre</extracomment>
        <translation>Gemäß Regel: Sprache %1</translation>
    </message>
    <message>
        <source>Follow the rule: every track, a file each</source>
        <translation>Gemäß Regel: jede Spur, je eine Datei</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: track 3&quot;), %2 why it finds no track</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (now track %2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: the default track&quot;), %2 the track it picks now</extracomment>
        <translation>%1 (jetzt Spur %2)</translation>
    </message>
    <message>
        <source>%1 (now track %2, %3)</source>
        <extracomment>%3 is the track&apos;s language code</extracomment>
        <translation>%1 (jetzt Spur %2, %3)</translation>
    </message>
    <message>
        <source>The file has no audio track.</source>
        <translation>Die Datei hat keine Audiospur.</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio track.</source>
        <translation>
            <numerusform>Die Datei hat %n Audiospur.</numerusform>
            <numerusform>Die Datei hat %n Audiospuren.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio tracks.</source>
        <translation>
            <numerusform>Die Datei hat %n Audiospur.</numerusform>
            <numerusform>Die Datei hat %n Audiospuren.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 the track&apos;s number, %2 its language code or &quot;no language&quot;</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>no language</source>
        <translation>keine Sprache</translation>
    </message>
    <message numerus="yes">
        <source>%n channel</source>
        <translation>
            <numerusform>%n Kanal</numerusform>
            <numerusform>%n Kanäle</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channels</source>
        <translation>
            <numerusform>%n Kanal</numerusform>
            <numerusform>%n Kanäle</numerusform>
        </translation>
    </message>
    <message>
        <source> (default)</source>
        <extracomment>after a track&apos;s description: the track the file plays unless told otherwise</extracomment>
        <translation> (Standard)</translation>
    </message>
</context>
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n Second</source>
        <extracomment>time converted so far and the file&apos;s length, in whole seconds</extracomment>
        <translation>
            <numerusform>%n Sekunde</numerusform>
            <numerusform>%n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 kb</source>
        <extracomment>size written so far, in kilobytes</extracomment>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... und %n weitere.</numerusform>
            <numerusform>... und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>No file could be converted.</source>
        <translation>Keine Datei konnte konvertiert werden.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file could not be converted.</source>
        <translation>
            <numerusform>%1 von %n Datei konnte nicht konvertiert werden.</numerusform>
            <numerusform>%1 von %n Dateien konnten nicht konvertiert werden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files could not be converted.</source>
        <translation>
            <numerusform>%1 von %n Datei konnte nicht konvertiert werden.</numerusform>
            <numerusform>%1 von %n Dateien konnten nicht konvertiert werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Converted with warnings:</source>
        <translation>Mit Warnungen konvertiert:</translation>
    </message>
    <message>
        <source>Nothing to convert: the output of the file exists or is up to date.</source>
        <translation>Nichts zu konvertieren: Die Ausgabedatei existiert bereits oder ist aktuell.</translation>
    </message>
    <message numerus="yes">
        <source>Nothing to convert: the outputs of all %n files exist or are up to date.</source>
        <translation>
            <numerusform>Nichts zu konvertieren: Die Ausgabe von %n Datei existiert bereits oder ist aktuell.</numerusform>
            <numerusform>Nichts zu konvertieren: Die Ausgaben aller %n Dateien existieren bereits oder sind aktuell.</numerusform>
        </translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): nothing was converted.</source>
        <translation>Es kann kein Ausgabeordner erstellt werden (versucht: „%1“ und „%2“): Es wurde nichts konvertiert.</translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): the files not started yet were not converted.</source>
        <translation>Es kann kein Ausgabeordner erstellt werden (versucht: „%1“ und „%2“): Die noch nicht begonnenen Dateien wurden nicht konvertiert.</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>der Ordner %1 kann nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>die Konvertierung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>has no sound to convert</source>
        <translation>enthält keinen Ton zum Konvertieren</translation>
    </message>
    <message>
        <source>has no picture or sound to convert</source>
        <translation>enthält weder Bild noch Ton zum Konvertieren</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message numerus="yes">
        <source>%1 of %n file</source>
        <extracomment>files done of the batch&apos;s count</extracomment>
        <translation>
            <numerusform>%1 von %n Datei</numerusform>
            <numerusform>%1 von %n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files</source>
        <translation>
            <numerusform>%1 von %n Datei</numerusform>
            <numerusform>%1 von %n Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>General Audio formates</source>
        <translation>Allgemeine Audioformate</translation>
    </message>
    <message>
        <source>General Video formats</source>
        <translation>Allgemeine Videoformate</translation>
    </message>
    <message>
        <source>DVD / VCD / SVCD</source>
        <translation>DVD / VCD / SVCD</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>MP3 MPEG Layer-3 Audio (*.mp3)</source>
        <translation>MP3 MPEG Layer-3 Audio (*.mp3)</translation>
    </message>
    <message>
        <source>AAC Advenced Audio Codec (*.aac)</source>
        <translation>AAC Advanced Audio Codec (*.aac)</translation>
    </message>
    <message>
        <source>M4A MPEG-4 Audio (*.m4a)</source>
        <translation>M4A MPEG-4 Audio (*.m4a)</translation>
    </message>
    <message>
        <source>WMA - Windows Meida Audio (*.wma)</source>
        <translation>WMA - Windows Media Audio (*.wma)</translation>
    </message>
    <message>
        <source>WAV - Waveform Audio (*.wav)</source>
        <translation>WAV - Waveform Audio (*.wav)</translation>
    </message>
    <message>
        <source>OGG Vorbis Audio Codec (*.ogg)</source>
        <translation>OGG Vorbis Audiocodec (*.ogg)</translation>
    </message>
    <message>
        <source>AC-3 Audio Codec (*.ac3)</source>
        <translation>AC-3 Audiocodec (*.ac3)</translation>
    </message>
    <message>
        <source>FLAC Free Lossless Audio Codec (*.flac)</source>
        <translation>FLAC Free Lossless Audio Codec (*.flac)</translation>
    </message>
    <message>
        <source>Opus Audio Codec (*.opus)</source>
        <translation>Opus Audiocodec (*.opus)</translation>
    </message>
    <message>
        <source>ALAC Apple Lossless Audio (*.m4a)</source>
        <translation>ALAC Apple Lossless Audio (*.m4a)</translation>
    </message>
    <message>
        <source>MP4 MPEG-4 H.264 Video (*.mp4)</source>
        <translation>MP4 MPEG-4 H.264 Video (*.mp4)</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video with MP3 Audio (*.avi)</source>
        <translation>AVI MPEG-4 Video mit MP3 Audio (*.avi)</translation>
    </message>
    <message>
        <source>WMV Windows Media Video (*.wmv)</source>
        <translation>WMV Windows Media Video (*.wmv)</translation>
    </message>
    <message>
        <source>FLV Flash Video (*.flv)</source>
        <translation>FLV Flash Video (*.flv)</translation>
    </message>
    <message>
        <source>MOV QuickTime Video (*.mov)</source>
        <translation>MOV QuickTime Video (*.mov)</translation>
    </message>
    <message>
        <source>MPEG-2 Video (*.mpg)</source>
        <translation>MPEG-2 Video (*.mpg)</translation>
    </message>
    <message>
        <source>DVD PAL MPEG-2 Video (*.vob)</source>
        <translation>DVD PAL MPEG-2 Video (*.vob)</translation>
    </message>
    <message>
        <source>DVD NTSC MPEG-2 Video (*.vob)</source>
        <translation>DVD NTSC MPEG-2 Video (*.vob)</translation>
    </message>
    <message>
        <source>VCD PAL MPEG-1 Video (*.mpg)</source>
        <translation>VCD PAL MPEG-1 Video (*.mpg)</translation>
    </message>
    <message>
        <source>VCD NTSC MPEG-1 Video (*.mpg)</source>
        <translation>VCD NTSC MPEG-1 Video (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD PAL MPEG-2 Video (*.mpg)</source>
        <translation>SVCD PAL MPEG-2 Video (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD NTSC MPEG-2 Video (*.mpg)</source>
        <translation>SVCD NTSC MPEG-2 Video (*.mpg)</translation>
    </message>
    <message>
        <source>Apple iPod Video MPEG-4 Movie (*.mp4)</source>
        <translation>Apple iPod Video MPEG-4 Film (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PSP MPEG-4 Movie (*.mp4)</source>
        <translation>Sony PSP MPEG-4 Film (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PS3 H.264 Movie (*.mp4)</source>
        <translation>Sony PS3 H.264 Film (*.mp4)</translation>
    </message>
    <message>
        <source>3GP Mobile Phone Video (*.3gp)</source>
        <translation>3GP Handy-Video (*.3gp)</translation>
    </message>
    <message>
        <source>as source</source>
        <translation>wie Quelle</translation>
    </message>
    <message>
        <source>mono 1 channel</source>
        <translation>Mono, 1 Kanal</translation>
    </message>
    <message>
        <source>stereo 2 channels</source>
        <translation>Stereo, 2 Kanäle</translation>
    </message>
</context>
<context>
    <name>ConsoleProgress</name>
    <message>
        <source>yes</source>
        <extracomment>the answer the command line gives itself to a yes/no question, printed after it</extracomment>
        <translation>ja</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>die Konvertierung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>gestoppt</translation>
    </message>
    <message>
        <source>the conversion did not finish</source>
        <translation>die Konvertierung wurde nicht beendet</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done</source>
        <translation>%1 -&gt; %2: fertig</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done, with warnings</source>
        <translation>%1 -&gt; %2: fertig, mit Warnungen</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1: fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: übersprungen: %2</translation>
    </message>
    <message>
        <source>failed: %1: stopped</source>
        <translation>fehlgeschlagen: %1: gestoppt</translation>
    </message>
    <message numerus="yes">
        <source>stopped without waiting for the conversion to end; %1 of %n files converted</source>
        <translation>
            <numerusform>gestoppt, ohne auf das Ende der Konvertierung zu warten; %1 von %n Datei konvertiert</numerusform>
            <numerusform>gestoppt, ohne auf das Ende der Konvertierung zu warten; %1 von %n Dateien konvertiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files %3%</source>
        <extracomment>the progress line: %1 done of %2 files, %3 percent</extracomment>
        <translation>
            <numerusform>%1 von %2 Datei %3%</numerusform>
            <numerusform>%1 von %2 Dateien %3%</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 elapsed</source>
        <translation>%1 vergangen</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>%1 vergangen, %2 verbleibend</translation>
    </message>
</context>
<context>
    <name>ConvertArgs</name>
    <message>
        <source>%1: %2 is not a number of seconds from 0 to 3600</source>
        <extracomment>%1 is a command-line option name, %2 the value given to it</extracomment>
        <translation>%1: %2 ist keine Sekundenzahl von 0 bis 3600</translation>
    </message>
    <message>
        <source>--normalize: %1 is not ebu, podcast, streaming or a level from -70 to -5 LUFS</source>
        <translation>--normalize: %1 ist weder ebu, podcast, streaming noch ein Pegel von -70 bis -5 LUFS</translation>
    </message>
    <message>
        <source>--trim: %1 is not START[,LENGTH] in seconds</source>
        <translation>--trim: %1 ist nicht START[,LÄNGE] in Sekunden</translation>
    </message>
    <message>
        <source>--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)</source>
        <translation>--crop: %1 ist nicht OBEN,UNTEN,LINKS,RECHTS in Pixeln (0 oder mehr)</translation>
    </message>
    <message>
        <source>--text: %1 is not X,Y or X,Y,FROM,TO</source>
        <translation>--text: %1 ist nicht X,Y oder X,Y,VON,BIS</translation>
    </message>
    <message>
        <source>--text: the seconds FROM,TO must satisfy 0 &lt;= FROM &lt;= TO</source>
        <translation>--text: die Sekunden VON,BIS müssen 0 &lt;= VON &lt;= BIS erfüllen</translation>
    </message>
    <message>
        <source>--text: the text is empty</source>
        <translation>--text: der Text ist leer</translation>
    </message>
    <message>
        <source>--profile: %1 is not a profile code (see --list-profiles)</source>
        <translation>--profile: %1 ist kein Profilcode (siehe --list-profiles)</translation>
    </message>
    <message>
        <source>--output: the folder name is empty</source>
        <translation>--output: der Ordnername ist leer</translation>
    </message>
    <message>
        <source>--jobs: %1 is not &quot;auto&quot; or a number from 1 to %2</source>
        <translation>--jobs: %1 ist weder &quot;auto&quot; noch eine Zahl von 1 bis %2</translation>
    </message>
    <message>
        <source>--ext: %1 is not NAME=VALUE</source>
        <translation>--ext: %1 ist nicht NAME=WERT</translation>
    </message>
    <message>
        <source>--ext %1: %2</source>
        <extracomment>%2 is the media library&apos;s reason, in English</extracomment>
        <translation>--ext %1: %2</translation>
    </message>
    <message>
        <source>--true-peak: %1 is not a level from -20 to 0 dBTP</source>
        <translation>--true-peak: %1 ist kein Pegel von -20 bis 0 dBTP</translation>
    </message>
    <message>
        <source>--split: %1 is not chapters</source>
        <translation>--split: %1 ist nicht chapters</translation>
    </message>
    <message>
        <source>--layout: %1 is not flat, tree or tags</source>
        <translation>--layout: %1 ist weder flat, tree noch tags</translation>
    </message>
    <message>
        <source>--name: %1: %2</source>
        <extracomment>%2 says what is wrong with the name template %1</extracomment>
        <translation>--name: %1: %2</translation>
    </message>
    <message>
        <source>--if-exists: %1 is not number, skip, replace or update</source>
        <translation>--if-exists: %1 ist weder number, skip, replace noch update</translation>
    </message>
    <message>
        <source>--audio-track: %1 is not default, first, a track number, languages such as eng,fre, or all</source>
        <translation>--audio-track: %1 ist weder default, first, eine Spurnummer, Sprachen wie eng,fre noch all</translation>
    </message>
    <message>
        <source>--info: the file name is empty</source>
        <translation>--info: der Dateiname ist leer</translation>
    </message>
    <message>
        <source>--album-gain: %1 is not &quot;tags&quot; or &quot;batch&quot;</source>
        <translation>--album-gain: %1 ist weder &quot;tags&quot; noch &quot;batch&quot;</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 benötigt einen Wert</translation>
    </message>
    <message>
        <source>--name names files from their tags; it cannot be combined with --layout %1</source>
        <translation>--name benennt Dateien nach ihren Tags; es kann nicht mit --layout %1 kombiniert werden</translation>
    </message>
    <message>
        <source>--list-profiles and --info cannot be combined</source>
        <translation>--list-profiles und --info können nicht kombiniert werden</translation>
    </message>
    <message>
        <source>unexpected file %1 beside %2</source>
        <extracomment>%2 is --list-profiles or --info</extracomment>
        <translation>unerwartete Datei %1 neben %2</translation>
    </message>
    <message>
        <source>no FILE or FOLDER to convert</source>
        <translation>keine DATEI und kein ORDNER zum Konvertieren</translation>
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
        <translation>Aufruf: zelta-convert [OPTION]... DATEI|ORDNER...
        zelta-convert --list-profiles | --info DATEI | --help | --version
Konvertiert jede DATEI und jede Mediendatei unterhalb jedes ORDNERs mit einem
Ausgabeprofil des Katalogs, wie es die Schaltfläche „Start“ tut.

  --profile CODE        Ausgabeprofil (siehe --list-profiles); Standard: das
                        zuletzt im Programm gewählte
  --output ORDNER       Ausgabeordner; Standard: Ausgabeordner des Programms
  --jobs N|auto         N Dateien gleichzeitig konvertieren; auto (Standard):
                        eine pro Kern bei einem Audioprofil, eine nach der
                        anderen bei einem Videoprofil
  --trim START[,LÄNGE]  ab Sekunde START behalten, LÄNGE Sekunden lang
  --crop OBEN,UNTEN,LINKS,RECHTS
                        so viele Pixel von jedem Rand des angezeigten Bildes
                        abschneiden (ein Handyvideo zuvor aufrecht gedreht)
  --text TEXT[@X,Y[,VON,BIS]]
                        TEXT am Bildpixel X,Y zeichnen (Standard 10,10), von
                        Sekunde VON bis Sekunde BIS (Standard: die ganze
                        Datei); wiederholbar
  --ext NAME=WERT       eine zusätzliche Engine-Option für jede Ausgabe;
                        wiederholbar
  --no-tags             keine Tags und kein Coverbild der Quellen schreiben
  --replaygain          ReplayGain-Lautheitstags schreiben, gemessen während
                        der Konvertierung
  --layout flat|tree|tags
                        wohin die Ausgaben kommen: flat (Standard)
                        NAME_(new).EXT im Ausgabeordner; tree: die Ordner
                        unterhalb jedes ORDNERs bleiben erhalten, NAME.EXT;
                        tags: benannt nach der Vorlage von --name
  --name VORLAGE        Ausgaben nach ihren Tags benennen (impliziert --layout
                        tags), &quot;/&quot; erzeugt Ordner; Felder {artist}
                        {albumartist} {album} {title} {track} {disc} {year}
                        {genre} {name} {folder} {ext} {tracknumber}
                        {tracklang} {chapter} {chaptertitle}; Standard:
                        {albumartist}/{album}/{track} {title}
  --split chapters      eine Datei pro Kapitel, NAME - NN TITEL (ein CUE-Sheet
                        neben oder in einer Datei oder selbst hinzugefügt
                        ergibt immer eine Datei pro Titel)
  --if-exists number|skip|replace|update
                        wenn die Ausgabe existiert: number (Standard) nimmt
                        den nächsten freien Namen, skip überspringt die Datei,
                        replace überschreibt sie, sobald die neue Datei
                        fertig ist, update ersetzt nur eine Ausgabe, die
                        älter als ihre Quelle ist
  --audio-track default|first|N|SPRACHE[,SPRACHE...]|all
                        welche Audiospur einer Datei mit mehreren konvertiert
                        wird: die als Standard markierte (Standard), die
                        erste, Nummer N, die erste in der bevorzugten Sprache
                        (eng,fre) oder all: eine Ausgabe pro Spur,
                        NAME_(new)_2_fre.EXT
  --normalize[=ZIEL]    jede Datei auf eine Lautheit bringen: ZIEL in LUFS (von
                        -70 bis -5) oder ebu (-23), podcast (-16), streaming
                        (-14); Standard: das gespeicherte Ziel (-16)
  --true-peak DBTP      höchster True Peak nach dem Normalisieren (-20 bis 0;
                        Standard -1)
  --album-gain[=tags|batch]
                        eine Verstärkung für die Dateien eines Albums (gleiche
                        Album- und Albuminterpret-Tags; der Standard) oder
                        für den ganzen Stapel
  --loudness-tags       die Lautheit aus ReplayGain- oder R128-Tags nehmen,
                        wenn eine Datei sie hat, statt sie zu messen
  --fade-in SEKUNDEN    den Ton am Anfang über SEKUNDEN einblenden
  --fade-out SEKUNDEN   den Ton am Ende über SEKUNDEN ausblenden
  --trim-silence        Stille (unter -50 dBFS für 0,5 s oder länger) am Anfang
                        und Ende von Dateien ohne Bild entfernen
  --list-profiles       CODE&lt;TAB&gt;NAME jedes Profils ausgeben und beenden
  --info DATEI          ausgeben, was die Analyse von DATEI liest und welche
                        Tags eine Konvertierung übernimmt, und beenden
  --help                diesen Text ausgeben und beenden
  --version             die Version ausgeben und beenden

Die Einstellungen stammen aus zeltavideoaudioconverter.ini (in $ZELTA_HOME,
falls gesetzt).
Exit-Status: 0 jede Datei konvertiert oder übersprungen, 1 eine Datei
fehlgeschlagen, 2 falsche Argumente.

Beispiel: eine FLAC-Bibliothek als MP3 für ein Handy, erneut nach dem
Hinzufügen von Alben:
  zelta-convert --profile 0 --layout tree --if-exists update \
                --output ~/phone/Music ~/Music/FLAC
</translation>
    </message>
</context>
<context>
    <name>ConvertMain</name>
    <message>
        <source>cannot load the media libraries: %1</source>
        <translation>die Medienbibliotheken können nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Audio tracks: none</source>
        <translation>Audiospuren: keine</translation>
    </message>
    <message>
        <source>Audio tracks:</source>
        <translation>Audiospuren:</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Kapitel:</translation>
    </message>
    <message>
        <source>Tags carried: none</source>
        <translation>Übernommene Tags: keine</translation>
    </message>
    <message>
        <source>Tags carried:</source>
        <translation>Übernommene Tags:</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n Byte</numerusform>
            <numerusform>%n Bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>warning: %1 cannot be used (%2); using defaults</source>
        <translation>Warnung: %1 kann nicht verwendet werden (%2); Standardwerte werden verwendet</translation>
    </message>
    <message>
        <source>no profile %1 in %2 (see --list-profiles)</source>
        <translation>kein Profil %1 in %2 (siehe --list-profiles)</translation>
    </message>
    <message>
        <source>cannot create a temporary folder</source>
        <translation>es kann kein temporärer Ordner erstellt werden</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>cannot create the output folder %1: %2</source>
        <translation>der Ausgabeordner %1 kann nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>gestoppt</translation>
    </message>
    <message>
        <source>the conversion did not run</source>
        <translation>die Konvertierung wurde nicht ausgeführt</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files converted, %3 failed</source>
        <extracomment>%1 converted of %2 files (the count), %3 failed; more clauses may follow</extracomment>
        <translation>
            <numerusform>%1 von %2 Datei konvertiert, %3 fehlgeschlagen</numerusform>
            <numerusform>%1 von %2 Dateien konvertiert, %3 fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 skipped</source>
        <translation>
            <numerusform>, %1 übersprungen</numerusform>
            <numerusform>, %1 übersprungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n with warnings</source>
        <translation>
            <numerusform>, %n mit Warnungen</numerusform>
            <numerusform>, %n mit Warnungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CropLogic</name>
    <message>
        <source>Result: %1 x %2</source>
        <extracomment>the picture size that the crop leaves, width x height</extracomment>
        <translation>Ergebnis: %1 x %2</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>the CUE sheet cannot be read: it is not written as a CUE sheet is</source>
        <translation>das CUE-Sheet kann nicht gelesen werden: es ist nicht wie ein CUE-Sheet aufgebaut</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: track %1 has no start (INDEX 01)</source>
        <translation>das CUE-Sheet kann nicht gelesen werden: Titel %1 hat keinen Anfang (INDEX 01)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it lists no tracks</source>
        <translation>das CUE-Sheet kann nicht gelesen werden: es führt keine Titel auf</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it names no audio file (FILE)</source>
        <translation>das CUE-Sheet kann nicht gelesen werden: es nennt keine Audiodatei (FILE)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: %1</source>
        <translation>das CUE-Sheet kann nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>DesktopNotices</name>
    <message>
        <source>Conversion stopped</source>
        <translation>Konvertierung gestoppt</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Konvertierung mit Fehlern beendet</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Konvertierung abgeschlossen</translation>
    </message>
    <message numerus="yes">
        <source>%n file converted</source>
        <translation>
            <numerusform>%n Datei konvertiert</numerusform>
            <numerusform>%n Dateien konvertiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files converted</source>
        <translation>
            <numerusform>%n Datei konvertiert</numerusform>
            <numerusform>%n Dateien konvertiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file converted</source>
        <translation>
            <numerusform>%1 von %n Datei konvertiert</numerusform>
            <numerusform>%1 von %n Dateien konvertiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files converted</source>
        <translation>
            <numerusform>%1 von %n Datei konvertiert</numerusform>
            <numerusform>%1 von %n Dateien konvertiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n failed</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files failed</extracomment>
        <translation>
            <numerusform>, %n fehlgeschlagen</numerusform>
            <numerusform>, %n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n skipped</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files were passed over</extracomment>
        <translation>
            <numerusform>, %n übersprungen</numerusform>
            <numerusform>, %n übersprungen</numerusform>
        </translation>
    </message>
    <message>
        <source>Conversion stopped: %1</source>
        <translation>Konvertierung gestoppt: %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <extracomment>the button of the notice at the end of a batch</extracomment>
        <translation>Ordner öffnen</translation>
    </message>
</context>
<context>
    <name>FileInfoLogic</name>
    <message>
        <source>%1 (estimated)</source>
        <extracomment>a frame count worked out from the length and the frame rate</extracomment>
        <translation>%1 (geschätzt)</translation>
    </message>
    <message>
        <source>stored %1</source>
        <extracomment>the picture&apos;s size as stored in the file (a remark after the size shown)</extracomment>
        <translation>gespeichert als %1</translation>
    </message>
    <message>
        <source>pixel aspect %1:%2</source>
        <translation>Pixel-Seitenverhältnis %1:%2</translation>
    </message>
    <message>
        <source>display aspect %1</source>
        <translation>Anzeige-Seitenverhältnis %1</translation>
    </message>
    <message>
        <source>rotated %1°</source>
        <extracomment>%1 is the turn in degrees, followed by the degree sign</extracomment>
        <translation>gedreht um %1°</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>the file&apos;s length in seconds, with milliseconds (&quot;12.345 Second&quot;)</extracomment>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>n/a</source>
        <extracomment>file information: a value that does not apply or is unknown</extracomment>
        <translation>k. A.</translation>
    </message>
</context>
<context>
    <name>FolderChooserLogic</name>
    <message>
        <source>Output folder cannot be located in CD-ROM.Please select another folder.</source>
        <translation>Der Ausgabeordner darf nicht auf einer CD-ROM liegen. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>GlobalObject</name>
    <message>
        <source>The settings file %1 cannot be used: %2. The program starts with the default settings and leaves the file as it is until a setting is changed; it is then kept as %3.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>Die Einstellungsdatei %1 kann nicht verwendet werden: %2. Das Programm startet mit den Standardeinstellungen und lässt die Datei unverändert, bis eine Einstellung geändert wird; sie wird dann als %3 aufbewahrt.</translation>
    </message>
    <message>
        <source>The profile catalogue %1 cannot be used: %2. Only the built-in audio formats are offered, with their default values.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>Der Profilkatalog %1 kann nicht verwendet werden: %2. Nur die eingebauten Audioformate werden angeboten, mit ihren Standardwerten.</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>it is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>die Datei ist keine Textdatei</translation>
    </message>
    <message>
        <source>it is cut off</source>
        <translation>die Datei ist abgeschnitten</translation>
    </message>
    <message>
        <source>it has no section</source>
        <translation>die Datei hat keinen Abschnitt</translation>
    </message>
    <message>
        <source>invalid section name</source>
        <translation>ungültiger Abschnittsname</translation>
    </message>
    <message>
        <source>invalid key name</source>
        <translation>ungültiger Schlüsselname</translation>
    </message>
    <message>
        <source>a value cannot contain a line break</source>
        <translation>ein Wert darf keinen Zeilenumbruch enthalten</translation>
    </message>
    <message>
        <source>Cannot write settings file %1: %2</source>
        <translation>Die Einstellungsdatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>JobBuilder</name>
    <message>
        <source>Error output Video Size.Use the default size 320x240?</source>
        <translation>Ungültige Bildgröße der Ausgabe. Standardgröße 320x240 verwenden?</translation>
    </message>
</context>
<context>
    <name>LibraryWalker</name>
    <message numerus="yes">
        <source>%n file added</source>
        <translation>
            <numerusform>%n Datei hinzugefügt</numerusform>
            <numerusform>%n Dateien hinzugefügt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 files added</source>
        <translation>
            <numerusform>%1 Datei hinzugefügt</numerusform>
            <numerusform>%1 Dateien hinzugefügt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n other skipped</source>
        <extracomment>added to &quot;12 files added&quot;: files in the folders that are no media</extracomment>
        <translation>
            <numerusform>, %n andere Datei übersprungen</numerusform>
            <numerusform>, %n andere Dateien übersprungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 others skipped</source>
        <translation>
            <numerusform>, %1 andere Datei übersprungen</numerusform>
            <numerusform>, %1 andere Dateien übersprungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LoudnessPreferences</name>
    <message>
        <source>The loudness target must be a number between -70 and -5 LUFS.</source>
        <translation>Das Lautheitsziel muss eine Zahl zwischen -70 und -5 LUFS sein.</translation>
    </message>
    <message>
        <source>The true-peak ceiling must lie between -20 and 0 dBTP.</source>
        <translation>Das True-Peak-Limit muss zwischen -20 und 0 dBTP liegen.</translation>
    </message>
    <message>
        <source>A fade must last between 0 and 3600 seconds.</source>
        <translation>Ein- und Ausblenden müssen zwischen 0 und 3600 Sekunden dauern.</translation>
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
        <translation>Aufruf: zelta [QT-OPTION]... [DATEI]...
Öffnet das Fenster des Konverters; jede DATEI wird der Liste der zu
konvertierenden Dateien hinzugefügt.

  --help     diesen Text ausgeben und beenden
  --version  die Version ausgeben und beenden
  --         Ende der Optionen: jedes weitere Argument ist eine Datei

Die eigenen Optionen von Qt (etwa -platform NAME oder -style NAME) werden
ebenfalls akzeptiert.
Die Einstellungen werden in zeltavideoaudioconverter.ini gespeichert (in
$ZELTA_HOME, falls gesetzt).
</translation>
    </message>
    <message>
        <source>no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without a screen.
</source>
        <translation>kein Display gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).
Starten Sie das Programm in einer Desktop-Sitzung oder setzen Sie QT_QPA_PLATFORM=offscreen, um ohne Bildschirm zu arbeiten.
</translation>
    </message>
</context>
<context>
    <name>OutputNames</name>
    <message>
        <source>the name is empty</source>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <source>a &quot;}&quot; without &quot;{&quot;</source>
        <translation>ein &quot;}&quot; ohne &quot;{&quot;</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without &quot;}&quot;</source>
        <translation>ein &quot;{&quot; ohne &quot;}&quot;</translation>
    </message>
    <message>
        <source>unknown field {%1}</source>
        <extracomment>%1 is a field name of the name template, shown in braces</extracomment>
        <translation>unbekanntes Feld {%1}</translation>
    </message>
    <message>
        <source>the name has no field, so every file would get the same name</source>
        <translation>der Name enthält kein Feld, daher bekäme jede Datei denselben Namen</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>in %1 kann nicht nach einem freien Namen gesucht werden: %2</translation>
    </message>
    <message>
        <source>every numbered name of %1 up to %2 is taken in %3</source>
        <translation>jeder nummerierte Name von %1 bis %2 ist in %3 vergeben</translation>
    </message>
    <message>
        <source>the output exists</source>
        <translation>die Ausgabedatei existiert bereits</translation>
    </message>
    <message>
        <source>the output is up to date</source>
        <translation>die Ausgabedatei ist aktuell</translation>
    </message>
</context>
<context>
    <name>PreviewLogic</name>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>Der Ausgabeordner %1 kann nicht erstellt werden. Stattdessen wird der Standardordner %2 erstellt.</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>Der Ausgabeordner kann nicht erstellt werden: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Segments</name>
    <message>
        <source>the CUE sheet names a file that is not there: %1</source>
        <translation>das CUE-Sheet nennt eine Datei, die nicht vorhanden ist: %1</translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <extracomment>the Source column&apos;s caption of a chapter or CUE track without a title</extracomment>
        <translation>Kapitel %1</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Titel %1</translation>
    </message>
</context>
<context>
    <name>SettingsLogic</name>
    <message>
        <source>Frame Size is not a valid value!</source>
        <translation>Die Bildgröße ist kein gültiger Wert!</translation>
    </message>
    <message>
        <source>Frame Size must be a multiple of 2.
The correct value:%1</source>
        <translation>Die Bildgröße muss ein Vielfaches von 2 sein.
Korrekter Wert: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist kein gültiger Ganzzahlwert</translation>
    </message>
    <message>
        <source>Video BitRate is not a valid value!</source>
        <translation>Die Videobitrate ist kein gültiger Wert!</translation>
    </message>
    <message>
        <source>Audio BitRate is not a valid value!</source>
        <translation>Die Audiobitrate ist kein gültiger Wert!</translation>
    </message>
    <message>
        <source>Audio SampleRate is not a valid value!</source>
        <translation>Die Abtastrate ist kein gültiger Wert!</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Pan and Scan</source>
        <translation>Pan-and-Scan</translation>
    </message>
    <message>
        <source>Please enter numerical.</source>
        <translation>Bitte geben Sie eine Zahl ein.</translation>
    </message>
    <message>
        <source>Input Error!</source>
        <translation>Eingabefehler!</translation>
    </message>
</context>
<context>
    <name>SourceList</name>
    <message>
        <source>All Supported Video Formats</source>
        <translation>Alle unterstützten Videoformate</translation>
    </message>
    <message>
        <source>All Supported Audio Formats</source>
        <translation>Alle unterstützten Audioformate</translation>
    </message>
    <message>
        <source>AVI files (*.avi)</source>
        <translation>AVI-Dateien (*.avi)</translation>
    </message>
    <message>
        <source>MPEG4 files (*.mp4)</source>
        <translation>MPEG4-Dateien (*.mp4)</translation>
    </message>
    <message>
        <source>MPEG files (*.mpg,*.mpeg)</source>
        <translation>MPEG-Dateien (*.mpg,*.mpeg)</translation>
    </message>
    <message>
        <source>3GP files (*.3gp,*.3g2)</source>
        <translation>3GP-Dateien (*.3gp,*.3g2)</translation>
    </message>
    <message>
        <source>Itunes Video files (*.m4v)</source>
        <translation>iTunes-Videodateien (*.m4v)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv,*.asf)</source>
        <translation>Windows-Media-Dateien (*.wmv,*.asf)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm,*.rmvb)</source>
        <translation>RealMedia-Dateien (*.rm,*.rmvb)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>Video-CD-Dateien (*.dat)</translation>
    </message>
    <message>
        <source>Quick Time files (*.mov)</source>
        <translation>QuickTime-Dateien (*.mov)</translation>
    </message>
    <message>
        <source>Flash Video files (*.flv)</source>
        <translation>Flash-Video-Dateien (*.flv)</translation>
    </message>
    <message>
        <source>Matroska Video files (*.mkv)</source>
        <translation>Matroska-Videodateien (*.mkv)</translation>
    </message>
    <message>
        <source>MJPEG Video files (*.mjpg,*.mjpeg)</source>
        <translation>MJPEG-Videodateien (*.mjpg,*.mjpeg)</translation>
    </message>
    <message>
        <source>Animated GIF files (*.gif)</source>
        <translation>Animierte GIF-Dateien (*.gif)</translation>
    </message>
    <message>
        <source>H.264/MPEG4 AVC Video files (*.mts,*.m2ts)</source>
        <translation>H.264/MPEG4-AVC-Videodateien (*.mts,*.m2ts)</translation>
    </message>
    <message>
        <source>DVD video object files (*.vob)</source>
        <translation>DVD-Videoobjektdateien (*.vob)</translation>
    </message>
    <message>
        <source>MPEG-1 Video files (*.mpv)</source>
        <translation>MPEG-1-Videodateien (*.mpv)</translation>
    </message>
    <message>
        <source>Video Transport Stream files (*.ts)</source>
        <translation>Video-Transportstream-Dateien (*.ts)</translation>
    </message>
    <message>
        <source>TP Video files (*.tp)</source>
        <translation>TP-Videodateien (*.tp)</translation>
    </message>
    <message>
        <source>Maceomeida Flash files (*.swf)</source>
        <translation>Macromedia-Flash-Dateien (*.swf)</translation>
    </message>
    <message>
        <source>MP3 Audio files (*.mp3)</source>
        <translation>MP3-Audiodateien (*.mp3)</translation>
    </message>
    <message>
        <source>Advanced Audio Coding files (*.aac)</source>
        <translation>Advanced-Audio-Coding-Dateien (*.aac)</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio files (*.ape)</source>
        <translation>Monkey&apos;s-Audio-Dateien (*.ape)</translation>
    </message>
    <message>
        <source>Ogg Vorbis Audio files (*.ogg)</source>
        <translation>Ogg-Vorbis-Audiodateien (*.ogg)</translation>
    </message>
    <message>
        <source>Windows Media Audio files (*.wma)</source>
        <translation>Windows-Media-Audio-Dateien (*.wma)</translation>
    </message>
    <message>
        <source>MusePack Audio files (*.mpc)</source>
        <translation>Musepack-Audiodateien (*.mpc)</translation>
    </message>
    <message>
        <source>MPEG Audio files (*.mpa)</source>
        <translation>MPEG-Audiodateien (*.mpa)</translation>
    </message>
    <message>
        <source>MPEG-4 Audio files (*.m4a)</source>
        <translation>MPEG-4-Audiodateien (*.m4a)</translation>
    </message>
    <message>
        <source>Matroska Audio files (*.mka)</source>
        <translation>Matroska-Audiodateien (*.mka)</translation>
    </message>
    <message>
        <source>DTS Audio files (*.dts)</source>
        <translation>DTS-Audiodateien (*.dts)</translation>
    </message>
    <message>
        <source>Audio Codec 3 files (*.ac3)</source>
        <translation>Audio-Codec-3-Dateien (*.ac3)</translation>
    </message>
    <message>
        <source>Speex Audio files (*.spx)</source>
        <translation>Speex-Audiodateien (*.spx)</translation>
    </message>
    <message>
        <source>Real Audio files (*.ra,*.ram)</source>
        <translation>RealAudio-Dateien (*.ra,*.ram)</translation>
    </message>
    <message>
        <source>MPEG Layer II Compressed Audio files (*.mp2)</source>
        <translation>Komprimierte MPEG-Layer-II-Audiodateien (*.mp2)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>kein Ordner angegeben</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>Der Ausgabeordner %1 kann nicht erstellt werden. Stattdessen wird der Standardordner %2 erstellt.</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>Der Ausgabeordner kann nicht erstellt werden: %1 (%2)</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>in %1 kann nicht nach einem freien Namen gesucht werden: %2</translation>
    </message>
    <message>
        <source>every name from %1 to %2 is taken in %3</source>
        <translation>jeder Name von %1 bis %2 ist in %3 vergeben</translation>
    </message>
    <message>
        <source>[audio %1] %2</source>
        <extracomment>%1 is the chosen audio track (&quot;2: fre&quot;), %2 the file</extracomment>
        <translation>[Audio %1] %2</translation>
    </message>
    <message>
        <source>Audio track %1</source>
        <translation>Audiospur %1</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Trimmed Length</source>
        <translation>Gekürzte Länge</translation>
    </message>
    <message>
        <source>Destination File</source>
        <translation>Zieldatei</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>The file is not there any more.</source>
        <translation>Die Datei ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>Progress column status of a file that could not be converted</extracomment>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>Progress column status of a file converted with warnings</extracomment>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>Progress column status of a file that was passed over (its output exists)</extracomment>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>Missing</source>
        <extracomment>Progress column status of a kept row whose file is gone</extracomment>
        <translation>Fehlt</translation>
    </message>
</context>
<context>
    <name>TBusyProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TFormatPicker</name>
    <message>
        <source>Output profiles</source>
        <translation>Ausgabeprofile</translation>
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
        <translation>-16 LUFS (Podcasts)</translation>
    </message>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS (Streaming)</translation>
    </message>
    <message>
        <source>Other:</source>
        <extracomment>Loudness target: the one typed in the box beside</extracomment>
        <translation>Anderes:</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>Album mode: no album gain</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>By album tags</source>
        <translation>Nach Album-Tags</translation>
    </message>
    <message>
        <source>Whole batch</source>
        <translation>Ganzer Stapel</translation>
    </message>
    <message>
        <source>Loudness</source>
        <extracomment>Tab of the loudness preferences</extracomment>
        <translation>Lautheit</translation>
    </message>
    <message>
        <source>&amp;Normalise loudness</source>
        <translation>Lautheit &amp;normalisieren</translation>
    </message>
    <message>
        <source>Measures each file first, then brings it to the target with one constant gain</source>
        <translation>Misst zuerst jede Datei und bringt sie dann mit einer konstanten Verstärkung auf den Zielwert</translation>
    </message>
    <message>
        <source>Other target in LUFS</source>
        <translation>Anderer Zielwert in LUFS</translation>
    </message>
    <message>
        <source>&amp;Target:</source>
        <translation>&amp;Ziel:</translation>
    </message>
    <message>
        <source>True-peak &amp;ceiling:</source>
        <translation>True-Peak-&amp;Limit:</translation>
    </message>
    <message>
        <source>One gain for the files of an album (same album and album artist tags) or for the whole batch, so they keep their levels relative to each other</source>
        <translation>Eine Verstärkung für die Dateien eines Albums (gleiche Album- und Albuminterpret-Tags) oder für den ganzen Stapel, sodass ihre Pegel zueinander erhalten bleiben</translation>
    </message>
    <message>
        <source>&amp;Album mode:</source>
        <translation>Al&amp;bummodus:</translation>
    </message>
    <message>
        <source>Use Replay&amp;Gain or R128 tags when present</source>
        <translation>Replay&amp;Gain- oder R128-Tags verwenden, falls vorhanden</translation>
    </message>
    <message>
        <source>A file whose tags state its loudness is not measured</source>
        <translation>Eine Datei, deren Tags ihre Lautheit angeben, wird nicht gemessen</translation>
    </message>
    <message>
        <source>Fades and silence</source>
        <translation>Ein-/Ausblenden und Stille</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>Unit after a number of seconds (with the space before it)</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <source>Fade &amp;in:</source>
        <translation>&amp;Einblenden:</translation>
    </message>
    <message>
        <source>Fade &amp;out:</source>
        <translation>A&amp;usblenden:</translation>
    </message>
    <message>
        <source>Trim &amp;silence at the start and the end</source>
        <translation>S&amp;tille am Anfang und Ende entfernen</translation>
    </message>
    <message>
        <source>Cuts silence below -50 dBFS lasting 0.5 s or more (files without pictures only)</source>
        <translation>Entfernt Stille unter -50 dBFS ab 0,5 s Dauer (nur Dateien ohne Bild)</translation>
    </message>
</context>
<context>
    <name>TPrefOutputPage</name>
    <message>
        <source>Output names</source>
        <translation>Ausgabenamen</translation>
    </message>
    <message>
        <source>Output folder</source>
        <extracomment>Output layout: every output straight in the output folder</extracomment>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>name_(new).ext in the output folder</source>
        <translation>name_(new).ext im Ausgabeordner</translation>
    </message>
    <message>
        <source>Keep the folder tree</source>
        <translation>Ordnerstruktur beibehalten</translation>
    </message>
    <message>
        <source>The folders below an added folder are made again in the output folder</source>
        <translation>Die Ordner unterhalb eines hinzugefügten Ordners werden im Ausgabeordner neu angelegt</translation>
    </message>
    <message>
        <source>Name from tags</source>
        <translation>Name aus Tags</translation>
    </message>
    <message>
        <source>Folders and names made of the files&apos; tags</source>
        <translation>Ordner und Namen aus den Tags der Dateien</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; makes folders</source>
        <extracomment>The names in braces are what the template is written with: keep them as they are</extracomment>
        <translation>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; „/“ erzeugt Ordner</translation>
    </message>
    <message>
        <source>Portable names (for memory cards)</source>
        <translation>Kompatible Namen (für Speicherkarten)</translation>
    </message>
    <message>
        <source>Also replaces &lt; &gt; : &quot; \ | ? * and trailing dots and blanks</source>
        <translation>Ersetzt auch &lt; &gt; : &quot; \ | ? * sowie Punkte und Leerzeichen am Ende</translation>
    </message>
    <message>
        <source>Copy folder pictures (cover.jpg, folder.jpg) beside the outputs</source>
        <translation>Ordnerbilder (cover.jpg, folder.jpg) neben die Ausgaben kopieren</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Beispiel:</translation>
    </message>
    <message>
        <source>When the output exists</source>
        <translation>Wenn die Ausgabedatei existiert</translation>
    </message>
    <message>
        <source>Number (keep both)</source>
        <translation>Nummerieren (beide behalten)</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>When the output exists: leave it and convert nothing</extracomment>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Update (replace when the source is newer)</source>
        <translation>Aktualisieren (ersetzen, wenn die Quelle neuer ist)</translation>
    </message>
    <message>
        <source>Audio tracks</source>
        <translation>Audiospuren</translation>
    </message>
    <message>
        <source>Files with several: &amp;convert</source>
        <translation>Dateien mit mehreren: &amp;konvertieren</translation>
    </message>
    <message>
        <source>default: the track flagged default, else the first; first; a track number; languages in order of preference (eng,fre); all: a file for each track</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>default: die als Standard markierte Spur, sonst die erste; first; eine Spurnummer; Sprachen in bevorzugter Reihenfolge (eng,fre); all: eine Datei pro Spur</translation>
    </message>
    <message>
        <source>Files with chapters</source>
        <translation>Dateien mit Kapiteln</translation>
    </message>
    <message>
        <source>One file per chapter</source>
        <translation>Eine Datei pro Kapitel</translation>
    </message>
    <message>
        <source>Files added later with chapters (audiobooks, concerts) give a row per chapter, named &quot;name - 01 title&quot;; a CUE sheet always gives a row per track</source>
        <translation>Später hinzugefügte Dateien mit Kapiteln (Hörbücher, Konzerte) ergeben eine Zeile pro Kapitel, benannt „Name - 01 Titel“; ein CUE-Sheet ergibt immer eine Zeile pro Titel</translation>
    </message>
    <message>
        <source>The audio track rule cannot be used: write default, first, a track number, languages such as eng,fre, or all.</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>Die Audiospur-Regel kann nicht verwendet werden: Geben Sie default, first, eine Spurnummer, Sprachen wie eng,fre oder all ein.</translation>
    </message>
    <message>
        <source>The name cannot be used: %1.</source>
        <extracomment>%1 says what is wrong with the typed name template</extracomment>
        <translation>Der Name kann nicht verwendet werden: %1.</translation>
    </message>
</context>
<context>
    <name>TPreviewPanel</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Screen-reader name of the playing position slider</extracomment>
        <translation>Position</translation>
    </message>
    <message>
        <source>Play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>Tool tip of the player&apos;s stop button</extracomment>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Standbild speichern</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Check box: the preview plays without sound</extracomment>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Lautstärke:</translation>
    </message>
    <message>
        <source>duration: %1, frame size: %2x%3</source>
        <extracomment>Log line when the preview opens a file: its length in seconds and its picture size</extracomment>
        <translation>Dauer: %1, Bildgröße: %2x%3</translation>
    </message>
</context>
<context>
    <name>TRectTracker</name>
    <message>
        <source>Area to keep: drag it or its handles; arrow keys move it, Shift+arrow keys resize it</source>
        <translation>Zu behaltender Bereich: Ziehen Sie ihn oder seine Griffe; Pfeiltasten verschieben ihn, Umschalt+Pfeiltasten ändern seine Größe</translation>
    </message>
    <message>
        <source>Crop area</source>
        <translation>Zuschnittbereich</translation>
    </message>
</context>
<context>
    <name>TfmDirectory</name>
    <message>
        <source>Brows</source>
        <extracomment>Title of the folder chooser</extracomment>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>Please select an output directory:</source>
        <translation>Bitte wählen Sie einen Ausgabeordner:</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>TfrmAudioTrack</name>
    <message>
        <source>Audio Track</source>
        <extracomment>Window title of the dialog choosing which audio track converts</extracomment>
        <translation>Audiospur</translation>
    </message>
    <message>
        <source>&amp;Audio track to convert:</source>
        <translation>Zu konvertierende &amp;Audiospur:</translation>
    </message>
</context>
<context>
    <name>TfrmCrop</name>
    <message>
        <source>Crop</source>
        <extracomment>Window title of the crop dialog
----------
Group box of the four margins to cut away</extracomment>
        <translation>Zuschneiden</translation>
    </message>
    <message>
        <source>Player panel</source>
        <translation>Wiedergabebereich</translation>
    </message>
    <message>
        <source>Preview</source>
        <extracomment>Group box around the picture</extracomment>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Margin cut away at the top of the picture</extracomment>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Margin cut away at the bottom of the picture</extracomment>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Margin cut away at the left of the picture</extracomment>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <extracomment>Margin cut away at the right of the picture</extracomment>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: back to the margins the dialog opened with</extracomment>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <extracomment>Button: no margins at all</extracomment>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Wiedergabeposition</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Time:</source>
        <extracomment>Caption of the playing time</extracomment>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Length:</source>
        <extracomment>Caption of the file&apos;s playing length</extracomment>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>Source File:</source>
        <translation>Quelldatei:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>The file&apos;s length in seconds, e.g. &quot;12.345 Second&quot;</extracomment>
        <translation>%1 Sekunden</translation>
    </message>
</context>
<context>
    <name>TfrmFileInfo</name>
    <message>
        <source>File infomation</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <extracomment>The file&apos;s playing length</extracomment>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Video </source>
        <extracomment>Group of the file&apos;s video stream details</extracomment>
        <translation>Video </translation>
    </message>
    <message>
        <source>Format:</source>
        <extracomment>The video stream&apos;s codec</extracomment>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Resloution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Total Frame:</source>
        <extracomment>The number of frames of the video stream</extracomment>
        <translation>Bilder gesamt:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Audio</source>
        <extracomment>Group of the file&apos;s audio stream details</extracomment>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <extracomment>The audio stream&apos;s channel layout (mono, stereo, ...)</extracomment>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <extracomment>The file&apos;s audio tracks</extracomment>
        <translation>Spuren:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>n/a</source>
        <extracomment>Not applicable: the file has no audio track</extracomment>
        <translation>k. A.</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Source files</source>
        <translation>Quelldateien</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Audioformat</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>Weitere Menüs</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>Bee&amp;nden</translation>
    </message>
    <message>
        <source>Add &amp;Files...</source>
        <translation>&amp;Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Add F&amp;older...</source>
        <translation>&amp;Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>Output</source>
        <extracomment>Title of the group with the output format and the output folder</extracomment>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Ausgabeformat:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Button that opens the output folder in the file manager</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Se&amp;ttings</source>
        <translation>O&amp;ptionen</translation>
    </message>
    <message>
        <source>&amp;Crop</source>
        <translation>&amp;Zuschneiden</translation>
    </message>
    <message>
        <source>&amp;Trim</source>
        <translation>&amp;Kürzen</translation>
    </message>
    <message>
        <source>&amp;Video Effect &amp;&amp; Water Mark</source>
        <translation>&amp;Videoeffekt &amp;&amp; Wasserzeichen</translation>
    </message>
    <message>
        <source>&amp;Audio Track...</source>
        <translation>Audio&amp;spur...</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>&amp;Alle markieren</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>Kei&amp;ne markieren</translation>
    </message>
    <message>
        <source>&amp;Reverse Check</source>
        <translation>Markierung &amp;umkehren</translation>
    </message>
    <message>
        <source>C&amp;heck</source>
        <translation>&amp;Markieren</translation>
    </message>
    <message>
        <source>U&amp;ncheck</source>
        <translation>Markierung &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Preference</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Skin</source>
        <translation>&amp;Farbschema</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Support and Contact</source>
        <translation>&amp;Support und Kontakt</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Web Site</source>
        <translation>&amp;Website</translation>
    </message>
    <message>
        <source>Audio Trac&amp;k...</source>
        <translation>Audiosp&amp;ur...</translation>
    </message>
    <message>
        <source>One File per C&amp;hapter</source>
        <translation>Eine Datei pro Ka&amp;pitel</translation>
    </message>
    <message>
        <source>Video &amp;Infomation</source>
        <translation>Video&amp;informationen</translation>
    </message>
    <message>
        <source>Adding</source>
        <extracomment>Title of the box shown while many files are added (its text follows)</extracomment>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation>Hinzufügen: %1 von %2…</translation>
    </message>
    <message>
        <source>This file has no chapters to split it by.</source>
        <translation>Diese Datei hat keine Kapitel, nach denen sie geteilt werden kann.</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Vorbereitung</translation>
    </message>
    <message>
        <source>Preparing %1 of %2…</source>
        <translation>Vorbereitung: %1 von %2…</translation>
    </message>
    <message>
        <source>The list could not be kept: %1</source>
        <translation>Die Liste konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Skin menu: name of a colour theme</extracomment>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Lila</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Light blue</source>
        <translation>Hellblau</translation>
    </message>
    <message>
        <source>Follow system</source>
        <translation>Systemvorgabe</translation>
    </message>
</context>
<context>
    <name>TfrmPreference</name>
    <message>
        <source>Preference</source>
        <extracomment>Title of the preferences window</extracomment>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Einstellungsseiten</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <extracomment>Group of the settings for pictures saved from the playing video</extracomment>
        <translation>Standbild</translation>
    </message>
    <message>
        <source>Snapshot folder:</source>
        <translation>Standbildordner:</translation>
    </message>
    <message>
        <source>&amp;Brows</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <extracomment>Button that opens the snapshot folder in the file manager</extracomment>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Snapshot size:</source>
        <translation>Standbildgröße:</translation>
    </message>
    <message>
        <source>Small Size</source>
        <translation>Klein</translation>
    </message>
    <message>
        <source>Full Size</source>
        <translation>Volle Größe</translation>
    </message>
    <message>
        <source>Snapshot format:</source>
        <translation>Standbildformat:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality:</source>
        <translation>JPG-Qualität:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality slider</source>
        <translation>Regler für die JPG-Qualität</translation>
    </message>
    <message>
        <source>(The higher the value, the better the image quality.)</source>
        <translation>(Je höher der Wert, desto besser die Bildqualität.)</translation>
    </message>
    <message>
        <source>Work priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Idle</source>
        <extracomment>Work priority of the conversions</extracomment>
        <translation>Leerlauf</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Niedriger</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Niedrigste</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Gleichzeitige Konvertierungen:</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Simultaneous conversions chosen by the program</extracomment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Auto: one file per core for audio profiles, one at a time for video</source>
        <translation>Auto: eine Datei pro Kern bei Audioprofilen, eine nach der anderen bei Video</translation>
    </message>
    <message>
        <source>Keep tags and cover art</source>
        <translation>Tags und Cover übernehmen</translation>
    </message>
    <message>
        <source>Write ReplayGain tags</source>
        <translation>ReplayGain-Tags schreiben</translation>
    </message>
    <message>
        <source>Measures the loudness while converting</source>
        <translation>Misst die Lautheit während der Konvertierung</translation>
    </message>
    <message>
        <source>Tell me when a batch ends in the background</source>
        <translation>Benachrichtigen, wenn ein Stapel im Hintergrund endet</translation>
    </message>
    <message>
        <source>A desktop notification when the window is not active</source>
        <translation>Eine Desktop-Benachrichtigung, wenn das Fenster nicht aktiv ist</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>Interface language choice: the desktop&apos;s language</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>General</source>
        <extracomment>Tab of the general preferences</extracomment>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Wirkt ab dem nächsten Start</translation>
    </message>
</context>
<context>
    <name>TfrmProgress</name>
    <message>
        <source>Progress</source>
        <extracomment>Title of the window shown while the files convert</extracomment>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Current Time:</source>
        <translation>Aktuelle Zeit:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Fortschritt:</translation>
    </message>
    <message>
        <source>File:</source>
        <extracomment>The output file being written</extracomment>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Converting now:</source>
        <translation>In Arbeit:</translation>
    </message>
    <message>
        <source>Files done:</source>
        <translation>Fertige Dateien:</translation>
    </message>
    <message>
        <source>Elapsed:</source>
        <translation>Vergangen:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Verbleibend:</translation>
    </message>
    <message>
        <source>All files: %p%</source>
        <extracomment>Text on the progress bar of the whole batch; Qt puts the percentage in place of %p</extracomment>
        <translation>Alle Dateien: %p%</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Standbild speichern</translation>
    </message>
    <message>
        <source>Open the output folder after conversion</source>
        <translation>Ausgabeordner nach der Konvertierung öffnen</translation>
    </message>
    <message>
        <source>Shut down computer after conversion</source>
        <translation>Computer nach der Konvertierung herunterfahren</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TfrmSettings</name>
    <message>
        <source>Settings</source>
        <extracomment>Title of the window with the output profile&apos;s video and audio settings</extracomment>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Zielformat:</translation>
    </message>
    <message>
        <source>Video Options</source>
        <translation>Videooptionen</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>Bildgröße:</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Encoder:</translation>
    </message>
    <message>
        <source>BitRate (Kbps):</source>
        <translation>Bitrate (kbit/s):</translation>
    </message>
    <message>
        <source>FrameRate (Fps):</source>
        <translation>Bildrate (fps):</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Audio Options</source>
        <translation>Audiooptionen</translation>
    </message>
    <message>
        <source>SampleRate (Hz):</source>
        <translation>Abtastrate (Hz):</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Lautstärke:</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>TfrmTrim</name>
    <message>
        <source>Trim</source>
        <extracomment>Window title of the dialog that cuts a file to a part of it</extracomment>
        <translation>Kürzen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Wiedergabeposition</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>&lt;- &amp;Set Start</source>
        <translation>&lt;- Als &amp;Start</translation>
    </message>
    <message>
        <source>Start:</source>
        <extracomment>Caption of the trimmed part&apos;s start time</extracomment>
        <translation>Start:</translation>
    </message>
    <message>
        <source>End:</source>
        <extracomment>Caption of the trimmed part&apos;s end time</extracomment>
        <translation>Ende:</translation>
    </message>
    <message>
        <source>Type h:mm:ss.mmm or seconds and press Enter</source>
        <translation>Geben Sie h:mm:ss.mmm oder Sekunden ein und drücken Sie die Eingabetaste</translation>
    </message>
    <message>
        <source>Set &amp;End -&gt;</source>
        <translation>Als &amp;Ende -&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <extracomment>Button: the whole file again</extracomment>
        <translation>&amp;Ganze Datei</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Dauer:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Zeit:    %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>TfrmWaterMark</name>
    <message>
        <source>Player picture</source>
        <translation>Wiedergabebild</translation>
    </message>
    <message>
        <source>Watermark layers</source>
        <translation>Wasserzeichen-Ebenen</translation>
    </message>
    <message>
        <source>Watermark layers picture</source>
        <translation>Bild der Wasserzeichen-Ebenen</translation>
    </message>
    <message>
        <source>Watermark layers horizontal scroll</source>
        <translation>Horizontale Bildlaufleiste der Wasserzeichen-Ebenen</translation>
    </message>
    <message>
        <source>Watermark layers vertical scroll</source>
        <translation>Vertikale Bildlaufleiste der Wasserzeichen-Ebenen</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Tool tip of the playing position slider</extracomment>
        <translation>Position</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play Time</source>
        <extracomment>Placeholder of the playing time until a file plays</extracomment>
        <translation>Spielzeit</translation>
    </message>
    <message>
        <source>Length</source>
        <extracomment>Placeholder of the file&apos;s length until a file plays</extracomment>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Watermark and Effect pages</source>
        <translation>Seiten für Wasserzeichen und Effekte</translation>
    </message>
    <message>
        <source>Watermark</source>
        <extracomment>Page title</extracomment>
        <translation>Wasserzeichen</translation>
    </message>
    <message>
        <source>Effect</source>
        <extracomment>Page title: picture effects (brightness, contrast, ...)</extracomment>
        <translation>Effekte</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;PNG files (*.png);;JPEG files (*.jpg *.jpeg)</source>
        <translation>Bilddateien (*.bmp *.png *.jpg *.jpeg);;Bitmap-Dateien (*.bmp);;PNG-Dateien (*.png);;JPEG-Dateien (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Dauer:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Zeit:    %1</translation>
    </message>
    <message>
        <source>Black</source>
        <comment>colour name</comment>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Maroon</source>
        <comment>colour name</comment>
        <translation>Kastanienbraun</translation>
    </message>
    <message>
        <source>Green</source>
        <comment>colour name</comment>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Olive</source>
        <comment>colour name</comment>
        <translation>Oliv</translation>
    </message>
    <message>
        <source>Navy</source>
        <comment>colour name</comment>
        <translation>Marineblau</translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>colour name</comment>
        <translation>Lila</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>colour name</comment>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Gray</source>
        <comment>colour name</comment>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Silver</source>
        <comment>colour name</comment>
        <translation>Silber</translation>
    </message>
    <message>
        <source>Red</source>
        <comment>colour name</comment>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Lime</source>
        <comment>colour name</comment>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>colour name</comment>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>colour name</comment>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <comment>colour name</comment>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <comment>colour name</comment>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>White</source>
        <comment>colour name</comment>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Money Green</source>
        <comment>colour name</comment>
        <translation>Mintgrün</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <comment>colour name</comment>
        <translation>Himmelblau</translation>
    </message>
    <message>
        <source>Cream</source>
        <comment>colour name</comment>
        <translation>Creme</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>colour name</comment>
        <translation>Mittelgrau</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>Neuer Text</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>Neues Bild</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the selected layer</extracomment>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Button: moves the selected layer up the list</extracomment>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Button: moves the selected layer down the list</extracomment>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Ebenen</translation>
    </message>
    <message>
        <source>Layer text</source>
        <translation>Ebenentext</translation>
    </message>
    <message>
        <source>Horizontal Position:</source>
        <translation>Horizontale Position:</translation>
    </message>
    <message>
        <source>Horizontal position value</source>
        <translation>Wert der horizontalen Position</translation>
    </message>
    <message>
        <source>Vertical Position:</source>
        <translation>Vertikale Position:</translation>
    </message>
    <message>
        <source>Vertical position value</source>
        <translation>Wert der vertikalen Position</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparenz:</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>Transparenzwert</translation>
    </message>
    <message>
        <source>Set the period of time when a watermark will be 
show in the video</source>
        <translation>Legen Sie den Zeitraum fest, in dem das 
Wasserzeichen im Video angezeigt wird</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>Startzeit:</translation>
    </message>
    <message>
        <source>Start time one second later</source>
        <translation>Startzeit eine Sekunde später</translation>
    </message>
    <message>
        <source>Start time one second earlier</source>
        <translation>Startzeit eine Sekunde früher</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Endzeit:</translation>
    </message>
    <message>
        <source>End time one second later</source>
        <translation>Endzeit eine Sekunde später</translation>
    </message>
    <message>
        <source>End time one second earlier</source>
        <translation>Endzeit eine Sekunde früher</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Font Color:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstr.</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Durchstr.</translation>
    </message>
    <message>
        <source>Font background color</source>
        <translation>Hintergrundfarbe der Schrift</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Transparent</source>
        <extracomment>Choice of a text layer&apos;s background: none</extracomment>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Cannot load the picture &quot;%1&quot;: %2.</source>
        <translation>Das Bild „%1“ kann nicht geladen werden: %2.</translation>
    </message>
    <message>
        <source>Add Text</source>
        <comment>new layer text</comment>
        <extracomment>The text a new text layer starts with, until the user types their own</extracomment>
        <translation>Ihr Text</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Helligkeit:</translation>
    </message>
    <message>
        <source>Brightness value</source>
        <translation>Helligkeitswert</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Kontrast:</translation>
    </message>
    <message>
        <source>Contrast value</source>
        <translation>Kontrastwert</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Sättigung:</translation>
    </message>
    <message>
        <source>Saturation value</source>
        <translation>Sättigungswert</translation>
    </message>
    <message>
        <source>Exposure:</source>
        <translation>Belichtung:</translation>
    </message>
    <message>
        <source>Exposure value</source>
        <translation>Belichtungswert</translation>
    </message>
    <message>
        <source>Auto adjust:</source>
        <translation>Autom. Anpassung:</translation>
    </message>
    <message>
        <source>Auto adjust value</source>
        <translation>Wert der autom. Anpassung</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: puts the picture effects back to neutral</extracomment>
        <translation>Neutral</translation>
    </message>
    <message>
        <source>Audio adjust</source>
        <translation>Audioanpassung</translation>
    </message>
    <message>
        <source>Process  Added Text</source>
        <translation>Hinzugefügten Text verarbeiten</translation>
    </message>
    <message>
        <source>Process  Added Image</source>
        <translation>Hinzugefügtes Bild verarbeiten</translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>the file has no audio track</source>
        <translation>die Datei hat keine Audiospur</translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio track</source>
        <translation>
            <numerusform>die Datei hat %n Audiospur</numerusform>
            <numerusform>die Datei hat %n Audiospuren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio tracks</source>
        <translation>
            <numerusform>die Datei hat %n Audiospur</numerusform>
            <numerusform>die Datei hat %n Audiospuren</numerusform>
        </translation>
    </message>
    <message>
        <source>there is no audio track %1 (%2)</source>
        <extracomment>%2 is &quot;the file has 2 audio tracks&quot; or the like</extracomment>
        <translation>es gibt keine Audiospur %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TrimLogic</name>
    <message>
        <source>Trim   %1</source>
        <extracomment>title of the trim window; %1 is the file</extracomment>
        <translation>Kürzen   %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of this file. Type h:mm:ss.mmm or a number of seconds, from 00:00:00.000 to %2.</source>
        <translation>„%1“ ist keine Zeit dieser Datei. Geben Sie h:mm:ss.mmm oder eine Anzahl Sekunden ein, von 00:00:00.000 bis %2.</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
</context>
<context>
    <name>WaterMarkLogic</name>
    <message>
        <source>Water Mark  %1</source>
        <extracomment>title of the watermark window; %1 is the file</extracomment>
        <translation>Wasserzeichen  %1</translation>
    </message>
</context>
</TS>
