<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AppException</name>
    <message>
        <source>Unknown exception.</source>
        <translation>Exception inconnue.</translation>
    </message>
</context>
<context>
    <name>AudioTrackChooser</name>
    <message>
        <source>Follow the rule: the default track</source>
        <translation>Selon la règle&#xa0;: la piste par défaut</translation>
    </message>
    <message>
        <source>Follow the rule: the first track</source>
        <translation>Selon la règle&#xa0;: la première piste</translation>
    </message>
    <message>
        <source>Follow the rule: track %1</source>
        <translation>Selon la règle&#xa0;: piste %1</translation>
    </message>
    <message>
        <source>Follow the rule: language %1</source>
        <extracomment>%1 lists language codes, such as eng,fre</extracomment>
        <translation>Selon la règle&#xa0;: langue %1</translation>
    </message>
    <message>
        <source>Follow the rule: every track, a file each</source>
        <translation>Selon la règle&#xa0;: toutes les pistes, un fichier chacune</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: track 3&quot;), %2 why it finds no track</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (now track %2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: the default track&quot;), %2 the track it picks now</extracomment>
        <translation>%1 (actuellement piste %2)</translation>
    </message>
    <message>
        <source>%1 (now track %2, %3)</source>
        <extracomment>%3 is the track&apos;s language code</extracomment>
        <translation>%1 (actuellement piste %2, %3)</translation>
    </message>
    <message>
        <source>The file has no audio track.</source>
        <translation>Le fichier ne contient aucune piste audio.</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio track.</source>
        <translation>
            <numerusform>Le fichier contient %n piste audio.</numerusform>
            <numerusform>Le fichier contient %n pistes audio.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio tracks.</source>
        <translation>
            <numerusform>Le fichier contient %n piste audio.</numerusform>
            <numerusform>Le fichier contient %n pistes audio.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Impossible de lire le fichier&#xa0;: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 the track&apos;s number, %2 its language code or &quot;no language&quot;</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>no language</source>
        <translation>aucune langue</translation>
    </message>
    <message numerus="yes">
        <source>%n channel</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canaux</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channels</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canaux</numerusform>
        </translation>
    </message>
    <message>
        <source> (default)</source>
        <extracomment>after a track&apos;s description: the track the file plays unless told otherwise</extracomment>
        <translation> (par défaut)</translation>
    </message>
