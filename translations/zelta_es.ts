<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AppException</name>
    <message>
        <source>Unknown exception.</source>
        <translation>Excepción desconocida.</translation>
    </message>
</context>
<context>
    <name>AudioTrackChooser</name>
    <message>
        <source>Follow the rule: the default track</source>
        <translation>Según la regla: la pista predeterminada</translation>
    </message>
    <message>
        <source>Follow the rule: the first track</source>
        <translation>Según la regla: la primera pista</translation>
    </message>
    <message>
        <source>Follow the rule: track %1</source>
        <translation>Según la regla: pista %1</translation>
    </message>
    <message>
        <source>Follow the rule: language %1</source>
        <extracomment>%1 lists language codes, such as eng,fre</extracomment>
        <translation>Según la regla: idioma %1</translation>
    </message>
    <message>
        <source>Follow the rule: every track, a file each</source>
        <translation>Según la regla: todas las pistas, un archivo por cada una</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: track 3&quot;), %2 why it finds no track</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (now track %2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: the default track&quot;), %2 the track it picks now</extracomment>
        <translation>%1 (ahora pista %2)</translation>
    </message>
    <message>
        <source>%1 (now track %2, %3)</source>
        <extracomment>%3 is the track&apos;s language code</extracomment>
        <translation>%1 (ahora pista %2, %3)</translation>
    </message>
    <message>
        <source>The file has no audio track.</source>
        <translation>El archivo no tiene ninguna pista de audio.</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio track.</source>
        <translation>
            <numerusform>El archivo tiene %n pista de audio.</numerusform>
            <numerusform>El archivo tiene %n pistas de audio.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio tracks.</source>
        <translation>
            <numerusform>El archivo tiene %n pista de audio.</numerusform>
            <numerusform>El archivo tiene %n pistas de audio.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>No se puede leer el archivo: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 the track&apos;s number, %2 its language code or &quot;no language&quot;</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>no language</source>
        <translation>sin idioma</translation>
    </message>
    <message numerus="yes">
        <source>%n channel</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canales</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channels</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canales</numerusform>
        </translation>
    </message>
    <message>
        <source> (default)</source>
        <extracomment>after a track&apos;s description: the track the file plays unless told otherwise</extracomment>
        <translation> (predeterminada)</translation>
    </message>
</context>
<context>
    <name>BatchDriver</name>
    <message numerus="yes">
        <source>%n Second</source>
        <extracomment>time converted so far and the file&apos;s length, in whole seconds</extracomment>
        <translation>
            <numerusform>%n segundo</numerusform>
            <numerusform>%n segundos</numerusform>
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
            <numerusform>... y %n más.</numerusform>
            <numerusform>... y %n más.</numerusform>
        </translation>
    </message>
    <message>
        <source>No file could be converted.</source>
        <translation>No se pudo convertir ningún archivo.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file could not be converted.</source>
        <translation>
            <numerusform>No se pudo convertir %1 de %n archivo.</numerusform>
            <numerusform>No se pudieron convertir %1 de %n archivos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files could not be converted.</source>
        <translation>
            <numerusform>No se pudo convertir %1 de %n archivo.</numerusform>
            <numerusform>No se pudieron convertir %1 de %n archivos.</numerusform>
        </translation>
    </message>
    <message>
        <source>Converted with warnings:</source>
        <translation>Convertidos con advertencias:</translation>
    </message>
    <message>
        <source>Nothing to convert: the output of the file exists or is up to date.</source>
        <translation>Nada que convertir: la salida del archivo ya existe o está actualizada.</translation>
    </message>
    <message numerus="yes">
        <source>Nothing to convert: the outputs of all %n files exist or are up to date.</source>
        <translation>
            <numerusform>Nada que convertir: la salida de %n archivo ya existe o está actualizada.</numerusform>
            <numerusform>Nada que convertir: las salidas de los %n archivos ya existen o están actualizadas.</numerusform>
        </translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): nothing was converted.</source>
        <translation>No se puede crear ninguna carpeta de salida (se intentó «%1» y «%2»): no se convirtió nada.</translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): the files not started yet were not converted.</source>
        <translation>No se puede crear ninguna carpeta de salida (se intentó «%1» y «%2»): no se convirtieron los archivos que aún no se habían iniciado.</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>no se puede crear la carpeta %1: %2</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>la conversión falló</translation>
    </message>
    <message>
        <source>has no sound to convert</source>
        <translation>no tiene sonido que convertir</translation>
    </message>
    <message>
        <source>has no picture or sound to convert</source>
        <translation>no tiene imagen ni sonido que convertir</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message numerus="yes">
        <source>%1 of %n file</source>
        <extracomment>files done of the batch&apos;s count</extracomment>
        <translation>
            <numerusform>%1 de %n archivo</numerusform>
            <numerusform>%1 de %n archivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files</source>
        <translation>
            <numerusform>%1 de %n archivo</numerusform>
            <numerusform>%1 de %n archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>General Audio formates</source>
        <translation>Formatos de audio generales</translation>
    </message>
    <message>
        <source>General Video formats</source>
        <translation>Formatos de video generales</translation>
    </message>
    <message>
        <source>DVD / VCD / SVCD</source>
        <translation>DVD / VCD / SVCD</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Dispositivos</translation>
    </message>
    <message>
        <source>MP3 MPEG Layer-3 Audio (*.mp3)</source>
        <translation>MP3 Audio MPEG Layer-3 (*.mp3)</translation>
    </message>
    <message>
        <source>AAC Advenced Audio Codec (*.aac)</source>
        <translation>AAC Codificación de audio avanzada (*.aac)</translation>
    </message>
    <message>
        <source>M4A MPEG-4 Audio (*.m4a)</source>
        <translation>M4A Audio MPEG-4 (*.m4a)</translation>
    </message>
    <message>
        <source>WMA - Windows Meida Audio (*.wma)</source>
        <translation>WMA - Windows Media Audio (*.wma)</translation>
    </message>
    <message>
        <source>WAV - Waveform Audio (*.wav)</source>
        <translation>WAV - Audio Waveform (*.wav)</translation>
    </message>
    <message>
        <source>OGG Vorbis Audio Codec (*.ogg)</source>
        <translation>OGG Códec de audio Vorbis (*.ogg)</translation>
    </message>
    <message>
        <source>AC-3 Audio Codec (*.ac3)</source>
        <translation>AC-3 Códec de audio (*.ac3)</translation>
    </message>
    <message>
        <source>FLAC Free Lossless Audio Codec (*.flac)</source>
        <translation>FLAC Códec de audio libre sin pérdida (*.flac)</translation>
    </message>
    <message>
        <source>Opus Audio Codec (*.opus)</source>
        <translation>Opus Códec de audio (*.opus)</translation>
    </message>
    <message>
        <source>ALAC Apple Lossless Audio (*.m4a)</source>
        <translation>ALAC Audio Apple Lossless (*.m4a)</translation>
    </message>
    <message>
        <source>MP4 MPEG-4 H.264 Video (*.mp4)</source>
        <translation>MP4 Video MPEG-4 H.264 (*.mp4)</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video with MP3 Audio (*.avi)</source>
        <translation>AVI Video MPEG-4 con audio MP3 (*.avi)</translation>
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
        <translation>MOV Video QuickTime (*.mov)</translation>
    </message>
    <message>
        <source>MPEG-2 Video (*.mpg)</source>
        <translation>Video MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>DVD PAL MPEG-2 Video (*.vob)</source>
        <translation>DVD PAL Video MPEG-2 (*.vob)</translation>
    </message>
    <message>
        <source>DVD NTSC MPEG-2 Video (*.vob)</source>
        <translation>DVD NTSC Video MPEG-2 (*.vob)</translation>
    </message>
    <message>
        <source>VCD PAL MPEG-1 Video (*.mpg)</source>
        <translation>VCD PAL Video MPEG-1 (*.mpg)</translation>
    </message>
    <message>
        <source>VCD NTSC MPEG-1 Video (*.mpg)</source>
        <translation>VCD NTSC Video MPEG-1 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD PAL MPEG-2 Video (*.mpg)</source>
        <translation>SVCD PAL Video MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD NTSC MPEG-2 Video (*.mpg)</source>
        <translation>SVCD NTSC Video MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>Apple iPod Video MPEG-4 Movie (*.mp4)</source>
        <translation>Apple iPod Video: película MPEG-4 (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PSP MPEG-4 Movie (*.mp4)</source>
        <translation>Sony PSP: película MPEG-4 (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PS3 H.264 Movie (*.mp4)</source>
        <translation>Sony PS3: película H.264 (*.mp4)</translation>
    </message>
    <message>
        <source>3GP Mobile Phone Video (*.3gp)</source>
        <translation>3GP Video para teléfono móvil (*.3gp)</translation>
    </message>
    <message>
        <source>as source</source>
        <translation>como el origen</translation>
    </message>
    <message>
        <source>mono 1 channel</source>
        <translation>mono 1 canal</translation>
    </message>
    <message>
        <source>stereo 2 channels</source>
        <translation>estéreo 2 canales</translation>
    </message>
</context>
<context>
    <name>ConsoleProgress</name>
    <message>
        <source>yes</source>
        <extracomment>the answer the command line gives itself to a yes/no question, printed after it</extracomment>
        <translation>sí</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>la conversión falló</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>detenido</translation>
    </message>
    <message>
        <source>the conversion did not finish</source>
        <translation>la conversión no terminó</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done</source>
        <translation>%1 -&gt; %2: hecho</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done, with warnings</source>
        <translation>%1 -&gt; %2: hecho, con advertencias</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1: falló: %2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: omitido: %2</translation>
    </message>
    <message>
        <source>failed: %1: stopped</source>
        <translation>falló: %1: detenido</translation>
    </message>
    <message numerus="yes">
        <source>stopped without waiting for the conversion to end; %1 of %n files converted</source>
        <translation>
            <numerusform>detenido sin esperar a que termine la conversión; %1 de %n archivo convertido</numerusform>
            <numerusform>detenido sin esperar a que termine la conversión; %1 de %n archivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files %3%</source>
        <extracomment>the progress line: %1 done of %2 files, %3 percent</extracomment>
        <translation>
            <numerusform>%1 de %2 archivo %3%</numerusform>
            <numerusform>%1 de %2 archivos %3%</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 elapsed</source>
        <translation>%1 transcurrido</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>%1 transcurrido, %2 restante</translation>
    </message>
</context>
<context>
    <name>ConvertArgs</name>
    <message>
        <source>%1: %2 is not a number of seconds from 0 to 3600</source>
        <extracomment>%1 is a command-line option name, %2 the value given to it</extracomment>
        <translation>%1: %2 no es un número de segundos entre 0 y 3600</translation>
    </message>
    <message>
        <source>--normalize: %1 is not ebu, podcast, streaming or a level from -70 to -5 LUFS</source>
        <translation>--normalize: %1 no es ebu, podcast, streaming ni un nivel entre -70 y -5 LUFS</translation>
    </message>
    <message>
        <source>--trim: %1 is not START[,LENGTH] in seconds</source>
        <translation>--trim: %1 no es INICIO[,DURACIÓN] en segundos</translation>
    </message>
    <message>
        <source>--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)</source>
        <translation>--crop: %1 no es ARRIBA,ABAJO,IZQUIERDA,DERECHA en píxeles (0 o más)</translation>
    </message>
    <message>
        <source>--text: %1 is not X,Y or X,Y,FROM,TO</source>
        <translation>--text: %1 no es X,Y ni X,Y,DESDE,HASTA</translation>
    </message>
    <message>
        <source>--text: the seconds FROM,TO must satisfy 0 &lt;= FROM &lt;= TO</source>
        <translation>--text: los segundos DESDE,HASTA deben cumplir 0 &lt;= DESDE &lt;= HASTA</translation>
    </message>
    <message>
        <source>--text: the text is empty</source>
        <translation>--text: el texto está vacío</translation>
    </message>
    <message>
        <source>--profile: %1 is not a profile code (see --list-profiles)</source>
        <translation>--profile: %1 no es un código de perfil (véase --list-profiles)</translation>
    </message>
    <message>
        <source>--output: the folder name is empty</source>
        <translation>--output: el nombre de la carpeta está vacío</translation>
    </message>
    <message>
        <source>--jobs: %1 is not &quot;auto&quot; or a number from 1 to %2</source>
        <translation>--jobs: %1 no es &quot;auto&quot; ni un número entre 1 y %2</translation>
    </message>
    <message>
        <source>--ext: %1 is not NAME=VALUE</source>
        <translation>--ext: %1 no es NOMBRE=VALOR</translation>
    </message>
    <message>
        <source>--ext %1: %2</source>
        <extracomment>%2 is the media library&apos;s reason, in English</extracomment>
        <translation>--ext %1: %2</translation>
    </message>
    <message>
        <source>--true-peak: %1 is not a level from -20 to 0 dBTP</source>
        <translation>--true-peak: %1 no es un nivel entre -20 y 0 dBTP</translation>
    </message>
    <message>
        <source>--split: %1 is not chapters</source>
        <translation>--split: %1 no es chapters</translation>
    </message>
    <message>
        <source>--layout: %1 is not flat, tree or tags</source>
        <translation>--layout: %1 no es flat, tree ni tags</translation>
    </message>
    <message>
        <source>--name: %1: %2</source>
        <extracomment>%2 says what is wrong with the name template %1</extracomment>
        <translation>--name: %1: %2</translation>
    </message>
    <message>
        <source>--if-exists: %1 is not number, skip, replace or update</source>
        <translation>--if-exists: %1 no es number, skip, replace ni update</translation>
    </message>
    <message>
        <source>--audio-track: %1 is not default, first, a track number, languages such as eng,fre, or all</source>
        <translation>--audio-track: %1 no es default, first, un número de pista, idiomas como eng,fre, ni all</translation>
    </message>
    <message>
        <source>--info: the file name is empty</source>
        <translation>--info: el nombre del archivo está vacío</translation>
    </message>
    <message>
        <source>--album-gain: %1 is not &quot;tags&quot; or &quot;batch&quot;</source>
        <translation>--album-gain: %1 no es &quot;tags&quot; ni &quot;batch&quot;</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opción desconocida %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 necesita un valor</translation>
    </message>
    <message>
        <source>--name names files from their tags; it cannot be combined with --layout %1</source>
        <translation>--name nombra los archivos según sus etiquetas; no se puede combinar con --layout %1</translation>
    </message>
    <message>
        <source>--list-profiles and --info cannot be combined</source>
        <translation>--list-profiles y --info no se pueden combinar</translation>
    </message>
    <message>
        <source>unexpected file %1 beside %2</source>
        <extracomment>%2 is --list-profiles or --info</extracomment>
        <translation>archivo inesperado %1 junto a %2</translation>
    </message>
    <message>
        <source>no FILE or FOLDER to convert</source>
        <translation>ningún ARCHIVO ni CARPETA que convertir</translation>
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
        <translation>Uso: zelta-convert [OPCIÓN]... ARCHIVO|CARPETA...
     zelta-convert --list-profiles | --info ARCHIVO | --help | --version
Convierte cada ARCHIVO, y todos los archivos multimedia bajo cada CARPETA, con
un perfil de salida del catálogo, como hace el botón Iniciar.

  --profile CÓDIGO      perfil de salida (véase --list-profiles); por omisión:
                        el último elegido en el programa
  --output CARPETA      carpeta de salida; por omisión: la carpeta de salida
                        del programa
  --jobs N|auto         convertir N archivos a la vez; auto (por omisión): uno
                        por núcleo con un perfil de audio, uno a la vez con un
                        perfil de video
  --trim INICIO[,DURACIÓN]
                        conservar desde el segundo INICIO, DURACIÓN segundos
  --crop ARRIBA,ABAJO,IZQUIERDA,DERECHA
                        quitar esa cantidad de píxeles de cada borde de la
                        imagen tal como se ve (el video de un teléfono se
                        endereza antes)
  --text TEXTO[@X,Y[,DESDE,HASTA]]
                        dibujar TEXTO en el píxel X,Y del fotograma (por
                        omisión 10,10), del segundo DESDE al segundo HASTA (por
                        omisión: todo el archivo); se puede repetir
  --ext NOMBRE=VALOR    una opción adicional del motor para cada salida; se
                        puede repetir
  --no-tags             no escribir etiquetas ni imagen de portada de los
                        originales
  --replaygain          escribir etiquetas de sonoridad ReplayGain medidas
                        durante la conversión
  --layout flat|tree|tags
                        dónde van las salidas: flat (por omisión)
                        NOMBRE_(new).EXT en la carpeta de salida; tree: se
                        conservan las carpetas bajo cada CARPETA, NOMBRE.EXT;
                        tags: nombres según la plantilla de --name
  --name PLANTILLA      nombrar las salidas según sus etiquetas (implica
                        --layout tags), &quot;/&quot; crea carpetas; campos {artist}
                        {albumartist} {album} {title} {track} {disc} {year}
                        {genre} {name} {folder} {ext} {tracknumber}
                        {tracklang} {chapter} {chaptertitle}; por omisión:
                        {albumartist}/{album}/{track} {title}
  --split chapters      un archivo por capítulo, NOMBRE - NN TÍTULO (una hoja
                        CUE junto a un archivo o dentro de él, o añadida por sí
                        misma, siempre da un archivo por pista)
  --if-exists number|skip|replace|update
                        si la salida existe: number (por omisión) toma el
                        siguiente nombre libre, skip omite el archivo, replace
                        la sobrescribe una vez completo el archivo nuevo,
                        update solo reemplaza una salida más antigua que su
                        origen
  --audio-track default|first|N|IDIOMA[,IDIOMA...]|all
                        qué pista de audio convertir de un archivo con varias:
                        default la marcada como predeterminada (por omisión),
                        first la primera, N la número N, IDIOMA la primera en
                        el idioma más deseado (eng,fre), o all: una salida por
                        pista, NOMBRE_(new)_2_fre.EXT
  --normalize[=NIVEL]   llevar todos los archivos a una misma sonoridad: NIVEL
                        en LUFS (de -70 a -5) o ebu (-23), podcast (-16),
                        streaming (-14); por omisión: el nivel guardado (-16)
  --true-peak DBTP      pico real máximo tras normalizar (de -20 a 0; por
                        omisión -1)
  --album-gain[=tags|batch]
                        una sola ganancia para los archivos de un álbum (mismas
                        etiquetas de álbum y de artista del álbum; por
                        omisión) o para todo el lote
  --loudness-tags       tomar la sonoridad de las etiquetas ReplayGain o R128
                        cuando un archivo las tiene, en lugar de medirla
  --fade-in SEGUNDOS    fundido de entrada del sonido en SEGUNDOS al inicio
  --fade-out SEGUNDOS   fundido de salida del sonido en SEGUNDOS al final
  --trim-silence        quitar el silencio (bajo -50 dBFS durante 0.5 s o más)
                        al inicio y al final de los archivos sin imagen
  --list-profiles       mostrar CÓDIGO&lt;TAB&gt;NOMBRE de cada perfil y salir
  --info ARCHIVO        mostrar lo que el análisis lee de ARCHIVO y las
                        etiquetas que conserva una conversión, y salir
  --help                mostrar este texto y salir
  --version             mostrar la versión y salir

La configuración se lee de zeltavideoaudioconverter.ini (en $ZELTA_HOME si está
definida).
Estado de salida: 0 todos los archivos convertidos u omitidos, 1 falló algún
archivo, 2 argumentos incorrectos.

Ejemplo, una biblioteca FLAC a MP3 para un teléfono, de nuevo tras añadir
álbumes:
  zelta-convert --profile 0 --layout tree --if-exists update \
                --output ~/phone/Music ~/Music/FLAC
</translation>
    </message>
</context>
<context>
    <name>ConvertMain</name>
    <message>
        <source>cannot load the media libraries: %1</source>
        <translation>no se pueden cargar las bibliotecas multimedia: %1</translation>
    </message>
    <message>
        <source>Audio tracks: none</source>
        <translation>Pistas de audio: ninguna</translation>
    </message>
    <message>
        <source>Audio tracks:</source>
        <translation>Pistas de audio:</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Capítulos:</translation>
    </message>
    <message>
        <source>Tags carried: none</source>
        <translation>Etiquetas conservadas: ninguna</translation>
    </message>
    <message>
        <source>Tags carried:</source>
        <translation>Etiquetas conservadas:</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>warning: %1 cannot be used (%2); using defaults</source>
        <translation>advertencia: no se puede usar %1 (%2); se usan los valores predeterminados</translation>
    </message>
    <message>
        <source>no profile %1 in %2 (see --list-profiles)</source>
        <translation>no existe el perfil %1 en %2 (véase --list-profiles)</translation>
    </message>
    <message>
        <source>cannot create a temporary folder</source>
        <translation>no se puede crear una carpeta temporal</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>cannot create the output folder %1: %2</source>
        <translation>no se puede crear la carpeta de salida %1: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no existe el archivo</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>detenido</translation>
    </message>
    <message>
        <source>the conversion did not run</source>
        <translation>la conversión no se ejecutó</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>advertencia: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>falló: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files converted, %3 failed</source>
        <extracomment>%1 converted of %2 files (the count), %3 failed; more clauses may follow</extracomment>
        <translation>
            <numerusform>%1 de %2 archivo convertido, %3 con errores</numerusform>
            <numerusform>%1 de %2 archivos convertidos, %3 con errores</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 skipped</source>
        <translation>
            <numerusform>, %1 omitido</numerusform>
            <numerusform>, %1 omitidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n with warnings</source>
        <translation>
            <numerusform>, %n con advertencias</numerusform>
            <numerusform>, %n con advertencias</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CropLogic</name>
    <message>
        <source>Result: %1 x %2</source>
        <extracomment>the picture size that the crop leaves, width x height</extracomment>
        <translation>Resultado: %1 x %2</translation>
    </message>
</context>
<context>
    <name>CueSheet</name>
    <message>
        <source>the CUE sheet cannot be read: it is not written as a CUE sheet is</source>
        <translation>no se puede leer la hoja CUE: no tiene el formato de una hoja CUE</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: track %1 has no start (INDEX 01)</source>
        <translation>no se puede leer la hoja CUE: la pista %1 no tiene inicio (INDEX 01)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it lists no tracks</source>
        <translation>no se puede leer la hoja CUE: no contiene ninguna pista</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it names no audio file (FILE)</source>
        <translation>no se puede leer la hoja CUE: no indica ningún archivo de audio (FILE)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: %1</source>
        <translation>no se puede leer la hoja CUE: %1</translation>
    </message>
</context>
<context>
    <name>DesktopNotices</name>
    <message>
        <source>Conversion stopped</source>
        <translation>Conversión detenida</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Conversión terminada con errores</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Conversión terminada</translation>
    </message>
    <message numerus="yes">
        <source>%n file converted</source>
        <translation>
            <numerusform>%n archivo convertido</numerusform>
            <numerusform>%n archivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files converted</source>
        <translation>
            <numerusform>%n archivo convertido</numerusform>
            <numerusform>%n archivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file converted</source>
        <translation>
            <numerusform>%1 de %n archivo convertido</numerusform>
            <numerusform>%1 de %n archivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files converted</source>
        <translation>
            <numerusform>%1 de %n archivo convertido</numerusform>
            <numerusform>%1 de %n archivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n failed</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files failed</extracomment>
        <translation>
            <numerusform>, %n fallido</numerusform>
            <numerusform>, %n fallidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n skipped</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files were passed over</extracomment>
        <translation>
            <numerusform>, %n omitido</numerusform>
            <numerusform>, %n omitidos</numerusform>
        </translation>
    </message>
    <message>
        <source>Conversion stopped: %1</source>
        <translation>Conversión detenida: %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <extracomment>the button of the notice at the end of a batch</extracomment>
        <translation>Abrir carpeta</translation>
    </message>
</context>
<context>
    <name>FileInfoLogic</name>
    <message>
        <source>%1 (estimated)</source>
        <extracomment>a frame count worked out from the length and the frame rate</extracomment>
        <translation>%1 (estimado)</translation>
    </message>
    <message>
        <source>stored %1</source>
        <extracomment>the picture&apos;s size as stored in the file (a remark after the size shown)</extracomment>
        <translation>almacenado como %1</translation>
    </message>
    <message>
        <source>pixel aspect %1:%2</source>
        <translation>aspecto de píxel %1:%2</translation>
    </message>
    <message>
        <source>display aspect %1</source>
        <translation>aspecto de pantalla %1</translation>
    </message>
    <message>
        <source>rotated %1°</source>
        <extracomment>%1 is the turn in degrees, followed by the degree sign</extracomment>
        <translation>girado %1°</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>the file&apos;s length in seconds, with milliseconds (&quot;12.345 Second&quot;)</extracomment>
        <translation>%1 segundos</translation>
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
        <translation>La carpeta de salida no puede estar en un CD-ROM. Seleccione otra carpeta.</translation>
    </message>
</context>
<context>
    <name>GlobalObject</name>
    <message>
        <source>The settings file %1 cannot be used: %2. The program starts with the default settings and leaves the file as it is until a setting is changed; it is then kept as %3.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>No se puede usar el archivo de configuración %1: %2. El programa se inicia con la configuración predeterminada y deja el archivo tal como está hasta que se cambie algún ajuste; entonces se conserva como %3.</translation>
    </message>
    <message>
        <source>The profile catalogue %1 cannot be used: %2. Only the built-in audio formats are offered, with their default values.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>No se puede usar el catálogo de perfiles %1: %2. Solo se ofrecen los formatos de audio integrados, con sus valores predeterminados.</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>it is empty</source>
        <translation>está vacío</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>no es un archivo de texto</translation>
    </message>
    <message>
        <source>it is cut off</source>
        <translation>está truncado</translation>
    </message>
    <message>
        <source>it has no section</source>
        <translation>no tiene ninguna sección</translation>
    </message>
    <message>
        <source>invalid section name</source>
        <translation>nombre de sección no válido</translation>
    </message>
    <message>
        <source>invalid key name</source>
        <translation>nombre de clave no válido</translation>
    </message>
    <message>
        <source>a value cannot contain a line break</source>
        <translation>un valor no puede contener un salto de línea</translation>
    </message>
    <message>
        <source>Cannot write settings file %1: %2</source>
        <translation>No se puede escribir el archivo de configuración %1: %2</translation>
    </message>
</context>
<context>
    <name>JobBuilder</name>
    <message>
        <source>Error output Video Size.Use the default size 320x240?</source>
        <translation>El tamaño de video de salida no es válido. ¿Usar el tamaño predeterminado 320x240?</translation>
    </message>
</context>
<context>
    <name>LibraryWalker</name>
    <message numerus="yes">
        <source>%n file added</source>
        <translation>
            <numerusform>%n archivo añadido</numerusform>
            <numerusform>%n archivos añadidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 files added</source>
        <translation>
            <numerusform>%1 archivo añadido</numerusform>
            <numerusform>%1 archivos añadidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n other skipped</source>
        <extracomment>added to &quot;12 files added&quot;: files in the folders that are no media</extracomment>
        <translation>
            <numerusform>, %n otro omitido</numerusform>
            <numerusform>, %n otros omitidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 others skipped</source>
        <translation>
            <numerusform>, %1 otro omitido</numerusform>
            <numerusform>, %1 otros omitidos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LoudnessPreferences</name>
    <message>
        <source>The loudness target must be a number between -70 and -5 LUFS.</source>
        <translation>El nivel objetivo de sonoridad debe ser un número entre -70 y -5 LUFS.</translation>
    </message>
    <message>
        <source>The true-peak ceiling must lie between -20 and 0 dBTP.</source>
        <translation>El límite de pico real debe estar entre -20 y 0 dBTP.</translation>
    </message>
    <message>
        <source>A fade must last between 0 and 3600 seconds.</source>
        <translation>Un fundido debe durar entre 0 y 3600 segundos.</translation>
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
        <translation>Uso: zelta [OPCIÓN-QT]... [ARCHIVO]...
Abre la ventana del conversor; cada ARCHIVO se añade a la lista de archivos por
convertir.

  --help     mostrar este texto y salir
  --version  mostrar la versión y salir
  --         fin de las opciones: todo argumento posterior es un archivo

También se aceptan las opciones propias de Qt (como -platform NOMBRE o
-style NOMBRE).
La configuración se guarda en zeltavideoaudioconverter.ini (en $ZELTA_HOME si
está definida).
</translation>
    </message>
    <message>
        <source>no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without a screen.
</source>
        <translation>no se encontró ninguna pantalla (no está definida ni DISPLAY ni WAYLAND_DISPLAY).
Inícielo desde una sesión de escritorio, o defina QT_QPA_PLATFORM=offscreen para ejecutarlo sin pantalla.
</translation>
    </message>
</context>
<context>
    <name>OutputNames</name>
    <message>
        <source>the name is empty</source>
        <translation>el nombre está vacío</translation>
    </message>
    <message>
        <source>a &quot;}&quot; without &quot;{&quot;</source>
        <translation>una &quot;}&quot; sin &quot;{&quot;</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without &quot;}&quot;</source>
        <translation>una &quot;{&quot; sin &quot;}&quot;</translation>
    </message>
    <message>
        <source>unknown field {%1}</source>
        <extracomment>%1 is a field name of the name template, shown in braces</extracomment>
        <translation>campo desconocido {%1}</translation>
    </message>
    <message>
        <source>the name has no field, so every file would get the same name</source>
        <translation>el nombre no tiene ningún campo, así que todos los archivos tendrían el mismo nombre</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>no se puede buscar un nombre libre en %1: %2</translation>
    </message>
    <message>
        <source>every numbered name of %1 up to %2 is taken in %3</source>
        <translation>todos los nombres numerados de %1 hasta %2 están ocupados en %3</translation>
    </message>
    <message>
        <source>the output exists</source>
        <translation>la salida ya existe</translation>
    </message>
    <message>
        <source>the output is up to date</source>
        <translation>la salida está actualizada</translation>
    </message>