</context>
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n Second</source>
        <extracomment>time converted so far and the file&apos;s length, in whole seconds</extracomment>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 kb</source>
        <extracomment>size written so far, in kilobytes</extracomment>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... et %n autre.</numerusform>
            <numerusform>... et %n autres.</numerusform>
        </translation>
    </message>
    <message>
        <source>No file could be converted.</source>
        <translation>Aucun fichier n&apos;a pu être converti.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file could not be converted.</source>
        <translation>
            <numerusform>Conversion impossible pour %1 fichier sur %n.</numerusform>
            <numerusform>Conversion impossible pour %1 des %n fichiers.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files could not be converted.</source>
        <translation>
            <numerusform>Conversion impossible pour %1 fichier sur %n.</numerusform>
            <numerusform>Conversion impossible pour %1 des %n fichiers.</numerusform>
        </translation>
    </message>
    <message>
        <source>Converted with warnings:</source>
        <translation>Converti avec des avertissements&#xa0;:</translation>
    </message>
    <message>
        <source>Nothing to convert: the output of the file exists or is up to date.</source>
        <translation>Rien à convertir&#xa0;: la sortie du fichier existe déjà ou est à jour.</translation>
    </message>
    <message numerus="yes">
        <source>Nothing to convert: the outputs of all %n files exist or are up to date.</source>
        <translation>
            <numerusform>Rien à convertir&#xa0;: la sortie de %n fichier existe déjà ou est à jour.</numerusform>
            <numerusform>Rien à convertir&#xa0;: les sorties des %n fichiers existent déjà ou sont à jour.</numerusform>
        </translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): nothing was converted.</source>
        <translation>Impossible de créer un dossier de sortie (essayé «&#xa0;%1&#xa0;» et «&#xa0;%2&#xa0;»)&#xa0;: rien n&apos;a été converti.</translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): the files not started yet were not converted.</source>
        <translation>Impossible de créer un dossier de sortie (essayé «&#xa0;%1&#xa0;» et «&#xa0;%2&#xa0;»)&#xa0;: les fichiers pas encore commencés n&apos;ont pas été convertis.</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>impossible de créer le dossier %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>la conversion a échoué</translation>
    </message>
    <message>
        <source>has no sound to convert</source>
        <translation>ne contient aucun son à convertir</translation>
    </message>
    <message>
        <source>has no picture or sound to convert</source>
        <translation>ne contient ni image ni son à convertir</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message numerus="yes">
        <source>%1 of %n file</source>
        <extracomment>files done of the batch&apos;s count</extracomment>
        <translation>
            <numerusform>%1 sur %n fichier</numerusform>
            <numerusform>%1 sur %n fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files</source>
        <translation>
            <numerusform>%1 sur %n fichier</numerusform>
            <numerusform>%1 sur %n fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>General Audio formates</source>
        <translation>Formats audio courants</translation>
    </message>
    <message>
        <source>General Video formats</source>
        <translation>Formats vidéo courants</translation>
    </message>
    <message>
        <source>DVD / VCD / SVCD</source>
        <translation>DVD / VCD / SVCD</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Appareils</translation>
    </message>
    <message>
        <source>MP3 MPEG Layer-3 Audio (*.mp3)</source>
        <translation>MP3 audio MPEG Layer-3 (*.mp3)</translation>
    </message>
    <message>
        <source>AAC Advenced Audio Codec (*.aac)</source>
        <translation>AAC Advanced Audio Codec (*.aac)</translation>
    </message>
    <message>
        <source>M4A MPEG-4 Audio (*.m4a)</source>
        <translation>M4A audio MPEG-4 (*.m4a)</translation>
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
        <translation>OGG Vorbis, codec audio (*.ogg)</translation>
    </message>
    <message>
        <source>AC-3 Audio Codec (*.ac3)</source>
        <translation>AC-3, codec audio (*.ac3)</translation>
    </message>
    <message>
        <source>FLAC Free Lossless Audio Codec (*.flac)</source>
        <translation>FLAC Free Lossless Audio Codec (*.flac)</translation>
    </message>
    <message>
        <source>Opus Audio Codec (*.opus)</source>
        <translation>Opus, codec audio (*.opus)</translation>
    </message>
    <message>
        <source>ALAC Apple Lossless Audio (*.m4a)</source>
        <translation>ALAC Apple Lossless Audio (*.m4a)</translation>
    </message>
    <message>
        <source>MP4 MPEG-4 H.264 Video (*.mp4)</source>
        <translation>MP4 vidéo MPEG-4 H.264 (*.mp4)</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video with MP3 Audio (*.avi)</source>
        <translation>AVI vidéo MPEG-4 avec audio MP3 (*.avi)</translation>
    </message>
    <message>
        <source>WMV Windows Media Video (*.wmv)</source>
        <translation>WMV Windows Media Video (*.wmv)</translation>
    </message>
    <message>
        <source>FLV Flash Video (*.flv)</source>
        <translation>FLV vidéo Flash (*.flv)</translation>
    </message>
    <message>
        <source>MOV QuickTime Video (*.mov)</source>
        <translation>MOV vidéo QuickTime (*.mov)</translation>
    </message>
    <message>
        <source>MPEG-2 Video (*.mpg)</source>
        <translation>Vidéo MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>DVD PAL MPEG-2 Video (*.vob)</source>
        <translation>DVD PAL vidéo MPEG-2 (*.vob)</translation>
    </message>
    <message>
        <source>DVD NTSC MPEG-2 Video (*.vob)</source>
        <translation>DVD NTSC vidéo MPEG-2 (*.vob)</translation>
    </message>
    <message>
        <source>VCD PAL MPEG-1 Video (*.mpg)</source>
        <translation>VCD PAL vidéo MPEG-1 (*.mpg)</translation>
    </message>
    <message>
        <source>VCD NTSC MPEG-1 Video (*.mpg)</source>
        <translation>VCD NTSC vidéo MPEG-1 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD PAL MPEG-2 Video (*.mpg)</source>
        <translation>SVCD PAL vidéo MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD NTSC MPEG-2 Video (*.mpg)</source>
        <translation>SVCD NTSC vidéo MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>Apple iPod Video MPEG-4 Movie (*.mp4)</source>
        <translation>Apple iPod Video, film MPEG-4 (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PSP MPEG-4 Movie (*.mp4)</source>
        <translation>Sony PSP, film MPEG-4 (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PS3 H.264 Movie (*.mp4)</source>
        <translation>Sony PS3, film H.264 (*.mp4)</translation>
    </message>
    <message>
        <source>3GP Mobile Phone Video (*.3gp)</source>
        <translation>3GP vidéo pour téléphone mobile (*.3gp)</translation>
    </message>
    <message>
        <source>as source</source>
        <translation>comme la source</translation>
    </message>
    <message>
        <source>mono 1 channel</source>
        <translation>mono 1 canal</translation>
    </message>
    <message>
        <source>stereo 2 channels</source>
        <translation>stéréo 2 canaux</translation>
    </message>
</context>
<context>
    <name>ConsoleProgress</name>
    <message>
        <source>yes</source>
        <extracomment>the answer the command line gives itself to a yes/no question, printed after it</extracomment>
        <translation>oui</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>la conversion a échoué</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>the conversion did not finish</source>
        <translation>la conversion ne s&apos;est pas terminée</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done</source>
        <translation>%1 -&gt; %2&#xa0;: terminé</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done, with warnings</source>
        <translation>%1 -&gt; %2&#xa0;: terminé, avec des avertissements</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1&#xa0;: échec&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1&#xa0;: ignoré&#xa0;: %2</translation>
    </message>
    <message>
        <source>failed: %1: stopped</source>
        <translation>échec&#xa0;: %1&#xa0;: arrêté</translation>
    </message>
    <message numerus="yes">
        <source>stopped without waiting for the conversion to end; %1 of %n files converted</source>
        <translation>
            <numerusform>arrêté sans attendre la fin de la conversion&#xa0;; %1 sur %n fichier converti</numerusform>
            <numerusform>arrêté sans attendre la fin de la conversion&#xa0;; %1 sur %n fichiers convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files %3%</source>
        <extracomment>the progress line: %1 done of %2 files, %3 percent</extracomment>
        <translation>
            <numerusform>%1 sur %2 fichier %3%</numerusform>
            <numerusform>%1 sur %2 fichiers %3%</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 elapsed</source>
        <translation>%1 écoulé</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>%1 écoulé, %2 restant</translation>
    </message>
</context>
<context>
    <name>ConvertArgs</name>
    <message>
        <source>%1: %2 is not a number of seconds from 0 to 3600</source>
        <extracomment>%1 is a command-line option name, %2 the value given to it</extracomment>
        <translation>%1&#xa0;: %2 n&apos;est pas un nombre de secondes entre 0 et 3600</translation>
    </message>
    <message>
        <source>--normalize: %1 is not ebu, podcast, streaming or a level from -70 to -5 LUFS</source>
        <translation>--normalize&#xa0;: %1 n&apos;est ni ebu, ni podcast, ni streaming, ni un niveau entre -70 et -5 LUFS</translation>
    </message>
    <message>
        <source>--trim: %1 is not START[,LENGTH] in seconds</source>
        <translation>--trim&#xa0;: %1 n&apos;est pas de la forme DÉBUT[,DURÉE] en secondes</translation>
    </message>
    <message>
        <source>--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)</source>
        <translation>--crop&#xa0;: %1 n&apos;est pas de la forme HAUT,BAS,GAUCHE,DROITE en pixels (0 ou plus)</translation>
    </message>
    <message>
        <source>--text: %1 is not X,Y or X,Y,FROM,TO</source>
        <translation>--text&#xa0;: %1 n&apos;est pas de la forme X,Y ou X,Y,DE,À</translation>
    </message>
    <message>
        <source>--text: the seconds FROM,TO must satisfy 0 &lt;= FROM &lt;= TO</source>
        <translation>--text&#xa0;: les secondes DE,À doivent vérifier 0 &lt;= DE &lt;= À</translation>
    </message>
    <message>
        <source>--text: the text is empty</source>
        <translation>--text&#xa0;: le texte est vide</translation>
    </message>
    <message>
        <source>--profile: %1 is not a profile code (see --list-profiles)</source>
        <translation>--profile&#xa0;: %1 n&apos;est pas un code de profil (voir --list-profiles)</translation>
    </message>
    <message>
        <source>--output: the folder name is empty</source>
        <translation>--output&#xa0;: le nom du dossier est vide</translation>
    </message>
    <message>
        <source>--jobs: %1 is not &quot;auto&quot; or a number from 1 to %2</source>
        <translation>--jobs&#xa0;: %1 n&apos;est ni «&#xa0;auto&#xa0;» ni un nombre entre 1 et %2</translation>
    </message>
    <message>
        <source>--ext: %1 is not NAME=VALUE</source>
        <translation>--ext&#xa0;: %1 n&apos;est pas de la forme NOM=VALEUR</translation>
    </message>
    <message>
        <source>--ext %1: %2</source>
        <extracomment>%2 is the media library&apos;s reason, in English</extracomment>
        <translation>--ext %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>--true-peak: %1 is not a level from -20 to 0 dBTP</source>
        <translation>--true-peak&#xa0;: %1 n&apos;est pas un niveau entre -20 et 0 dBTP</translation>
    </message>
    <message>
        <source>--split: %1 is not chapters</source>
        <translation>--split&#xa0;: %1 n&apos;est pas chapters</translation>
    </message>
    <message>
        <source>--layout: %1 is not flat, tree or tags</source>
        <translation>--layout&#xa0;: %1 n&apos;est ni flat, ni tree, ni tags</translation>
    </message>
    <message>
        <source>--name: %1: %2</source>
        <extracomment>%2 says what is wrong with the name template %1</extracomment>
        <translation>--name&#xa0;: %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>--if-exists: %1 is not number, skip, replace or update</source>
        <translation>--if-exists&#xa0;: %1 n&apos;est ni number, ni skip, ni replace, ni update</translation>
    </message>
    <message>
        <source>--audio-track: %1 is not default, first, a track number, languages such as eng,fre, or all</source>
        <translation>--audio-track&#xa0;: %1 n&apos;est ni default, ni first, ni un numéro de piste, ni des langues comme eng,fre, ni all</translation>
    </message>
    <message>
        <source>--info: the file name is empty</source>
        <translation>--info&#xa0;: le nom du fichier est vide</translation>
    </message>
    <message>
        <source>--album-gain: %1 is not &quot;tags&quot; or &quot;batch&quot;</source>
        <translation>--album-gain&#xa0;: %1 n&apos;est ni «&#xa0;tags&#xa0;» ni «&#xa0;batch&#xa0;»</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 nécessite une valeur</translation>
    </message>
    <message>
        <source>--name names files from their tags; it cannot be combined with --layout %1</source>
        <translation>--name nomme les fichiers d&apos;après leurs étiquettes&#xa0;; impossible de le combiner avec --layout %1</translation>
    </message>
    <message>
        <source>--list-profiles and --info cannot be combined</source>
        <translation>--list-profiles et --info ne peuvent pas être combinés</translation>
    </message>
    <message>
        <source>unexpected file %1 beside %2</source>
        <extracomment>%2 is --list-profiles or --info</extracomment>
        <translation>fichier inattendu %1 à côté de %2</translation>
    </message>
    <message>
        <source>no FILE or FOLDER to convert</source>
        <translation>aucun FICHIER ni DOSSIER à convertir</translation>
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
        <translation>Usage&#xa0;: zelta-convert [OPTION]... FICHIER|DOSSIER...
        zelta-convert --list-profiles | --info FICHIER | --help | --version
Convertit chaque FICHIER, et tous les fichiers multimédias sous chaque DOSSIER,
avec un profil de sortie du catalogue, comme le fait le bouton Convertir.

  --profile CODE        profil de sortie (voir --list-profiles)&#xa0;; par défaut&#xa0;:
                        le dernier choisi dans le programme
  --output DOSSIER      dossier de sortie&#xa0;; par défaut&#xa0;: le dossier de sortie
                        du programme
  --jobs N|auto         convertit N fichiers à la fois&#xa0;; auto (par défaut)&#xa0;: un
                        par cœur pour un profil audio, un à la fois pour un
                        profil vidéo
  --trim DÉBUT[,DURÉE]  garde à partir de DÉBUT secondes, sur DURÉE secondes
  --crop HAUT,BAS,GAUCHE,DROITE
                        retire autant de pixels de chaque bord de l&apos;image telle
                        qu&apos;elle s&apos;affiche (une vidéo de téléphone est d&apos;abord
                        redressée)
  --text TEXTE[@X,Y[,DE,À]]
                        écrit TEXTE au pixel X,Y de l&apos;image (par défaut 10,10),
                        de la seconde DE à la seconde À (par défaut&#xa0;: tout le
                        fichier)&#xa0;; répétable
  --ext NOM=VALEUR      une option supplémentaire du moteur pour chaque
                        sortie&#xa0;; répétable
  --no-tags             n&apos;écrit ni étiquettes ni pochette provenant des sources
  --replaygain          écrit des étiquettes ReplayGain de niveau sonore,
                        mesuré pendant la conversion
  --layout flat|tree|tags
                        emplacement des sorties&#xa0;: flat (par défaut)
                        NOM_(new).EXT dans le dossier de sortie&#xa0;; tree&#xa0;: les
                        dossiers sous chaque DOSSIER sont conservés, NOM.EXT&#xa0;;
                        tags&#xa0;: noms donnés par le modèle de --name
  --name MODÈLE         nomme les sorties d&apos;après leurs étiquettes (implique
                        --layout tags), «&#xa0;/&#xa0;» créant des dossiers&#xa0;; champs
                        {artist} {albumartist} {album} {title} {track} {disc}
                        {year} {genre} {name} {folder} {ext} {tracknumber}
                        {tracklang} {chapter} {chaptertitle}&#xa0;; par défaut&#xa0;:
                        {albumartist}/{album}/{track} {title}
  --split chapters      un fichier par chapitre, NOM - NN TITRE (une feuille
                        CUE à côté d&apos;un fichier ou incluse dans celui-ci, ou
                        ajoutée elle-même, donne toujours un fichier par piste)
  --if-exists number|skip|replace|update
                        si la sortie existe&#xa0;: number (par défaut) prend le nom
                        libre suivant, skip ignore le fichier, replace l&apos;écrase
                        une fois le nouveau fichier terminé, update ne remplace
                        qu&apos;une sortie plus ancienne que sa source
  --audio-track default|first|N|LANG[,LANG...]|all
                        piste audio à convertir d&apos;un fichier qui en a
                        plusieurs&#xa0;: celle marquée par défaut (default, le choix
                        par défaut), la première (first), la piste N, la
                        première dans la langue la plus souhaitée (eng,fre), ou
                        all&#xa0;: une sortie par piste, NOM_(new)_2_fre.EXT
  --normalize[=CIBLE]   ramène chaque fichier à un même niveau sonore&#xa0;: CIBLE
                        en LUFS (de -70 à -5) ou ebu (-23), podcast (-16),
                        streaming (-14)&#xa0;; par défaut&#xa0;: la cible enregistrée
                        (-16)
  --true-peak DBTP      crête vraie maximale après normalisation (-20 à 0&#xa0;; par
                        défaut -1)
  --album-gain[=tags|batch]
                        un seul gain pour les fichiers d&apos;un album (mêmes
                        étiquettes album et artiste de l&apos;album&#xa0;; par défaut) ou
                        pour tout le lot
  --loudness-tags       reprend le niveau sonore des étiquettes ReplayGain ou
                        R128 d&apos;un fichier qui en a, au lieu de le mesurer
  --fade-in SECONDES    fondu d&apos;entrée du son sur SECONDES au début
  --fade-out SECONDES   fondu de sortie du son sur SECONDES à la fin
  --trim-silence        coupe le silence (sous -50 dBFS pendant 0,5 s ou plus)
                        au début et à la fin des fichiers sans image
  --list-profiles       affiche CODE&lt;TAB&gt;NOM de chaque profil et quitte
  --info FICHIER        affiche ce que l&apos;analyse lit de FICHIER et les
                        étiquettes qu&apos;une conversion transmet, puis quitte
  --help                affiche ce texte et quitte
  --version             affiche la version et quitte

Les paramètres proviennent de zeltavideoaudioconverter.ini (dans $ZELTA_HOME
s&apos;il est défini).
Code de sortie&#xa0;: 0 si chaque fichier est converti ou ignoré, 1 si un fichier a
échoué, 2 si les arguments sont incorrects.

Exemple, une bibliothèque FLAC en MP3 pour un téléphone, à relancer après
l&apos;ajout d&apos;albums&#xa0;:
  zelta-convert --profile 0 --layout tree --if-exists update \
                --output ~/phone/Music ~/Music/FLAC
</translation>
    </message>
</context>
<context>
    <name>ConvertMain</name>
    <message>
        <source>cannot load the media libraries: %1</source>
        <translation>impossible de charger les bibliothèques multimédias&#xa0;: %1</translation>
    </message>
    <message>
        <source>Audio tracks: none</source>
        <translation>Pistes audio&#xa0;: aucune</translation>
    </message>
    <message>
        <source>Audio tracks:</source>
        <translation>Pistes audio&#xa0;:</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Chapitres&#xa0;:</translation>
    </message>
    <message>
        <source>Tags carried: none</source>
        <translation>Étiquettes transmises&#xa0;: aucune</translation>
    </message>
    <message>
        <source>Tags carried:</source>
        <translation>Étiquettes transmises&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n octet</numerusform>
            <numerusform>%n octets</numerusform>
        </translation>
    </message>
    <message>
        <source>warning: %1 cannot be used (%2); using defaults</source>
        <translation>avertissement&#xa0;: %1 est inutilisable (%2)&#xa0;; utilisation des valeurs par défaut</translation>
    </message>
    <message>
        <source>no profile %1 in %2 (see --list-profiles)</source>
        <translation>aucun profil %1 dans %2 (voir --list-profiles)</translation>
    </message>
    <message>
        <source>cannot create a temporary folder</source>
        <translation>impossible de créer un dossier temporaire</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>cannot create the output folder %1: %2</source>
        <translation>impossible de créer le dossier de sortie %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>the conversion did not run</source>
        <translation>la conversion n&apos;a pas eu lieu</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>avertissement&#xa0;: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>échec&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files converted, %3 failed</source>
        <extracomment>%1 converted of %2 files (the count), %3 failed; more clauses may follow</extracomment>
        <translation>
            <numerusform>%1 sur %2 fichier converti, %3 en échec</numerusform>
            <numerusform>%1 sur %2 fichiers convertis, %3 en échec</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 skipped</source>
        <translation>
            <numerusform>, %1 ignoré</numerusform>
            <numerusform>, %1 ignorés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n with warnings</source>
        <translation>
            <numerusform>, %n avec avertissements</numerusform>
            <numerusform>, %n avec avertissements</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CropLogic</name>
    <message>
        <source>Result: %1 x %2</source>
        <extracomment>the picture size that the crop leaves, width x height</extracomment>
        <translation>Résultat&#xa0;: %1 x %2</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>the CUE sheet cannot be read: it is not written as a CUE sheet is</source>
        <translation>impossible de lire la feuille CUE&#xa0;: elle n&apos;est pas rédigée comme une feuille CUE</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: track %1 has no start (INDEX 01)</source>
        <translation>impossible de lire la feuille CUE&#xa0;: la piste %1 n&apos;a pas de début (INDEX 01)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it lists no tracks</source>
        <translation>impossible de lire la feuille CUE&#xa0;: elle ne contient aucune piste</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it names no audio file (FILE)</source>
        <translation>impossible de lire la feuille CUE&#xa0;: elle ne nomme aucun fichier audio (FILE)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: %1</source>
        <translation>impossible de lire la feuille CUE&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>DesktopNotices</name>
    <message>
        <source>Conversion stopped</source>
        <translation>Conversion arrêtée</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Conversion terminée avec des erreurs</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Conversion terminée</translation>
    </message>
    <message numerus="yes">
        <source>%n file converted</source>
        <translation>
            <numerusform>%n fichier converti</numerusform>
            <numerusform>%n fichiers convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files converted</source>
        <translation>
            <numerusform>%n fichier converti</numerusform>
            <numerusform>%n fichiers convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file converted</source>
        <translation>
            <numerusform>%1 sur %n fichier converti</numerusform>
            <numerusform>%1 sur %n fichiers convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files converted</source>
        <translation>
            <numerusform>%1 sur %n fichier converti</numerusform>
            <numerusform>%1 sur %n fichiers convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n failed</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files failed</extracomment>
        <translation>
            <numerusform>, %n en échec</numerusform>
            <numerusform>, %n en échec</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n skipped</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files were passed over</extracomment>
        <translation>
            <numerusform>, %n ignoré</numerusform>
            <numerusform>, %n ignorés</numerusform>
        </translation>
    </message>
    <message>
        <source>Conversion stopped: %1</source>
        <translation>Conversion arrêtée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <extracomment>the button of the notice at the end of a batch</extracomment>
        <translation>Ouvrir le dossier</translation>
    </message>
</context>
<context>
    <name>FileInfoLogic</name>
    <message>
        <source>%1 (estimated)</source>
        <extracomment>a frame count worked out from the length and the frame rate</extracomment>
        <translation>%1 (estimé)</translation>
    </message>
    <message>
        <source>stored %1</source>
        <extracomment>the picture&apos;s size as stored in the file (a remark after the size shown)</extracomment>
        <translation>stockée en %1</translation>
    </message>
    <message>
        <source>pixel aspect %1:%2</source>
        <translation>format des pixels %1:%2</translation>
    </message>
    <message>
        <source>display aspect %1</source>
        <translation>format d&apos;affichage %1</translation>
    </message>
    <message>
        <source>rotated %1°</source>
        <extracomment>%1 is the turn in degrees, followed by the degree sign</extracomment>
        <translation>rotation de %1°</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>the file&apos;s length in seconds, with milliseconds (&quot;12.345 Second&quot;)</extracomment>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>n/a</source>
        <extracomment>file information: a value that does not apply or is unknown</extracomment>
        <translation>n/d</translation>
    </message>
</context>
<context>
    <name>FolderChooserLogic</name>
    <message>
        <source>Output folder cannot be located in CD-ROM.Please select another folder.</source>
        <translation>Le dossier de sortie ne peut pas se trouver sur un CD-ROM. Veuillez choisir un autre dossier.</translation>
    </message>
</context>
<context>
    <name>GlobalObject</name>
    <message>
        <source>The settings file %1 cannot be used: %2. The program starts with the default settings and leaves the file as it is until a setting is changed; it is then kept as %3.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>Le fichier de paramètres %1 est inutilisable&#xa0;: %2. Le programme démarre avec les paramètres par défaut et laisse le fichier tel quel jusqu&apos;à ce qu&apos;un paramètre soit modifié&#xa0;; il est alors conservé sous le nom %3.</translation>
    </message>
    <message>
        <source>The profile catalogue %1 cannot be used: %2. Only the built-in audio formats are offered, with their default values.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>Le catalogue de profils %1 est inutilisable&#xa0;: %2. Seuls les formats audio intégrés sont proposés, avec leurs valeurs par défaut.</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>it is empty</source>
        <translation>il est vide</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>ce n&apos;est pas un fichier texte</translation>
    </message>
    <message>
        <source>it is cut off</source>
        <translation>il est tronqué</translation>
    </message>
    <message>
        <source>it has no section</source>
        <translation>il ne contient aucune section</translation>
    </message>
    <message>
        <source>invalid section name</source>
        <translation>nom de section non valide</translation>
    </message>
    <message>
        <source>invalid key name</source>
        <translation>nom de clé non valide</translation>
    </message>
    <message>
        <source>a value cannot contain a line break</source>
        <translation>une valeur ne peut pas contenir de saut de ligne</translation>
    </message>
    <message>
        <source>Cannot write settings file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier de paramètres %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>JobBuilder</name>
    <message>
        <source>Error output Video Size.Use the default size 320x240?</source>
        <translation>Taille de la vidéo de sortie incorrecte. Utiliser la taille par défaut 320x240&#xa0;?</translation>
    </message>
</context>
<context>
    <name>LibraryWalker</name>
    <message numerus="yes">
        <source>%n file added</source>
        <translation>
            <numerusform>%n fichier ajouté</numerusform>
            <numerusform>%n fichiers ajoutés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 files added</source>
        <translation>
            <numerusform>%1 fichier ajouté</numerusform>
            <numerusform>%1 fichiers ajoutés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n other skipped</source>
        <extracomment>added to &quot;12 files added&quot;: files in the folders that are no media</extracomment>
        <translation>
            <numerusform>, %n autre ignoré</numerusform>
            <numerusform>, %n autres ignorés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 others skipped</source>
        <translation>
            <numerusform>, %1 autre ignoré</numerusform>
            <numerusform>, %1 autres ignorés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LoudnessPreferences</name>
    <message>
        <source>The loudness target must be a number between -70 and -5 LUFS.</source>
        <translation>La cible de niveau sonore doit être un nombre entre -70 et -5 LUFS.</translation>
    </message>
    <message>
        <source>The true-peak ceiling must lie between -20 and 0 dBTP.</source>
        <translation>Le plafond de crête vraie doit être compris entre -20 et 0 dBTP.</translation>
    </message>
    <message>
        <source>A fade must last between 0 and 3600 seconds.</source>
        <translation>Un fondu doit durer entre 0 et 3600 secondes.</translation>
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
        <translation>Usage&#xa0;: zelta [OPTION-QT]... [FICHIER]...
Ouvre la fenêtre du convertisseur&#xa0;; chaque FICHIER est ajouté à la liste des
fichiers à convertir.

  --help     affiche ce texte et quitte
  --version  affiche la version et quitte
  --         fin des options&#xa0;: chaque argument suivant est un fichier

Les options propres à Qt (comme -platform NOM ou -style NOM) sont aussi
acceptées.
Les paramètres sont conservés dans zeltavideoaudioconverter.ini (dans
$ZELTA_HOME s&apos;il est défini).
</translation>
    </message>
    <message>
        <source>no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without a screen.
</source>
        <translation>aucun affichage trouvé (ni DISPLAY ni WAYLAND_DISPLAY n&apos;est défini).
Lancez le programme depuis une session de bureau, ou définissez QT_QPA_PLATFORM=offscreen pour l&apos;exécuter sans écran.
</translation>
    </message>
</context>
<context>
    <name>OutputNames</name>
    <message>
        <source>the name is empty</source>
        <translation>le nom est vide</translation>
    </message>
    <message>
        <source>a &quot;}&quot; without &quot;{&quot;</source>
        <translation>une «&#xa0;}&#xa0;» sans «&#xa0;{&#xa0;»</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without &quot;}&quot;</source>
        <translation>une «&#xa0;{&#xa0;» sans «&#xa0;}&#xa0;»</translation>
    </message>
    <message>
        <source>unknown field {%1}</source>
        <extracomment>%1 is a field name of the name template, shown in braces</extracomment>
        <translation>champ inconnu {%1}</translation>
    </message>
    <message>
        <source>the name has no field, so every file would get the same name</source>
        <translation>le nom ne contient aucun champ&#xa0;: tous les fichiers auraient le même nom</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>impossible de chercher un nom libre dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>every numbered name of %1 up to %2 is taken in %3</source>
        <translation>tous les noms numérotés de %1 jusqu&apos;à %2 sont pris dans %3</translation>
    </message>
    <message>
        <source>the output exists</source>
        <translation>la sortie existe</translation>
    </message>
    <message>
        <source>the output is up to date</source>
        <translation>la sortie est à jour</translation>
    </message>
</context>
<context>
    <name>PreviewLogic</name>
    <message>
        <source>not a folder</source>
        <translation>ce n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>Impossible de créer le dossier de sortie %1. Le dossier par défaut %2 sera créé&#xa0;!</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>Impossible de créer le dossier de sortie&#xa0;: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Segments</name>
    <message>
        <source>the CUE sheet names a file that is not there: %1</source>
        <translation>la feuille CUE nomme un fichier absent&#xa0;: %1</translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <extracomment>the Source column&apos;s caption of a chapter or CUE track without a title</extracomment>
        <translation>Chapitre %1</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Piste %1</translation>
    </message>
</context>
<context>
    <name>SettingsLogic</name>
    <message>
        <source>Frame Size is not a valid value!</source>
        <translation>La taille d&apos;image n&apos;est pas une valeur valide&#xa0;!</translation>
    </message>
    <message>
        <source>Frame Size must be a multiple of 2.
The correct value:%1</source>
        <translation>La taille d&apos;image doit être un multiple de 2.
Valeur correcte&#xa0;: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un nombre entier valide</translation>
    </message>
    <message>
        <source>Video BitRate is not a valid value!</source>
        <translation>Le débit vidéo n&apos;est pas une valeur valide&#xa0;!</translation>
    </message>
    <message>
        <source>Audio BitRate is not a valid value!</source>
        <translation>Le débit audio n&apos;est pas une valeur valide&#xa0;!</translation>
    </message>
    <message>
        <source>Audio SampleRate is not a valid value!</source>
        <translation>La fréquence d&apos;échantillonnage audio n&apos;est pas une valeur valide&#xa0;!</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Pan and Scan</source>
        <translation>Pan and Scan</translation>
    </message>
    <message>
        <source>Please enter numerical.</source>
        <translation>Veuillez saisir un nombre.</translation>
    </message>
    <message>
        <source>Input Error!</source>
        <translation>Erreur de saisie&#xa0;!</translation>
    </message>
</context>
<context>
    <name>SourceList</name>
    <message>
        <source>All Supported Video Formats</source>
        <translation>Tous les formats vidéo pris en charge</translation>
    </message>
    <message>
        <source>All Supported Audio Formats</source>
        <translation>Tous les formats audio pris en charge</translation>
    </message>
    <message>
        <source>AVI files (*.avi)</source>
        <translation>Fichiers AVI (*.avi)</translation>
    </message>
    <message>
        <source>MPEG4 files (*.mp4)</source>
        <translation>Fichiers MPEG4 (*.mp4)</translation>
    </message>
    <message>
        <source>MPEG files (*.mpg,*.mpeg)</source>
        <translation>Fichiers MPEG (*.mpg,*.mpeg)</translation>
    </message>
    <message>
        <source>3GP files (*.3gp,*.3g2)</source>
        <translation>Fichiers 3GP (*.3gp,*.3g2)</translation>
    </message>
    <message>
        <source>Itunes Video files (*.m4v)</source>
        <translation>Fichiers vidéo iTunes (*.m4v)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv,*.asf)</source>
        <translation>Fichiers Windows Media (*.wmv,*.asf)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm,*.rmvb)</source>
        <translation>Fichiers Real Media (*.rm,*.rmvb)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>Fichiers Video CD (*.dat)</translation>
    </message>
    <message>
        <source>Quick Time files (*.mov)</source>
        <translation>Fichiers QuickTime (*.mov)</translation>
    </message>
    <message>
        <source>Flash Video files (*.flv)</source>
        <translation>Fichiers Flash Video (*.flv)</translation>
    </message>
    <message>
        <source>Matroska Video files (*.mkv)</source>
        <translation>Fichiers vidéo Matroska (*.mkv)</translation>
    </message>
    <message>
        <source>MJPEG Video files (*.mjpg,*.mjpeg)</source>
        <translation>Fichiers vidéo MJPEG (*.mjpg,*.mjpeg)</translation>
    </message>
    <message>
        <source>Animated GIF files (*.gif)</source>
        <translation>Fichiers GIF animés (*.gif)</translation>
    </message>
    <message>
        <source>H.264/MPEG4 AVC Video files (*.mts,*.m2ts)</source>
        <translation>Fichiers vidéo H.264/MPEG4 AVC (*.mts,*.m2ts)</translation>
    </message>
    <message>
        <source>DVD video object files (*.vob)</source>
        <translation>Fichiers objets vidéo DVD (*.vob)</translation>
    </message>
    <message>
        <source>MPEG-1 Video files (*.mpv)</source>
        <translation>Fichiers vidéo MPEG-1 (*.mpv)</translation>
    </message>
    <message>
        <source>Video Transport Stream files (*.ts)</source>
        <translation>Fichiers flux de transport vidéo (*.ts)</translation>
    </message>
    <message>
        <source>TP Video files (*.tp)</source>
        <translation>Fichiers vidéo TP (*.tp)</translation>
    </message>
    <message>
        <source>Maceomeida Flash files (*.swf)</source>
        <translation>Fichiers Macromedia Flash (*.swf)</translation>
    </message>
    <message>
        <source>MP3 Audio files (*.mp3)</source>
        <translation>Fichiers audio MP3 (*.mp3)</translation>
    </message>
    <message>
        <source>Advanced Audio Coding files (*.aac)</source>
        <translation>Fichiers Advanced Audio Coding (*.aac)</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio files (*.ape)</source>
        <translation>Fichiers Monkey&apos;s Audio (*.ape)</translation>
    </message>
    <message>
        <source>Ogg Vorbis Audio files (*.ogg)</source>
        <translation>Fichiers audio Ogg Vorbis (*.ogg)</translation>
    </message>
    <message>
        <source>Windows Media Audio files (*.wma)</source>
        <translation>Fichiers Windows Media Audio (*.wma)</translation>
    </message>
    <message>
        <source>MusePack Audio files (*.mpc)</source>
        <translation>Fichiers audio MusePack (*.mpc)</translation>
    </message>
    <message>
        <source>MPEG Audio files (*.mpa)</source>
        <translation>Fichiers audio MPEG (*.mpa)</translation>
    </message>
    <message>
        <source>MPEG-4 Audio files (*.m4a)</source>
        <translation>Fichiers audio MPEG-4 (*.m4a)</translation>
    </message>
    <message>
        <source>Matroska Audio files (*.mka)</source>
        <translation>Fichiers audio Matroska (*.mka)</translation>
    </message>
    <message>
        <source>DTS Audio files (*.dts)</source>
        <translation>Fichiers audio DTS (*.dts)</translation>
    </message>
    <message>
        <source>Audio Codec 3 files (*.ac3)</source>
        <translation>Fichiers Audio Codec 3 (*.ac3)</translation>
    </message>
    <message>
        <source>Speex Audio files (*.spx)</source>
        <translation>Fichiers audio Speex (*.spx)</translation>
    </message>
    <message>
        <source>Real Audio files (*.ra,*.ram)</source>
        <translation>Fichiers Real Audio (*.ra,*.ram)</translation>
    </message>
    <message>
        <source>MPEG Layer II Compressed Audio files (*.mp2)</source>
        <translation>Fichiers audio compressés MPEG Layer II (*.mp2)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>aucun dossier indiqué</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>ce n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>Impossible de créer le dossier de sortie %1. Le dossier par défaut %2 sera créé&#xa0;!</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>Impossible de créer le dossier de sortie&#xa0;: %1 (%2)</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>impossible de chercher un nom libre dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>every name from %1 to %2 is taken in %3</source>
        <translation>tous les noms de %1 à %2 sont pris dans %3</translation>
    </message>
    <message>
        <source>[audio %1] %2</source>
        <extracomment>%1 is the chosen audio track (&quot;2: fre&quot;), %2 the file</extracomment>
        <translation>[audio %1] %2</translation>
    </message>
    <message>
        <source>Audio track %1</source>
        <translation>Piste audio %1</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Trimmed Length</source>
        <translation>Durée découpée</translation>
    </message>
    <message>
        <source>Destination File</source>
        <translation>Fichier de destination</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>The file is not there any more.</source>
        <translation>Le fichier n&apos;existe plus.</translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>Progress column status of a file that could not be converted</extracomment>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>Progress column status of a file converted with warnings</extracomment>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>Progress column status of a file that was passed over (its output exists)</extracomment>
        <translation>Ignoré</translation>
    </message>
    <message>
        <source>Missing</source>
        <extracomment>Progress column status of a kept row whose file is gone</extracomment>
        <translation>Manquant</translation>
    </message>
</context>
<context>
    <name>TBusyProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TFormatPicker</name>
    <message>
        <source>Output profiles</source>
        <translation>Profils de sortie</translation>
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
        <translation>-16 LUFS (podcasts)</translation>
    </message>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS (streaming)</translation>
    </message>
    <message>
        <source>Other:</source>
        <extracomment>Loudness target: the one typed in the box beside</extracomment>
        <translation>Autre&#xa0;:</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>Album mode: no album gain</extracomment>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>By album tags</source>
        <translation>Par étiquettes d&apos;album</translation>
    </message>
    <message>
        <source>Whole batch</source>
        <translation>Lot entier</translation>
    </message>
    <message>
        <source>Loudness</source>
        <extracomment>Tab of the loudness preferences</extracomment>
        <translation>Niveau sonore</translation>
    </message>
    <message>
        <source>&amp;Normalise loudness</source>
        <translation>&amp;Normaliser le niveau sonore</translation>
    </message>
    <message>
        <source>Measures each file first, then brings it to the target with one constant gain</source>
        <translation>Mesure d&apos;abord chaque fichier, puis l&apos;amène à la cible avec un gain constant</translation>
    </message>
    <message>
        <source>Other target in LUFS</source>
        <translation>Autre cible en LUFS</translation>
    </message>
    <message>
        <source>&amp;Target:</source>
        <translation>Ci&amp;ble&#xa0;:</translation>
    </message>
    <message>
        <source>True-peak &amp;ceiling:</source>
        <translation>Pla&amp;fond de crête vraie&#xa0;:</translation>
    </message>
    <message>
        <source>One gain for the files of an album (same album and album artist tags) or for the whole batch, so they keep their levels relative to each other</source>
        <translation>Un seul gain pour les fichiers d&apos;un album (mêmes étiquettes album et artiste de l&apos;album) ou pour tout le lot, afin qu&apos;ils conservent leurs niveaux relatifs</translation>
    </message>
    <message>
        <source>&amp;Album mode:</source>
        <translation>&amp;Mode album&#xa0;:</translation>
    </message>
    <message>
        <source>Use Replay&amp;Gain or R128 tags when present</source>
        <translation>Utiliser les étiquettes Replay&amp;Gain ou R128 si présentes</translation>
    </message>
    <message>
        <source>A file whose tags state its loudness is not measured</source>
        <translation>Un fichier dont les étiquettes indiquent le niveau sonore n&apos;est pas mesuré</translation>
    </message>
    <message>
        <source>Fades and silence</source>
        <translation>Fondus et silences</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>Unit after a number of seconds (with the space before it)</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <source>Fade &amp;in:</source>
        <translation>Fondu d&apos;&amp;entrée&#xa0;:</translation>
    </message>
    <message>
        <source>Fade &amp;out:</source>
        <translation>Fondu de &amp;sortie&#xa0;:</translation>
    </message>
    <message>
        <source>Trim &amp;silence at the start and the end</source>
        <translation>Co&amp;uper les silences au début et à la fin</translation>
    </message>
    <message>
        <source>Cuts silence below -50 dBFS lasting 0.5 s or more (files without pictures only)</source>
        <translation>Coupe les silences sous -50 dBFS durant 0,5 s ou plus (fichiers sans image uniquement)</translation>
    </message>
</context>
<context>
    <name>TPrefOutputPage</name>
    <message>
        <source>Output names</source>
        <translation>Noms des sorties</translation>
    </message>
    <message>
        <source>Output folder</source>
        <extracomment>Output layout: every output straight in the output folder</extracomment>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>name_(new).ext in the output folder</source>
        <translation>nom_(new).ext dans le dossier de sortie</translation>
    </message>
    <message>
        <source>Keep the folder tree</source>
        <translation>Conserver l&apos;arborescence</translation>
    </message>
    <message>
        <source>The folders below an added folder are made again in the output folder</source>
        <translation>Les dossiers sous un dossier ajouté sont recréés dans le dossier de sortie</translation>
    </message>
    <message>
        <source>Name from tags</source>
        <translation>Nom d&apos;après les étiquettes</translation>
    </message>
    <message>
        <source>Folders and names made of the files&apos; tags</source>
        <translation>Dossiers et noms formés à partir des étiquettes des fichiers</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <source>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; makes folders</source>
        <extracomment>The names in braces are what the template is written with: keep them as they are</extracomment>
        <translation>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}&#xa0;; «&#xa0;/&#xa0;» crée des dossiers</translation>
    </message>
    <message>
        <source>Portable names (for memory cards)</source>
        <translation>Noms portables (pour cartes mémoire)</translation>
    </message>
    <message>
        <source>Also replaces &lt; &gt; : &quot; \ | ? * and trailing dots and blanks</source>
        <translation>Remplace aussi &lt; &gt; : &quot; \ | ? * ainsi que les points et espaces en fin de nom</translation>
    </message>
    <message>
        <source>Copy folder pictures (cover.jpg, folder.jpg) beside the outputs</source>
        <translation>Copier les images de dossier (cover.jpg, folder.jpg) à côté des sorties</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Exemple&#xa0;:</translation>
    </message>
    <message>
        <source>When the output exists</source>
        <translation>Si la sortie existe</translation>
    </message>
    <message>
        <source>Number (keep both)</source>
        <translation>Numéroter (garder les deux)</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>When the output exists: leave it and convert nothing</extracomment>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Update (replace when the source is newer)</source>
        <translation>Mettre à jour (remplacer si la source est plus récente)</translation>
    </message>
    <message>
        <source>Audio tracks</source>
        <translation>Pistes audio</translation>
    </message>
    <message>
        <source>Files with several: &amp;convert</source>
        <translation>Fichiers à plusieurs pistes&#xa0;: &amp;convertir</translation>
    </message>
    <message>
        <source>default: the track flagged default, else the first; first; a track number; languages in order of preference (eng,fre); all: a file for each track</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>default&#xa0;: la piste marquée par défaut, sinon la première&#xa0;; first&#xa0;: la première&#xa0;; un numéro de piste&#xa0;; des langues par ordre de préférence (eng,fre)&#xa0;; all&#xa0;: un fichier par piste</translation>
    </message>
    <message>
        <source>Files with chapters</source>
        <translation>Fichiers à chapitres</translation>
    </message>
    <message>
        <source>One file per chapter</source>
        <translation>Un fichier par chapitre</translation>
    </message>
    <message>
        <source>Files added later with chapters (audiobooks, concerts) give a row per chapter, named &quot;name - 01 title&quot;; a CUE sheet always gives a row per track</source>
        <translation>Les fichiers à chapitres ajoutés ensuite (livres audio, concerts) donnent une ligne par chapitre, nommée «&#xa0;nom - 01 titre&#xa0;»&#xa0;; une feuille CUE donne toujours une ligne par piste</translation>
    </message>
    <message>
        <source>The audio track rule cannot be used: write default, first, a track number, languages such as eng,fre, or all.</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>La règle de piste audio est inutilisable&#xa0;: saisissez default, first, un numéro de piste, des langues comme eng,fre, ou all.</translation>
    </message>
    <message>
        <source>The name cannot be used: %1.</source>
        <extracomment>%1 says what is wrong with the typed name template</extracomment>
        <translation>Le nom est inutilisable&#xa0;: %1.</translation>
    </message>