</context>
<context>
    <name>PreviewLogic</name>
    <message>
        <source>not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>No se puede crear la carpeta de salida: %1. Se creará la carpeta predeterminada %2.</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>No se puede crear la carpeta de salida: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Segments</name>
    <message>
        <source>the CUE sheet names a file that is not there: %1</source>
        <translation>la hoja CUE indica un archivo que no existe: %1</translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <extracomment>the Source column&apos;s caption of a chapter or CUE track without a title</extracomment>
        <translation>Capítulo %1</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Pista %1</translation>
    </message>
</context>
<context>
    <name>SettingsLogic</name>
    <message>
        <source>Frame Size is not a valid value!</source>
        <translation>El tamaño de fotograma no es un valor válido.</translation>
    </message>
    <message>
        <source>Frame Size must be a multiple of 2.
The correct value:%1</source>
        <translation>El tamaño de fotograma debe ser múltiplo de 2.
Valor correcto: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» no es un número entero válido</translation>
    </message>
    <message>
        <source>Video BitRate is not a valid value!</source>
        <translation>La tasa de bits de video no es un valor válido.</translation>
    </message>
    <message>
        <source>Audio BitRate is not a valid value!</source>
        <translation>La tasa de bits de audio no es un valor válido.</translation>
    </message>
    <message>
        <source>Audio SampleRate is not a valid value!</source>
        <translation>La frecuencia de muestreo de audio no es un valor válido.</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Pantalla completa</translation>
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
        <translation>Introduzca un número.</translation>
    </message>
    <message>
        <source>Input Error!</source>
        <translation>Error de entrada</translation>
    </message>
</context>
<context>
    <name>SourceList</name>
    <message>
        <source>All Supported Video Formats</source>
        <translation>Todos los formatos de video compatibles</translation>
    </message>
    <message>
        <source>All Supported Audio Formats</source>
        <translation>Todos los formatos de audio compatibles</translation>
    </message>
    <message>
        <source>AVI files (*.avi)</source>
        <translation>Archivos AVI (*.avi)</translation>
    </message>
    <message>
        <source>MPEG4 files (*.mp4)</source>
        <translation>Archivos MPEG4 (*.mp4)</translation>
    </message>
    <message>
        <source>MPEG files (*.mpg,*.mpeg)</source>
        <translation>Archivos MPEG (*.mpg,*.mpeg)</translation>
    </message>
    <message>
        <source>3GP files (*.3gp,*.3g2)</source>
        <translation>Archivos 3GP (*.3gp,*.3g2)</translation>
    </message>
    <message>
        <source>Itunes Video files (*.m4v)</source>
        <translation>Archivos de video iTunes (*.m4v)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv,*.asf)</source>
        <translation>Archivos Windows Media (*.wmv,*.asf)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm,*.rmvb)</source>
        <translation>Archivos Real Media (*.rm,*.rmvb)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>Archivos Video CD (*.dat)</translation>
    </message>
    <message>
        <source>Quick Time files (*.mov)</source>
        <translation>Archivos QuickTime (*.mov)</translation>
    </message>
    <message>
        <source>Flash Video files (*.flv)</source>
        <translation>Archivos Flash Video (*.flv)</translation>
    </message>
    <message>
        <source>Matroska Video files (*.mkv)</source>
        <translation>Archivos de video Matroska (*.mkv)</translation>
    </message>
    <message>
        <source>MJPEG Video files (*.mjpg,*.mjpeg)</source>
        <translation>Archivos de video MJPEG (*.mjpg,*.mjpeg)</translation>
    </message>
    <message>
        <source>Animated GIF files (*.gif)</source>
        <translation>Archivos GIF animados (*.gif)</translation>
    </message>
    <message>
        <source>H.264/MPEG4 AVC Video files (*.mts,*.m2ts)</source>
        <translation>Archivos de video H.264/MPEG4 AVC (*.mts,*.m2ts)</translation>
    </message>
    <message>
        <source>DVD video object files (*.vob)</source>
        <translation>Archivos de objetos de video de DVD (*.vob)</translation>
    </message>
    <message>
        <source>MPEG-1 Video files (*.mpv)</source>
        <translation>Archivos de video MPEG-1 (*.mpv)</translation>
    </message>
    <message>
        <source>Video Transport Stream files (*.ts)</source>
        <translation>Archivos de flujo de transporte de video (*.ts)</translation>
    </message>
    <message>
        <source>TP Video files (*.tp)</source>
        <translation>Archivos de video TP (*.tp)</translation>
    </message>
    <message>
        <source>Maceomeida Flash files (*.swf)</source>
        <translation>Archivos Macromedia Flash (*.swf)</translation>
    </message>
    <message>
        <source>MP3 Audio files (*.mp3)</source>
        <translation>Archivos de audio MP3 (*.mp3)</translation>
    </message>
    <message>
        <source>Advanced Audio Coding files (*.aac)</source>
        <translation>Archivos Advanced Audio Coding (*.aac)</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio files (*.ape)</source>
        <translation>Archivos Monkey&apos;s Audio (*.ape)</translation>
    </message>
    <message>
        <source>Ogg Vorbis Audio files (*.ogg)</source>
        <translation>Archivos de audio Ogg Vorbis (*.ogg)</translation>
    </message>
    <message>
        <source>Windows Media Audio files (*.wma)</source>
        <translation>Archivos Windows Media Audio (*.wma)</translation>
    </message>
    <message>
        <source>MusePack Audio files (*.mpc)</source>
        <translation>Archivos de audio MusePack (*.mpc)</translation>
    </message>
    <message>
        <source>MPEG Audio files (*.mpa)</source>
        <translation>Archivos de audio MPEG (*.mpa)</translation>
    </message>
    <message>
        <source>MPEG-4 Audio files (*.m4a)</source>
        <translation>Archivos de audio MPEG-4 (*.m4a)</translation>
    </message>
    <message>
        <source>Matroska Audio files (*.mka)</source>
        <translation>Archivos de audio Matroska (*.mka)</translation>
    </message>
    <message>
        <source>DTS Audio files (*.dts)</source>
        <translation>Archivos de audio DTS (*.dts)</translation>
    </message>
    <message>
        <source>Audio Codec 3 files (*.ac3)</source>
        <translation>Archivos Audio Codec 3 (*.ac3)</translation>
    </message>
    <message>
        <source>Speex Audio files (*.spx)</source>
        <translation>Archivos de audio Speex (*.spx)</translation>
    </message>
    <message>
        <source>Real Audio files (*.ra,*.ram)</source>
        <translation>Archivos Real Audio (*.ra,*.ram)</translation>
    </message>
    <message>
        <source>MPEG Layer II Compressed Audio files (*.mp2)</source>
        <translation>Archivos de audio comprimido MPEG Layer II (*.mp2)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>no se indicó ninguna carpeta</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>No se puede crear la carpeta de salida: %1. Se creará la carpeta predeterminada %2.</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>No se puede crear la carpeta de salida: %1 (%2)</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>no se puede buscar un nombre libre en %1: %2</translation>
    </message>
    <message>
        <source>every name from %1 to %2 is taken in %3</source>
        <translation>todos los nombres de %1 a %2 están ocupados en %3</translation>
    </message>
    <message>
        <source>[audio %1] %2</source>
        <extracomment>%1 is the chosen audio track (&quot;2: fre&quot;), %2 the file</extracomment>
        <translation>[audio %1] %2</translation>
    </message>
    <message>
        <source>Audio track %1</source>
        <translation>Pista de audio %1</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Origen</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Trimmed Length</source>
        <translation>Duración cortada</translation>
    </message>
    <message>
        <source>Destination File</source>
        <translation>Archivo de destino</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>The file is not there any more.</source>
        <translation>El archivo ya no existe.</translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>Progress column status of a file that could not be converted</extracomment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>Progress column status of a file converted with warnings</extracomment>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>Progress column status of a file that was passed over (its output exists)</extracomment>
        <translation>Omitido</translation>
    </message>
    <message>
        <source>Missing</source>
        <extracomment>Progress column status of a kept row whose file is gone</extracomment>
        <translation>Ausente</translation>
    </message>