</context>
<context>
    <name>TPreviewPanel</name>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Screen-reader name of the playing position slider</extracomment>
        <translation>Position</translation>
    </message>
    <message>
        <source>Play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>Tool tip of the player&apos;s stop button</extracomment>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Enregistrer une capture</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Check box: the preview plays without sound</extracomment>
        <translation>Muet</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume&#xa0;:</translation>
    </message>
    <message>
        <source>duration: %1, frame size: %2x%3</source>
        <extracomment>Log line when the preview opens a file: its length in seconds and its picture size</extracomment>
        <translation>durée&#xa0;: %1, taille d&apos;image&#xa0;: %2x%3</translation>
    </message>
</context>
<context>
    <name>TRectTracker</name>
    <message>
        <source>Area to keep: drag it or its handles; arrow keys move it, Shift+arrow keys resize it</source>
        <translation>Zone à conserver&#xa0;: faites glisser la zone ou ses poignées&#xa0;; les flèches la déplacent, Maj+flèches la redimensionnent</translation>
    </message>
    <message>
        <source>Crop area</source>
        <translation>Zone de recadrage</translation>
    </message>
</context>
<context>
    <name>TfmDirectory</name>
    <message>
        <source>Brows</source>
        <extracomment>Title of the folder chooser</extracomment>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Please select an output directory:</source>
        <translation>Veuillez choisir un dossier de sortie&#xa0;:</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
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
        <translation>Piste audio</translation>
    </message>
    <message>
        <source>&amp;Audio track to convert:</source>
        <translation>&amp;Piste audio à convertir&#xa0;:</translation>
    </message>