</context>
<context>
    <name>TBusyProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>TFormatPicker</name>
    <message>
        <source>Output profiles</source>
        <translation>Perfiles de salida</translation>
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
        <translation>Otro:</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>Album mode: no album gain</extracomment>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>By album tags</source>
        <translation>Por etiquetas de álbum</translation>
    </message>
    <message>
        <source>Whole batch</source>
        <translation>Todo el lote</translation>
    </message>
    <message>
        <source>Loudness</source>
        <extracomment>Tab of the loudness preferences</extracomment>
        <translation>Sonoridad</translation>
    </message>
    <message>
        <source>&amp;Normalise loudness</source>
        <translation>&amp;Normalizar la sonoridad</translation>
    </message>
    <message>
        <source>Measures each file first, then brings it to the target with one constant gain</source>
        <translation>Mide primero cada archivo y luego lo lleva al nivel objetivo con una ganancia constante</translation>
    </message>
    <message>
        <source>Other target in LUFS</source>
        <translation>Otro nivel objetivo en LUFS</translation>
    </message>
    <message>
        <source>&amp;Target:</source>
        <translation>Nivel &amp;objetivo:</translation>
    </message>
    <message>
        <source>True-peak &amp;ceiling:</source>
        <translation>Límite de pico &amp;real:</translation>
    </message>
    <message>
        <source>One gain for the files of an album (same album and album artist tags) or for the whole batch, so they keep their levels relative to each other</source>
        <translation>Una sola ganancia para los archivos de un álbum (mismas etiquetas de álbum y de artista del álbum) o para todo el lote, de modo que conserven sus niveles relativos</translation>
    </message>
    <message>
        <source>&amp;Album mode:</source>
        <translation>&amp;Modo de álbum:</translation>
    </message>
    <message>
        <source>Use Replay&amp;Gain or R128 tags when present</source>
        <translation>Usar etiquetas Replay&amp;Gain o R128 si existen</translation>
    </message>
    <message>
        <source>A file whose tags state its loudness is not measured</source>
        <translation>Un archivo cuyas etiquetas indican su sonoridad no se mide</translation>
    </message>
    <message>
        <source>Fades and silence</source>
        <translation>Fundidos y silencio</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>Unit after a number of seconds (with the space before it)</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <source>Fade &amp;in:</source>
        <translation>Fundido de &amp;entrada:</translation>
    </message>
    <message>
        <source>Fade &amp;out:</source>
        <translation>Fundido de &amp;salida:</translation>
    </message>
    <message>
        <source>Trim &amp;silence at the start and the end</source>
        <translation>&amp;Quitar el silencio al inicio y al final</translation>
    </message>
    <message>
        <source>Cuts silence below -50 dBFS lasting 0.5 s or more (files without pictures only)</source>
        <translation>Elimina el silencio por debajo de -50 dBFS que dure 0.5 s o más (solo en archivos sin imagen)</translation>
    </message>
</context>
<context>
    <name>TPrefOutputPage</name>
    <message>
        <source>Output names</source>
        <translation>Nombres de salida</translation>
    </message>
    <message>
        <source>Output folder</source>
        <extracomment>Output layout: every output straight in the output folder</extracomment>
        <translation>Carpeta de salida</translation>
    </message>
    <message>
        <source>name_(new).ext in the output folder</source>
        <translation>nombre_(new).ext en la carpeta de salida</translation>
    </message>
    <message>
        <source>Keep the folder tree</source>
        <translation>Conservar el árbol de carpetas</translation>
    </message>
    <message>
        <source>The folders below an added folder are made again in the output folder</source>
        <translation>Las carpetas que hay bajo una carpeta añadida se vuelven a crear en la carpeta de salida</translation>
    </message>
    <message>
        <source>Name from tags</source>
        <translation>Nombre según etiquetas</translation>
    </message>
    <message>
        <source>Folders and names made of the files&apos; tags</source>
        <translation>Carpetas y nombres formados con las etiquetas de los archivos</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; makes folders</source>
        <extracomment>The names in braces are what the template is written with: keep them as they are</extracomment>
        <translation>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; crea carpetas</translation>
    </message>
    <message>
        <source>Portable names (for memory cards)</source>
        <translation>Nombres portátiles (para tarjetas de memoria)</translation>
    </message>
    <message>
        <source>Also replaces &lt; &gt; : &quot; \ | ? * and trailing dots and blanks</source>
        <translation>Reemplaza también &lt; &gt; : &quot; \ | ? * y los puntos y espacios finales</translation>
    </message>
    <message>
        <source>Copy folder pictures (cover.jpg, folder.jpg) beside the outputs</source>
        <translation>Copiar las imágenes de carpeta (cover.jpg, folder.jpg) junto a las salidas</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Ejemplo:</translation>
    </message>
    <message>
        <source>When the output exists</source>
        <translation>Si la salida ya existe</translation>
    </message>
    <message>
        <source>Number (keep both)</source>
        <translation>Numerar (conservar ambos)</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>When the output exists: leave it and convert nothing</extracomment>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
    <message>
        <source>Update (replace when the source is newer)</source>
        <translation>Actualizar (reemplazar si el origen es más reciente)</translation>
    </message>
    <message>
        <source>Audio tracks</source>
        <translation>Pistas de audio</translation>
    </message>
    <message>
        <source>Files with several: &amp;convert</source>
        <translation>Si hay varias pistas: con&amp;vertir</translation>
    </message>
    <message>
        <source>default: the track flagged default, else the first; first; a track number; languages in order of preference (eng,fre); all: a file for each track</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>default: la pista marcada como predeterminada o, si no hay, la primera; first: la primera; un número de pista; idiomas por orden de preferencia (eng,fre); all: un archivo por cada pista</translation>
    </message>
    <message>
        <source>Files with chapters</source>
        <translation>Archivos con capítulos</translation>
    </message>
    <message>
        <source>One file per chapter</source>
        <translation>Un archivo por capítulo</translation>
    </message>
    <message>
        <source>Files added later with chapters (audiobooks, concerts) give a row per chapter, named &quot;name - 01 title&quot;; a CUE sheet always gives a row per track</source>
        <translation>Los archivos con capítulos que se añadan después (audiolibros, conciertos) dan una fila por capítulo, con el nombre «nombre - 01 título»; una hoja CUE siempre da una fila por pista</translation>
    </message>
    <message>
        <source>The audio track rule cannot be used: write default, first, a track number, languages such as eng,fre, or all.</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>No se puede usar la regla de pista de audio: escriba default, first, un número de pista, idiomas como eng,fre, o all.</translation>
    </message>
    <message>
        <source>The name cannot be used: %1.</source>
        <extracomment>%1 says what is wrong with the typed name template</extracomment>
        <translation>No se puede usar el nombre: %1.</translation>
    </message>
</context>
<context>
    <name>TPreviewPanel</name>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Screen-reader name of the playing position slider</extracomment>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>Tool tip of the player&apos;s stop button</extracomment>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Guardar captura de imagen</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Check box: the preview plays without sound</extracomment>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volumen:</translation>
    </message>
    <message>
        <source>duration: %1, frame size: %2x%3</source>
        <extracomment>Log line when the preview opens a file: its length in seconds and its picture size</extracomment>
        <translation>duración: %1, tamaño de fotograma: %2x%3</translation>
    </message>
</context>
<context>
    <name>TRectTracker</name>
    <message>
        <source>Area to keep: drag it or its handles; arrow keys move it, Shift+arrow keys resize it</source>
        <translation>Área que se conserva: arrástrela o arrastre sus tiradores; las teclas de flecha la mueven y Mayús+flechas cambian su tamaño</translation>
    </message>
    <message>
        <source>Crop area</source>
        <translation>Área de recorte</translation>
    </message>
</context>
<context>
    <name>TfmDirectory</name>
    <message>
        <source>Brows</source>
        <extracomment>Title of the folder chooser</extracomment>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>Please select an output directory:</source>
        <translation>Seleccione una carpeta de salida:</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
</context>
<context>
    <name>TfrmAudioTrack</name>
    <message>
        <source>Audio Track</source>
        <extracomment>Window title of the dialog choosing which audio track converts</extracomment>
        <translation>Pista de audio</translation>
    </message>
    <message>
        <source>&amp;Audio track to convert:</source>
        <translation>&amp;Pista de audio a convertir:</translation>
    </message>
</context>
<context>
    <name>TfrmCrop</name>
    <message>
        <source>Crop</source>
        <extracomment>Window title of the crop dialog
----------
Group box of the four margins to cut away</extracomment>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Player panel</source>
        <translation>Panel del reproductor</translation>
    </message>
    <message>
        <source>Preview</source>
        <extracomment>Group box around the picture</extracomment>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Margin cut away at the top of the picture</extracomment>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Margin cut away at the bottom of the picture</extracomment>
        <translation>Abajo</translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Margin cut away at the left of the picture</extracomment>
        <translation>Izq.</translation>
    </message>
    <message>
        <source>Right</source>
        <extracomment>Margin cut away at the right of the picture</extracomment>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: back to the margins the dialog opened with</extracomment>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <extracomment>Button: no margins at all</extracomment>
        <translation>Por &amp;defecto</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Posición de reproducción</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>reproducir</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pausa</translation>
    </message>
    <message>
        <source>Time:</source>
        <extracomment>Caption of the playing time</extracomment>
        <translation>Tiempo:</translation>
    </message>
    <message>
        <source>Length:</source>
        <extracomment>Caption of the file&apos;s playing length</extracomment>
        <translation>Duración:</translation>
    </message>
    <message>
        <source>Source File:</source>
        <translation>Archivo de origen:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 Second</source>
        <extracomment>The file&apos;s length in seconds, e.g. &quot;12.345 Second&quot;</extracomment>
        <translation>%1 segundos</translation>
    </message>