</context>
<context>
    <name>TfrmCrop</name>
    <message>
        <source>Crop</source>
        <extracomment>Window title of the crop dialog
----------
Group box of the four margins to cut away</extracomment>
        <translation>Recadrage</translation>
    </message>
    <message>
        <source>Player panel</source>
        <translation>Panneau du lecteur</translation>
    </message>
    <message>
        <source>Preview</source>
        <extracomment>Group box around the picture</extracomment>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Margin cut away at the top of the picture</extracomment>
        <translation>Haut</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Margin cut away at the bottom of the picture</extracomment>
        <translation>Bas</translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Margin cut away at the left of the picture</extracomment>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <extracomment>Margin cut away at the right of the picture</extracomment>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: back to the margins the dialog opened with</extracomment>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <extracomment>Button: no margins at all</extracomment>
        <translation>Par &amp;défaut</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom&#xa0;:</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Position de lecture</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>lecture</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pause</translation>
    </message>
    <message>
        <source>Time:</source>
        <extracomment>Caption of the playing time</extracomment>
        <translation>Pos.&#xa0;:</translation>
    </message>
    <message>
        <source>Length:</source>
        <extracomment>Caption of the file&apos;s playing length</extracomment>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>Source File:</source>
        <translation>Source&#xa0;:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>The file&apos;s length in seconds, e.g. &quot;12.345 Second&quot;</extracomment>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>TfrmFileInfo</name>
    <message>
        <source>File infomation</source>
        <translation>Informations sur le fichier</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Nom du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <extracomment>The file&apos;s playing length</extracomment>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>Video </source>
        <extracomment>Group of the file&apos;s video stream details</extracomment>
        <translation>Vidéo </translation>
    </message>
    <message>
        <source>Format:</source>
        <extracomment>The video stream&apos;s codec</extracomment>
        <translation>Format&#xa0;:</translation>
    </message>
    <message>
        <source>Resloution:</source>
        <translation>Résolution&#xa0;:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Fréquence d&apos;images&#xa0;:</translation>
    </message>
    <message>
        <source>Total Frame:</source>
        <extracomment>The number of frames of the video stream</extracomment>
        <translation>Nombre d&apos;images&#xa0;:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Débit&#xa0;:</translation>
    </message>
    <message>
        <source>Audio</source>
        <extracomment>Group of the file&apos;s audio stream details</extracomment>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Échantillonnage&#xa0;:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <extracomment>The audio stream&apos;s channel layout (mono, stereo, ...)</extracomment>
        <translation>Canaux&#xa0;:</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <extracomment>The file&apos;s audio tracks</extracomment>
        <translation>Pistes&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>n/a</source>
        <extracomment>Not applicable: the file has no audio track</extracomment>
        <translation>n/d</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Source files</source>
        <translation>Fichiers sources</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Format audio</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>Autres menus</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Re&amp;tirer</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Vider</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Réglages</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Convertir</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Add &amp;Files...</source>
        <translation>Ajouter des &amp;fichiers...</translation>
    </message>
    <message>
        <source>Add F&amp;older...</source>
        <translation>Ajouter un d&amp;ossier...</translation>
    </message>
    <message>
        <source>Output</source>
        <extracomment>Title of the group with the output format and the output folder</extracomment>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Format&#xa0;:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Button that opens the output folder in the file manager</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Se&amp;ttings</source>
        <translation>&amp;Réglages</translation>
    </message>
    <message>
        <source>&amp;Crop</source>
        <translation>&amp;Recadrer</translation>
    </message>
    <message>
        <source>&amp;Trim</source>
        <translation>&amp;Découper</translation>
    </message>
    <message>
        <source>&amp;Video Effect &amp;&amp; Water Mark</source>
        <translation>&amp;Effets vidéo &amp;&amp; filigrane</translation>
    </message>
    <message>
        <source>&amp;Audio Track...</source>
        <translation>&amp;Piste audio...</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>&amp;Tout cocher</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>Tout déc&amp;ocher</translation>
    </message>
    <message>
        <source>&amp;Reverse Check</source>
        <translation>&amp;Inverser les coches</translation>
    </message>
    <message>
        <source>C&amp;heck</source>
        <translation>Coc&amp;her</translation>
    </message>
    <message>
        <source>U&amp;ncheck</source>
        <translation>Dé&amp;cocher</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Preference</source>
        <translation>&amp;Préférences</translation>
    </message>
    <message>
        <source>&amp;Skin</source>
        <translation>&amp;Thème</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>&amp;Support and Contact</source>
        <translation>&amp;Assistance et contact</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Web Site</source>
        <translation>Site &amp;web</translation>
    </message>
    <message>
        <source>Audio Trac&amp;k...</source>
        <translation>Piste a&amp;udio...</translation>
    </message>
    <message>
        <source>One File per C&amp;hapter</source>
        <translation>Un fichier par c&amp;hapitre</translation>
    </message>
    <message>
        <source>Video &amp;Infomation</source>
        <translation>&amp;Informations vidéo</translation>
    </message>
    <message>
        <source>Adding</source>
        <extracomment>Title of the box shown while many files are added (its text follows)</extracomment>
        <translation>Ajout</translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation>Ajout de %1 sur %2…</translation>
    </message>
    <message>
        <source>This file has no chapters to split it by.</source>
        <translation>Ce fichier n&apos;a aucun chapitre permettant de le diviser.</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Préparation</translation>
    </message>
    <message>
        <source>Preparing %1 of %2…</source>
        <translation>Préparation de %1 sur %2…</translation>
    </message>
    <message>
        <source>The list could not be kept: %1</source>
        <translation>La liste n&apos;a pas pu être conservée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Skin menu: name of a colour theme</extracomment>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Light blue</source>
        <translation>Bleu clair</translation>
    </message>
    <message>
        <source>Follow system</source>
        <translation>Suivre le système</translation>
    </message>