</context>
<context>
    <name>TfrmFileInfo</name>
    <message>
        <source>File infomation</source>
        <translation>Información del archivo</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Nombre del archivo:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <extracomment>The file&apos;s playing length</extracomment>
        <translation>Duración:</translation>
    </message>
    <message>
        <source>Video </source>
        <extracomment>Group of the file&apos;s video stream details</extracomment>
        <translation>Video </translation>
    </message>
    <message>
        <source>Format:</source>
        <extracomment>The video stream&apos;s codec</extracomment>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Resloution:</source>
        <translation>Resolución:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Fotogramas/s:</translation>
    </message>
    <message>
        <source>Total Frame:</source>
        <extracomment>The number of frames of the video stream</extracomment>
        <translation>Total de fotogramas:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Tasa de bits:</translation>
    </message>
    <message>
        <source>Audio</source>
        <extracomment>Group of the file&apos;s audio stream details</extracomment>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Frec. de muestreo:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <extracomment>The audio stream&apos;s channel layout (mono, stereo, ...)</extracomment>
        <translation>Canales:</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <extracomment>The file&apos;s audio tracks</extracomment>
        <translation>Pistas:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
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
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Añadir carpeta</translation>
    </message>
    <message>
        <source>Source files</source>
        <translation>Archivos de origen</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Registro</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Formato de audio</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>Más menús</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Aña&amp;dir</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Vaciar</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>A&amp;justes</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Edi&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Add &amp;Files...</source>
        <translation>Añadir &amp;archivos...</translation>
    </message>
    <message>
        <source>Add F&amp;older...</source>
        <translation>Añadir &amp;carpeta...</translation>
    </message>
    <message>
        <source>Output</source>
        <extracomment>Title of the group with the output format and the output folder</extracomment>
        <translation>Salida</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Carpeta:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Button that opens the output folder in the file manager</extracomment>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Se&amp;ttings</source>
        <translation>A&amp;justes</translation>
    </message>
    <message>
        <source>&amp;Crop</source>
        <translation>&amp;Recortar</translation>
    </message>
    <message>
        <source>&amp;Trim</source>
        <translation>&amp;Cortar</translation>
    </message>
    <message>
        <source>&amp;Video Effect &amp;&amp; Water Mark</source>
        <translation>&amp;Efectos de video &amp;&amp; marca de agua</translation>
    </message>
    <message>
        <source>&amp;Audio Track...</source>
        <translation>&amp;Pista de audio...</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>&amp;Marcar todo</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>&amp;Desmarcar todo</translation>
    </message>
    <message>
        <source>&amp;Reverse Check</source>
        <translation>&amp;Invertir marcas</translation>
    </message>
    <message>
        <source>C&amp;heck</source>
        <translation>M&amp;arcar</translation>
    </message>
    <message>
        <source>U&amp;ncheck</source>
        <translation>De&amp;smarcar</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Preference</source>
        <translation>&amp;Preferencias</translation>
    </message>
    <message>
        <source>&amp;Skin</source>
        <translation>&amp;Tema</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Support and Contact</source>
        <translation>&amp;Soporte y contacto</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;Web Site</source>
        <translation>Sitio &amp;web</translation>
    </message>
    <message>
        <source>Audio Trac&amp;k...</source>
        <translation>&amp;Pista de audio...</translation>
    </message>
    <message>
        <source>One File per C&amp;hapter</source>
        <translation>Un arc&amp;hivo por capítulo</translation>
    </message>
    <message>
        <source>Video &amp;Infomation</source>
        <translation>I&amp;nformación del video</translation>
    </message>
    <message>
        <source>Adding</source>
        <extracomment>Title of the box shown while many files are added (its text follows)</extracomment>
        <translation>Añadiendo</translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation>Añadiendo %1 de %2…</translation>
    </message>
    <message>
        <source>This file has no chapters to split it by.</source>
        <translation>Este archivo no tiene capítulos por los que dividirlo.</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Preparando</translation>
    </message>
    <message>
        <source>Preparing %1 of %2…</source>
        <translation>Preparando %1 de %2…</translation>
    </message>
    <message>
        <source>The list could not be kept: %1</source>
        <translation>No se pudo conservar la lista: %1</translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Skin menu: name of a colour theme</extracomment>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Naranja</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Morado</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Light blue</source>
        <translation>Azul claro</translation>
    </message>
    <message>
        <source>Follow system</source>
        <translation>Según el sistema</translation>
    </message>
</context>
<context>
    <name>TfrmPreference</name>
    <message>
        <source>Preference</source>
        <extracomment>Title of the preferences window</extracomment>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Páginas de preferencias</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <extracomment>Group of the settings for pictures saved from the playing video</extracomment>
        <translation>Captura</translation>
    </message>
    <message>
        <source>Snapshot folder:</source>
        <translation>Carpeta de capturas:</translation>
    </message>
    <message>
        <source>&amp;Brows</source>
        <translation>&amp;Examinar</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <extracomment>Button that opens the snapshot folder in the file manager</extracomment>
        <translation>A&amp;brir</translation>
    </message>
    <message>
        <source>Snapshot size:</source>
        <translation>Tamaño de captura:</translation>
    </message>
    <message>
        <source>Small Size</source>
        <translation>Tamaño pequeño</translation>
    </message>
    <message>
        <source>Full Size</source>
        <translation>Tamaño completo</translation>
    </message>
    <message>
        <source>Snapshot format:</source>
        <translation>Formato de captura:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality:</source>
        <translation>Calidad de compresión JPG:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality slider</source>
        <translation>Control deslizante de calidad de compresión JPG</translation>
    </message>
    <message>
        <source>(The higher the value, the better the image quality.)</source>
        <translation>(Cuanto más alto el valor, mejor la calidad de imagen).</translation>
    </message>
    <message>
        <source>Work priority</source>
        <translation>Prioridad de trabajo</translation>
    </message>
    <message>
        <source>Idle</source>
        <extracomment>Work priority of the conversions</extracomment>
        <translation>En reposo</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Baja</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Mínima</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Conversiones simultáneas:</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Simultaneous conversions chosen by the program</extracomment>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Auto: one file per core for audio profiles, one at a time for video</source>
        <translation>Auto: un archivo por núcleo con perfiles de audio, uno a la vez con video</translation>
    </message>
    <message>
        <source>Keep tags and cover art</source>
        <translation>Conservar etiquetas y portada</translation>
    </message>
    <message>
        <source>Write ReplayGain tags</source>
        <translation>Escribir etiquetas ReplayGain</translation>
    </message>
    <message>
        <source>Measures the loudness while converting</source>
        <translation>Mide la sonoridad durante la conversión</translation>
    </message>
    <message>
        <source>Tell me when a batch ends in the background</source>
        <translation>Avisarme cuando termine un lote en segundo plano</translation>
    </message>
    <message>
        <source>A desktop notification when the window is not active</source>
        <translation>Una notificación de escritorio cuando la ventana no está activa</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Idioma:</translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>Interface language choice: the desktop&apos;s language</extracomment>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>Por &amp;defecto</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>General</source>
        <extracomment>Tab of the general preferences</extracomment>
        <translation>General</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Se aplica en el próximo inicio</translation>
    </message>
</context>
<context>
    <name>TfrmProgress</name>
    <message>
        <source>Progress</source>
        <extracomment>Title of the window shown while the files convert</extracomment>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Current Time:</source>
        <translation>Tiempo actual:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Duración:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Tamaño:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Progreso:</translation>
    </message>
    <message>
        <source>File:</source>
        <extracomment>The output file being written</extracomment>
        <translation>Archivo:</translation>
    </message>
    <message>
        <source>Converting now:</source>
        <translation>Convirtiendo:</translation>
    </message>
    <message>
        <source>Files done:</source>
        <translation>Completados:</translation>
    </message>
    <message>
        <source>Elapsed:</source>
        <translation>Transcurrido:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Restante:</translation>
    </message>
    <message>
        <source>All files: %p%</source>
        <extracomment>Text on the progress bar of the whole batch; Qt puts the percentage in place of %p</extracomment>
        <translation>Todos los archivos: %p%</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Guardar captura de imagen</translation>
    </message>
    <message>
        <source>Open the output folder after conversion</source>
        <translation>Abrir la carpeta de salida tras la conversión</translation>
    </message>
    <message>
        <source>Shut down computer after conversion</source>
        <translation>Apagar el equipo tras la conversión</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>TfrmSettings</name>
    <message>
        <source>Settings</source>
        <extracomment>Title of the window with the output profile&apos;s video and audio settings</extracomment>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Formato de salida:</translation>
    </message>
    <message>
        <source>Video Options</source>
        <translation>Opciones de video</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>Tamaño de fotograma:</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Codificador:</translation>
    </message>
    <message>
        <source>BitRate (Kbps):</source>
        <translation>Tasa de bits (kbps):</translation>
    </message>
    <message>
        <source>FrameRate (Fps):</source>
        <translation>Fotogramas/s (fps):</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Audio Options</source>
        <translation>Opciones de audio</translation>
    </message>
    <message>
        <source>SampleRate (Hz):</source>
        <translation>Frec. de muestreo (Hz):</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Canales:</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volumen:</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>Por &amp;defecto</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
</context>
<context>
    <name>TfrmTrim</name>
    <message>
        <source>Trim</source>
        <extracomment>Window title of the dialog that cuts a file to a part of it</extracomment>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Posición de reproducción</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>reproducir</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pausa</translation>
    </message>
    <message>
        <source>&lt;- &amp;Set Start</source>
        <translation>&lt;- Fijar &amp;inicio</translation>
    </message>
    <message>
        <source>Start:</source>
        <extracomment>Caption of the trimmed part&apos;s start time</extracomment>
        <translation>Inicio:</translation>
    </message>
    <message>
        <source>End:</source>
        <extracomment>Caption of the trimmed part&apos;s end time</extracomment>
        <translation>Fin:</translation>
    </message>
    <message>
        <source>Type h:mm:ss.mmm or seconds and press Enter</source>
        <translation>Escriba h:mm:ss.mmm o segundos y pulse Intro</translation>
    </message>
    <message>
        <source>Set &amp;End -&gt;</source>
        <translation>Fijar &amp;fin -&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <extracomment>Button: the whole file again</extracomment>
        <translation>&amp;Restaurar</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Duración:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Tiempo:    %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