</context>
<context>
    <name>TfrmPreference</name>
    <message>
        <source>Preference</source>
        <extracomment>Title of the preferences window</extracomment>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Pages des préférences</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <extracomment>Group of the settings for pictures saved from the playing video</extracomment>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Snapshot folder:</source>
        <translation>Dossier des captures&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Brows</source>
        <translation>&amp;Parcourir</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <extracomment>Button that opens the snapshot folder in the file manager</extracomment>
        <translation>Ou&amp;vrir</translation>
    </message>
    <message>
        <source>Snapshot size:</source>
        <translation>Taille des captures&#xa0;:</translation>
    </message>
    <message>
        <source>Small Size</source>
        <translation>Petite taille</translation>
    </message>
    <message>
        <source>Full Size</source>
        <translation>Taille réelle</translation>
    </message>
    <message>
        <source>Snapshot format:</source>
        <translation>Format des captures&#xa0;:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality:</source>
        <translation>Qualité de compression JPG&#xa0;:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality slider</source>
        <translation>Curseur de qualité de compression JPG</translation>
    </message>
    <message>
        <source>(The higher the value, the better the image quality.)</source>
        <translation>(Plus la valeur est élevée, meilleure est la qualité d&apos;image.)</translation>
    </message>
    <message>
        <source>Work priority</source>
        <translation>Priorité des conversions</translation>
    </message>
    <message>
        <source>Idle</source>
        <extracomment>Work priority of the conversions</extracomment>
        <translation>Au repos</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Très basse</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Conversions simultanées&#xa0;:</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Simultaneous conversions chosen by the program</extracomment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Auto: one file per core for audio profiles, one at a time for video</source>
        <translation>Auto&#xa0;: un fichier par cœur pour les profils audio, un à la fois pour la vidéo</translation>
    </message>
    <message>
        <source>Keep tags and cover art</source>
        <translation>Conserver les étiquettes et la pochette</translation>
    </message>
    <message>
        <source>Write ReplayGain tags</source>
        <translation>Écrire les étiquettes ReplayGain</translation>
    </message>
    <message>
        <source>Measures the loudness while converting</source>
        <translation>Mesure le niveau sonore pendant la conversion</translation>
    </message>
    <message>
        <source>Tell me when a batch ends in the background</source>
        <translation>Me prévenir quand un lot se termine en arrière-plan</translation>
    </message>
    <message>
        <source>A desktop notification when the window is not active</source>
        <translation>Une notification du bureau quand la fenêtre n&apos;est pas active</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Langue&#xa0;:</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>Interface language choice: the desktop&apos;s language</extracomment>
        <translation>Système</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>Par &amp;défaut</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>General</source>
        <extracomment>Tab of the general preferences</extracomment>
        <translation>Général</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Prend effet au prochain démarrage</translation>
    </message>