</context>
<context>
    <name>TfrmWaterMark</name>
    <message>
        <source>Player picture</source>
        <translation>Imagen del reproductor</translation>
    </message>
    <message>
        <source>Watermark layers</source>
        <translation>Capas de marca de agua</translation>
    </message>
    <message>
        <source>Watermark layers picture</source>
        <translation>Imagen de las capas de marca de agua</translation>
    </message>
    <message>
        <source>Watermark layers horizontal scroll</source>
        <translation>Desplazamiento horizontal de las capas de marca de agua</translation>
    </message>
    <message>
        <source>Watermark layers vertical scroll</source>
        <translation>Desplazamiento vertical de las capas de marca de agua</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Tool tip of the playing position slider</extracomment>
        <translation>Posición</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>reproducir</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pausa</translation>
    </message>
    <message>
        <source>Play Time</source>
        <extracomment>Placeholder of the playing time until a file plays</extracomment>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Length</source>
        <extracomment>Placeholder of the file&apos;s length until a file plays</extracomment>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Watermark and Effect pages</source>
        <translation>Páginas de marca de agua y efectos</translation>
    </message>
    <message>
        <source>Watermark</source>
        <extracomment>Page title</extracomment>
        <translation>Marca de agua</translation>
    </message>
    <message>
        <source>Effect</source>
        <extracomment>Page title: picture effects (brightness, contrast, ...)</extracomment>
        <translation>Efectos</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;PNG files (*.png);;JPEG files (*.jpg *.jpeg)</source>
        <translation>Archivos de imagen (*.bmp *.png *.jpg *.jpeg);;Archivos de mapa de bits (*.bmp);;Archivos PNG (*.png);;Archivos JPEG (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Duración:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Tiempo:    %1</translation>
    </message>
    <message>
        <source>Black</source>
        <comment>colour name</comment>
        <translation>Negro</translation>
    </message>
    <message>
        <source>Maroon</source>
        <comment>colour name</comment>
        <translation>Granate</translation>
    </message>
    <message>
        <source>Green</source>
        <comment>colour name</comment>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Olive</source>
        <comment>colour name</comment>
        <translation>Oliva</translation>
    </message>
    <message>
        <source>Navy</source>
        <comment>colour name</comment>
        <translation>Azul marino</translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>colour name</comment>
        <translation>Púrpura</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>colour name</comment>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>Gray</source>
        <comment>colour name</comment>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Silver</source>
        <comment>colour name</comment>
        <translation>Plata</translation>
    </message>
    <message>
        <source>Red</source>
        <comment>colour name</comment>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Lime</source>
        <comment>colour name</comment>
        <translation>Lima</translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>colour name</comment>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>colour name</comment>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <comment>colour name</comment>
        <translation>Fucsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <comment>colour name</comment>
        <translation>Aguamarina</translation>
    </message>
    <message>
        <source>White</source>
        <comment>colour name</comment>
        <translation>Blanco</translation>
    </message>
    <message>
        <source>Money Green</source>
        <comment>colour name</comment>
        <translation>Verde dinero</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <comment>colour name</comment>
        <translation>Azul cielo</translation>
    </message>
    <message>
        <source>Cream</source>
        <comment>colour name</comment>
        <translation>Crema</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>colour name</comment>
        <translation>Gris medio</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>Nuevo texto</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>+ Imagen</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the selected layer</extracomment>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Button: moves the selected layer up the list</extracomment>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Button: moves the selected layer down the list</extracomment>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Capas</translation>
    </message>
    <message>
        <source>Layer text</source>
        <translation>Texto de la capa</translation>
    </message>
    <message>
        <source>Horizontal Position:</source>
        <translation>Posición horizontal:</translation>
    </message>
    <message>
        <source>Horizontal position value</source>
        <translation>Valor de posición horizontal</translation>
    </message>
    <message>
        <source>Vertical Position:</source>
        <translation>Posición vertical:</translation>
    </message>
    <message>
        <source>Vertical position value</source>
        <translation>Valor de posición vertical</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparencia:</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>Valor de transparencia</translation>
    </message>
    <message>
        <source>Set the period of time when a watermark will be 
show in the video</source>
        <translation>Establezca el periodo en que la marca de agua
se mostrará en el video</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Intervalo de tiempo</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>Inicio:</translation>
    </message>
    <message>
        <source>Start time one second later</source>
        <translation>Inicio un segundo más tarde</translation>
    </message>
    <message>
        <source>Start time one second earlier</source>
        <translation>Inicio un segundo antes</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fin:</translation>
    </message>
    <message>
        <source>End time one second later</source>
        <translation>Fin un segundo más tarde</translation>
    </message>
    <message>
        <source>End time one second earlier</source>
        <translation>Fin un segundo antes</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Fuente:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Tamaño:</translation>
    </message>
    <message>
        <source>Font Color:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Negrita</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Cursiva</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Subray.</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Tachado</translation>
    </message>
    <message>
        <source>Font background color</source>
        <translation>Color de fondo de la fuente</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Color de fondo</translation>
    </message>
    <message>
        <source>Transparent</source>
        <extracomment>Choice of a text layer&apos;s background: none</extracomment>
        <translation>Transparente</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Cannot load the picture &quot;%1&quot;: %2.</source>
        <translation>No se puede cargar la imagen «%1»: %2.</translation>
    </message>
    <message>
        <source>Add Text</source>
        <comment>new layer text</comment>
        <extracomment>The text a new text layer starts with, until the user types their own</extracomment>
        <translation>Añadir texto</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Brillo:</translation>
    </message>
    <message>
        <source>Brightness value</source>
        <translation>Valor de brillo</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Contraste:</translation>
    </message>
    <message>
        <source>Contrast value</source>
        <translation>Valor de contraste</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Saturación:</translation>
    </message>
    <message>
        <source>Saturation value</source>
        <translation>Valor de saturación</translation>
    </message>
    <message>
        <source>Exposure:</source>
        <translation>Exposición:</translation>
    </message>
    <message>
        <source>Exposure value</source>
        <translation>Valor de exposición</translation>
    </message>
    <message>
        <source>Auto adjust:</source>
        <translation>Ajuste automático:</translation>
    </message>
    <message>
        <source>Auto adjust value</source>
        <translation>Valor de ajuste automático</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: puts the picture effects back to neutral</extracomment>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Audio adjust</source>
        <translation>Ajuste de audio</translation>
    </message>
    <message>
        <source>Process  Added Text</source>
        <translation>Procesar el texto añadido</translation>
    </message>
    <message>
        <source>Process  Added Image</source>
        <translation>Procesar la imagen añadida</translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>the file has no audio track</source>
        <translation>el archivo no tiene ninguna pista de audio</translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio track</source>
        <translation>
            <numerusform>el archivo tiene %n pista de audio</numerusform>
            <numerusform>el archivo tiene %n pistas de audio</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio tracks</source>
        <translation>
            <numerusform>el archivo tiene %n pista de audio</numerusform>
            <numerusform>el archivo tiene %n pistas de audio</numerusform>
        </translation>
    </message>
    <message>
        <source>there is no audio track %1 (%2)</source>
        <extracomment>%2 is &quot;the file has 2 audio tracks&quot; or the like</extracomment>
        <translation>no hay ninguna pista de audio %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TrimLogic</name>
    <message>
        <source>Trim   %1</source>
        <extracomment>title of the trim window; %1 is the file</extracomment>
        <translation>Cortar   %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of this file. Type h:mm:ss.mmm or a number of seconds, from 00:00:00.000 to %2.</source>
        <translation>«%1» no es un tiempo de este archivo. Escriba h:mm:ss.mmm o un número de segundos, de 00:00:00.000 a %2.</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Añadir carpeta</translation>
    </message>
</context>
<context>
    <name>WaterMarkLogic</name>
    <message>
        <source>Water Mark  %1</source>
        <extracomment>title of the watermark window; %1 is the file</extracomment>
        <translation>Marca de agua  %1</translation>
    </message>
</context>
</TS>