</context>
<context>
    <name>TfrmProgress</name>
    <message>
        <source>Progress</source>
        <extracomment>Title of the window shown while the files convert</extracomment>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Current Time:</source>
        <translation>Position actuelle&#xa0;:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Taille du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Progression&#xa0;:</translation>
    </message>
    <message>
        <source>File:</source>
        <extracomment>The output file being written</extracomment>
        <translation>Fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Converting now:</source>
        <translation>En cours de conversion&#xa0;:</translation>
    </message>
    <message>
        <source>Files done:</source>
        <translation>Fichiers terminés&#xa0;:</translation>
    </message>
    <message>
        <source>Elapsed:</source>
        <translation>Écoulé&#xa0;:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Restant&#xa0;:</translation>
    </message>
    <message>
        <source>All files: %p%</source>
        <extracomment>Text on the progress bar of the whole batch; Qt puts the percentage in place of %p</extracomment>
        <translation>Tous les fichiers&#xa0;: %p%</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Enregistrer une capture</translation>
    </message>
    <message>
        <source>Open the output folder after conversion</source>
        <translation>Ouvrir le dossier de sortie après la conversion</translation>
    </message>
    <message>
        <source>Shut down computer after conversion</source>
        <translation>Éteindre l&apos;ordinateur après la conversion</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>TfrmSettings</name>
    <message>
        <source>Settings</source>
        <extracomment>Title of the window with the output profile&apos;s video and audio settings</extracomment>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Format&#xa0;:</translation>
    </message>
    <message>
        <source>Video Options</source>
        <translation>Options vidéo</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>Taille d&apos;image&#xa0;:</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Encodeur&#xa0;:</translation>
    </message>
    <message>
        <source>BitRate (Kbps):</source>
        <translation>Débit (kbit/s)&#xa0;:</translation>
    </message>
    <message>
        <source>FrameRate (Fps):</source>
        <translation>Fréq. d&apos;images (i/s)&#xa0;:</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom&#xa0;:</translation>
    </message>
    <message>
        <source>Audio Options</source>
        <translation>Options audio</translation>
    </message>
    <message>
        <source>SampleRate (Hz):</source>
        <translation>Échantillonnage (Hz)&#xa0;:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Canaux&#xa0;:</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>Par &amp;défaut</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>TfrmTrim</name>
    <message>
        <source>Trim</source>
        <extracomment>Window title of the dialog that cuts a file to a part of it</extracomment>
        <translation>Découpage</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Position de lecture</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>lecture</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pause</translation>
    </message>
    <message>
        <source>&lt;- &amp;Set Start</source>
        <translation>&lt;- &amp;Début ici</translation>
    </message>
    <message>
        <source>Start:</source>
        <extracomment>Caption of the trimmed part&apos;s start time</extracomment>
        <translation>Début&#xa0;:</translation>
    </message>
    <message>
        <source>End:</source>
        <extracomment>Caption of the trimmed part&apos;s end time</extracomment>
        <translation>Fin&#xa0;:</translation>
    </message>
    <message>
        <source>Type h:mm:ss.mmm or seconds and press Enter</source>
        <translation>Saisissez h:mm:ss.mmm ou des secondes, puis appuyez sur Entrée</translation>
    </message>
    <message>
        <source>Set &amp;End -&gt;</source>
        <translation>&amp;Fin ici -&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <extracomment>Button: the whole file again</extracomment>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Durée&#xa0;:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Position&#xa0;:    %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>TfrmWaterMark</name>
    <message>
        <source>Player picture</source>
        <translation>Image du lecteur</translation>
    </message>
    <message>
        <source>Watermark layers</source>
        <translation>Calques de filigrane</translation>
    </message>
    <message>
        <source>Watermark layers picture</source>
        <translation>Image des calques de filigrane</translation>
    </message>
    <message>
        <source>Watermark layers horizontal scroll</source>
        <translation>Défilement horizontal des calques de filigrane</translation>
    </message>
    <message>
        <source>Watermark layers vertical scroll</source>
        <translation>Défilement vertical des calques de filigrane</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Tool tip of the playing position slider</extracomment>
        <translation>Position</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>lecture</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pause</translation>
    </message>
    <message>
        <source>Play Time</source>
        <extracomment>Placeholder of the playing time until a file plays</extracomment>
        <translation>Position</translation>
    </message>
    <message>
        <source>Length</source>
        <extracomment>Placeholder of the file&apos;s length until a file plays</extracomment>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Watermark and Effect pages</source>
        <translation>Pages filigrane et effets</translation>
    </message>
    <message>
        <source>Watermark</source>
        <extracomment>Page title</extracomment>
        <translation>Filigrane</translation>
    </message>
    <message>
        <source>Effect</source>
        <extracomment>Page title: picture effects (brightness, contrast, ...)</extracomment>
        <translation>Effets</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;PNG files (*.png);;JPEG files (*.jpg *.jpeg)</source>
        <translation>Fichiers image (*.bmp *.png *.jpg *.jpeg);;Fichiers bitmap (*.bmp);;Fichiers PNG (*.png);;Fichiers JPEG (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Durée&#xa0;:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Position&#xa0;:    %1</translation>
    </message>
    <message>
        <source>Black</source>
        <comment>colour name</comment>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Maroon</source>
        <comment>colour name</comment>
        <translation>Marron</translation>
    </message>
    <message>
        <source>Green</source>
        <comment>colour name</comment>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Olive</source>
        <comment>colour name</comment>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Navy</source>
        <comment>colour name</comment>
        <translation>Bleu marine</translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>colour name</comment>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>colour name</comment>
        <translation>Bleu canard</translation>
    </message>
    <message>
        <source>Gray</source>
        <comment>colour name</comment>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Silver</source>
        <comment>colour name</comment>
        <translation>Argent</translation>
    </message>
    <message>
        <source>Red</source>
        <comment>colour name</comment>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Lime</source>
        <comment>colour name</comment>
        <translation>Citron vert</translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>colour name</comment>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>colour name</comment>
        <translation>Bleu</translation>
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
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Money Green</source>
        <comment>colour name</comment>
        <translation>Vert d&apos;eau</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <comment>colour name</comment>
        <translation>Bleu ciel</translation>
    </message>
    <message>
        <source>Cream</source>
        <comment>colour name</comment>
        <translation>Crème</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>colour name</comment>
        <translation>Gris moyen</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>+ Texte</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>+ Image</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the selected layer</extracomment>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Button: moves the selected layer up the list</extracomment>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Button: moves the selected layer down the list</extracomment>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Calques</translation>
    </message>
    <message>
        <source>Layer text</source>
        <translation>Texte du calque</translation>
    </message>
    <message>
        <source>Horizontal Position:</source>
        <translation>Position horizontale&#xa0;:</translation>
    </message>
    <message>
        <source>Horizontal position value</source>
        <translation>Valeur de la position horizontale</translation>
    </message>
    <message>
        <source>Vertical Position:</source>
        <translation>Position verticale&#xa0;:</translation>
    </message>
    <message>
        <source>Vertical position value</source>
        <translation>Valeur de la position verticale</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparence&#xa0;:</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>Valeur de la transparence</translation>
    </message>
    <message>
        <source>Set the period of time when a watermark will be 
show in the video</source>
        <translation>Définissez la période pendant laquelle le filigrane
est affiché dans la vidéo</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Plage de temps</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>Début&#xa0;:</translation>
    </message>
    <message>
        <source>Start time one second later</source>
        <translation>Début une seconde plus tard</translation>
    </message>
    <message>
        <source>Start time one second earlier</source>
        <translation>Début une seconde plus tôt</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fin&#xa0;:</translation>
    </message>
    <message>
        <source>End time one second later</source>
        <translation>Fin une seconde plus tard</translation>
    </message>
    <message>
        <source>End time one second earlier</source>
        <translation>Fin une seconde plus tôt</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Police&#xa0;:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Font Color:</source>
        <translation>Couleur&#xa0;:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Souligné</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Barré</translation>
    </message>
    <message>
        <source>Font background color</source>
        <translation>Couleur de fond du texte</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Couleur de fond</translation>
    </message>
    <message>
        <source>Transparent</source>
        <extracomment>Choice of a text layer&apos;s background: none</extracomment>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Cannot load the picture &quot;%1&quot;: %2.</source>
        <translation>Impossible de charger l&apos;image «&#xa0;%1&#xa0;»&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Add Text</source>
        <comment>new layer text</comment>
        <extracomment>The text a new text layer starts with, until the user types their own</extracomment>
        <translation>Texte à ajouter</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Luminosité&#xa0;:</translation>
    </message>
    <message>
        <source>Brightness value</source>
        <translation>Valeur de la luminosité</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Contraste&#xa0;:</translation>
    </message>
    <message>
        <source>Contrast value</source>
        <translation>Valeur du contraste</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Saturation&#xa0;:</translation>
    </message>
    <message>
        <source>Saturation value</source>
        <translation>Valeur de la saturation</translation>
    </message>
    <message>
        <source>Exposure:</source>
        <translation>Exposition&#xa0;:</translation>
    </message>
    <message>
        <source>Exposure value</source>
        <translation>Valeur de l&apos;exposition</translation>
    </message>
    <message>
        <source>Auto adjust:</source>
        <translation>Réglage auto&#xa0;:</translation>
    </message>
    <message>
        <source>Auto adjust value</source>
        <translation>Valeur du réglage auto</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: puts the picture effects back to neutral</extracomment>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Audio adjust</source>
        <translation>Réglage audio</translation>
    </message>
    <message>
        <source>Process  Added Text</source>
        <translation>Traiter le texte ajouté</translation>
    </message>
    <message>
        <source>Process  Added Image</source>
        <translation>Traiter l&apos;image ajoutée</translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>the file has no audio track</source>
        <translation>le fichier ne contient aucune piste audio</translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio track</source>
        <translation>
            <numerusform>le fichier contient %n piste audio</numerusform>
            <numerusform>le fichier contient %n pistes audio</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio tracks</source>
        <translation>
            <numerusform>le fichier contient %n piste audio</numerusform>
            <numerusform>le fichier contient %n pistes audio</numerusform>
        </translation>
    </message>
    <message>
        <source>there is no audio track %1 (%2)</source>
        <extracomment>%2 is &quot;the file has 2 audio tracks&quot; or the like</extracomment>
        <translation>il n&apos;y a pas de piste audio %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TrimLogic</name>
    <message>
        <source>Trim   %1</source>
        <extracomment>title of the trim window; %1 is the file</extracomment>
        <translation>Découpage   %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of this file. Type h:mm:ss.mmm or a number of seconds, from 00:00:00.000 to %2.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une position de ce fichier. Saisissez h:mm:ss.mmm ou un nombre de secondes, de 00:00:00.000 à %2.</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
</context>
<context>
    <name>WaterMarkLogic</name>
    <message>
        <source>Water Mark  %1</source>
        <extracomment>title of the watermark window; %1 is the file</extracomment>
        <translation>Filigrane  %1</translation>
    </message>
</context>
</TS>
