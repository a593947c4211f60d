<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AppException</name>
    <message>
        <source>Unknown exception.</source>
        <translation>Exceção desconhecida.</translation>
    </message>
</context>
<context>
    <name>AudioTrackChooser</name>
    <message>
        <source>Follow the rule: the default track</source>
        <translation>Seguir a regra: a faixa padrão</translation>
    </message>
    <message>
        <source>Follow the rule: the first track</source>
        <translation>Seguir a regra: a primeira faixa</translation>
    </message>
    <message>
        <source>Follow the rule: track %1</source>
        <translation>Seguir a regra: faixa %1</translation>
    </message>
    <message>
        <source>Follow the rule: language %1</source>
        <extracomment>%1 lists language codes, such as eng,fre</extracomment>
        <translation>Seguir a regra: idioma %1</translation>
    </message>
    <message>
        <source>Follow the rule: every track, a file each</source>
        <translation>Seguir a regra: todas as faixas, um arquivo para cada</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: track 3&quot;), %2 why it finds no track</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (now track %2)</source>
        <extracomment>%1 is the rule (&quot;Follow the rule: the default track&quot;), %2 the track it picks now</extracomment>
        <translation>%1 (agora faixa %2)</translation>
    </message>
    <message>
        <source>%1 (now track %2, %3)</source>
        <extracomment>%3 is the track&apos;s language code</extracomment>
        <translation>%1 (agora faixa %2, %3)</translation>
    </message>
    <message>
        <source>The file has no audio track.</source>
        <translation>O arquivo não tem faixa de áudio.</translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio track.</source>
        <translation>
            <numerusform>O arquivo tem %n faixa de áudio.</numerusform>
            <numerusform>O arquivo tem %n faixas de áudio.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file has %n audio tracks.</source>
        <translation>
            <numerusform>O arquivo tem %n faixa de áudio.</numerusform>
            <numerusform>O arquivo tem %n faixas de áudio.</numerusform>
        </translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Não é possível ler o arquivo: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 the track&apos;s number, %2 its language code or &quot;no language&quot;</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>no language</source>
        <translation>sem idioma</translation>
    </message>
    <message numerus="yes">
        <source>%n channel</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canais</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n channels</source>
        <translation>
            <numerusform>%n canal</numerusform>
            <numerusform>%n canais</numerusform>
        </translation>
    </message>
    <message>
        <source> (default)</source>
        <extracomment>after a track&apos;s description: the track the file plays unless told otherwise</extracomment>
        <translation> (padrão)</translation>
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
        <translation>%1 kb</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... e mais %n.</numerusform>
            <numerusform>... e mais %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>No file could be converted.</source>
        <translation>Nenhum arquivo pôde ser convertido.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file could not be converted.</source>
        <translation>
            <numerusform>Não foi possível converter %1 de %n arquivo.</numerusform>
            <numerusform>Não foi possível converter %1 de %n arquivos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files could not be converted.</source>
        <translation>
            <numerusform>Não foi possível converter %1 de %n arquivo.</numerusform>
            <numerusform>Não foi possível converter %1 de %n arquivos.</numerusform>
        </translation>
    </message>
    <message>
        <source>Converted with warnings:</source>
        <translation>Convertidos com avisos:</translation>
    </message>
    <message>
        <source>Nothing to convert: the output of the file exists or is up to date.</source>
        <translation>Nada a converter: a saída do arquivo já existe ou está atualizada.</translation>
    </message>
    <message numerus="yes">
        <source>Nothing to convert: the outputs of all %n files exist or are up to date.</source>
        <translation>
            <numerusform>Nada a converter: a saída de %n arquivo já existe ou está atualizada.</numerusform>
            <numerusform>Nada a converter: as saídas de todos os %n arquivos já existem ou estão atualizadas.</numerusform>
        </translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): nothing was converted.</source>
        <translation>Não é possível criar uma pasta de saída (tentou-se &quot;%1&quot; e &quot;%2&quot;): nada foi convertido.</translation>
    </message>
    <message>
        <source>No output folder can be created (tried &quot;%1&quot; and &quot;%2&quot;): the files not started yet were not converted.</source>
        <translation>Não é possível criar uma pasta de saída (tentou-se &quot;%1&quot; e &quot;%2&quot;): os arquivos ainda não iniciados não foram convertidos.</translation>
    </message>
    <message>
        <source>cannot create the folder %1: %2</source>
        <translation>não é possível criar a pasta %1: %2</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>a conversão falhou</translation>
    </message>
    <message>
        <source>has no sound to convert</source>
        <translation>não tem som para converter</translation>
    </message>
    <message>
        <source>has no picture or sound to convert</source>
        <translation>não tem imagem nem som para converter</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message numerus="yes">
        <source>%1 of %n file</source>
        <extracomment>files done of the batch&apos;s count</extracomment>
        <translation>
            <numerusform>%1 de %n arquivo</numerusform>
            <numerusform>%1 de %n arquivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files</source>
        <translation>
            <numerusform>%1 de %n arquivo</numerusform>
            <numerusform>%1 de %n arquivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>General Audio formates</source>
        <translation>Formatos de áudio gerais</translation>
    </message>
    <message>
        <source>General Video formats</source>
        <translation>Formatos de vídeo gerais</translation>
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
        <translation>MP3 Áudio MPEG Layer-3 (*.mp3)</translation>
    </message>
    <message>
        <source>AAC Advenced Audio Codec (*.aac)</source>
        <translation>AAC Advanced Audio Coding (*.aac)</translation>
    </message>
    <message>
        <source>M4A MPEG-4 Audio (*.m4a)</source>
        <translation>M4A Áudio MPEG-4 (*.m4a)</translation>
    </message>
    <message>
        <source>WMA - Windows Meida Audio (*.wma)</source>
        <translation>WMA - Windows Media Audio (*.wma)</translation>
    </message>
    <message>
        <source>WAV - Waveform Audio (*.wav)</source>
        <translation>WAV - Áudio Waveform (*.wav)</translation>
    </message>
    <message>
        <source>OGG Vorbis Audio Codec (*.ogg)</source>
        <translation>OGG Codec de áudio Vorbis (*.ogg)</translation>
    </message>
    <message>
        <source>AC-3 Audio Codec (*.ac3)</source>
        <translation>AC-3 Codec de áudio (*.ac3)</translation>
    </message>
    <message>
        <source>FLAC Free Lossless Audio Codec (*.flac)</source>
        <translation>FLAC Free Lossless Audio Codec (*.flac)</translation>
    </message>
    <message>
        <source>Opus Audio Codec (*.opus)</source>
        <translation>Opus Codec de áudio (*.opus)</translation>
    </message>
    <message>
        <source>ALAC Apple Lossless Audio (*.m4a)</source>
        <translation>ALAC Apple Lossless Audio (*.m4a)</translation>
    </message>
    <message>
        <source>MP4 MPEG-4 H.264 Video (*.mp4)</source>
        <translation>MP4 Vídeo MPEG-4 H.264 (*.mp4)</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video with MP3 Audio (*.avi)</source>
        <translation>AVI Vídeo MPEG-4 com áudio MP3 (*.avi)</translation>
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
        <translation>MOV Vídeo QuickTime (*.mov)</translation>
    </message>
    <message>
        <source>MPEG-2 Video (*.mpg)</source>
        <translation>Vídeo MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>DVD PAL MPEG-2 Video (*.vob)</source>
        <translation>DVD PAL Vídeo MPEG-2 (*.vob)</translation>
    </message>
    <message>
        <source>DVD NTSC MPEG-2 Video (*.vob)</source>
        <translation>DVD NTSC Vídeo MPEG-2 (*.vob)</translation>
    </message>
    <message>
        <source>VCD PAL MPEG-1 Video (*.mpg)</source>
        <translation>VCD PAL Vídeo MPEG-1 (*.mpg)</translation>
    </message>
    <message>
        <source>VCD NTSC MPEG-1 Video (*.mpg)</source>
        <translation>VCD NTSC Vídeo MPEG-1 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD PAL MPEG-2 Video (*.mpg)</source>
        <translation>SVCD PAL Vídeo MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>SVCD NTSC MPEG-2 Video (*.mpg)</source>
        <translation>SVCD NTSC Vídeo MPEG-2 (*.mpg)</translation>
    </message>
    <message>
        <source>Apple iPod Video MPEG-4 Movie (*.mp4)</source>
        <translation>Filme MPEG-4 para Apple iPod Video (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PSP MPEG-4 Movie (*.mp4)</source>
        <translation>Filme MPEG-4 para Sony PSP (*.mp4)</translation>
    </message>
    <message>
        <source>Sony PS3 H.264 Movie (*.mp4)</source>
        <translation>Filme H.264 para Sony PS3 (*.mp4)</translation>
    </message>
    <message>
        <source>3GP Mobile Phone Video (*.3gp)</source>
        <translation>Vídeo 3GP para celular (*.3gp)</translation>
    </message>
    <message>
        <source>as source</source>
        <translation>igual à origem</translation>
    </message>
    <message>
        <source>mono 1 channel</source>
        <translation>mono 1 canal</translation>
    </message>
    <message>
        <source>stereo 2 channels</source>
        <translation>estéreo 2 canais</translation>
    </message>
</context>
<context>
    <name>ConsoleProgress</name>
    <message>
        <source>yes</source>
        <extracomment>the answer the command line gives itself to a yes/no question, printed after it</extracomment>
        <translation>sim</translation>
    </message>
    <message>
        <source>the conversion failed</source>
        <translation>a conversão falhou</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>interrompido</translation>
    </message>
    <message>
        <source>the conversion did not finish</source>
        <translation>a conversão não terminou</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done</source>
        <translation>%1 -&gt; %2: concluído</translation>
    </message>
    <message>
        <source>%1 -&gt; %2: done, with warnings</source>
        <translation>%1 -&gt; %2: concluído, com avisos</translation>
    </message>
    <message>
        <source>%1: failed: %2</source>
        <translation>%1: falhou: %2</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: ignorado: %2</translation>
    </message>
    <message>
        <source>failed: %1: stopped</source>
        <translation>falhou: %1: interrompido</translation>
    </message>
    <message numerus="yes">
        <source>stopped without waiting for the conversion to end; %1 of %n files converted</source>
        <translation>
            <numerusform>interrompido sem esperar o fim da conversão; %1 de %n arquivo convertido</numerusform>
            <numerusform>interrompido sem esperar o fim da conversão; %1 de %n arquivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files %3%</source>
        <extracomment>the progress line: %1 done of %2 files, %3 percent</extracomment>
        <translation>
            <numerusform>%1 de %2 arquivo %3%</numerusform>
            <numerusform>%1 de %2 arquivos %3%</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 elapsed</source>
        <translation>%1 decorrido</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>%1 decorrido, %2 restante</translation>
    </message>
</context>
<context>
    <name>ConvertArgs</name>
    <message>
        <source>%1: %2 is not a number of seconds from 0 to 3600</source>
        <extracomment>%1 is a command-line option name, %2 the value given to it</extracomment>
        <translation>%1: %2 não é um número de segundos de 0 a 3600</translation>
    </message>
    <message>
        <source>--normalize: %1 is not ebu, podcast, streaming or a level from -70 to -5 LUFS</source>
        <translation>--normalize: %1 não é ebu, podcast, streaming nem um nível de -70 a -5 LUFS</translation>
    </message>
    <message>
        <source>--trim: %1 is not START[,LENGTH] in seconds</source>
        <translation>--trim: %1 não é INÍCIO[,DURAÇÃO] em segundos</translation>
    </message>
    <message>
        <source>--crop: %1 is not TOP,BOTTOM,LEFT,RIGHT in pixels (0 or more)</source>
        <translation>--crop: %1 não é TOPO,BASE,ESQUERDA,DIREITA em pixels (0 ou mais)</translation>
    </message>
    <message>
        <source>--text: %1 is not X,Y or X,Y,FROM,TO</source>
        <translation>--text: %1 não é X,Y nem X,Y,DE,ATÉ</translation>
    </message>
    <message>
        <source>--text: the seconds FROM,TO must satisfy 0 &lt;= FROM &lt;= TO</source>
        <translation>--text: os segundos DE,ATÉ devem satisfazer 0 &lt;= DE &lt;= ATÉ</translation>
    </message>
    <message>
        <source>--text: the text is empty</source>
        <translation>--text: o texto está vazio</translation>
    </message>
    <message>
        <source>--profile: %1 is not a profile code (see --list-profiles)</source>
        <translation>--profile: %1 não é um código de perfil (veja --list-profiles)</translation>
    </message>
    <message>
        <source>--output: the folder name is empty</source>
        <translation>--output: o nome da pasta está vazio</translation>
    </message>
    <message>
        <source>--jobs: %1 is not &quot;auto&quot; or a number from 1 to %2</source>
        <translation>--jobs: %1 não é &quot;auto&quot; nem um número de 1 a %2</translation>
    </message>
    <message>
        <source>--ext: %1 is not NAME=VALUE</source>
        <translation>--ext: %1 não é NOME=VALOR</translation>
    </message>
    <message>
        <source>--ext %1: %2</source>
        <extracomment>%2 is the media library&apos;s reason, in English</extracomment>
        <translation>--ext %1: %2</translation>
    </message>
    <message>
        <source>--true-peak: %1 is not a level from -20 to 0 dBTP</source>
        <translation>--true-peak: %1 não é um nível de -20 a 0 dBTP</translation>
    </message>
    <message>
        <source>--split: %1 is not chapters</source>
        <translation>--split: %1 não é chapters</translation>
    </message>
    <message>
        <source>--layout: %1 is not flat, tree or tags</source>
        <translation>--layout: %1 não é flat, tree nem tags</translation>
    </message>
    <message>
        <source>--name: %1: %2</source>
        <extracomment>%2 says what is wrong with the name template %1</extracomment>
        <translation>--name: %1: %2</translation>
    </message>
    <message>
        <source>--if-exists: %1 is not number, skip, replace or update</source>
        <translation>--if-exists: %1 não é number, skip, replace nem update</translation>
    </message>
    <message>
        <source>--audio-track: %1 is not default, first, a track number, languages such as eng,fre, or all</source>
        <translation>--audio-track: %1 não é default, first, um número de faixa, idiomas como eng,fre, nem all</translation>
    </message>
    <message>
        <source>--info: the file name is empty</source>
        <translation>--info: o nome do arquivo está vazio</translation>
    </message>
    <message>
        <source>--album-gain: %1 is not &quot;tags&quot; or &quot;batch&quot;</source>
        <translation>--album-gain: %1 não é &quot;tags&quot; nem &quot;batch&quot;</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opção desconhecida %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 precisa de um valor</translation>
    </message>
    <message>
        <source>--name names files from their tags; it cannot be combined with --layout %1</source>
        <translation>--name nomeia os arquivos pelas suas tags; não pode ser combinada com --layout %1</translation>
    </message>
    <message>
        <source>--list-profiles and --info cannot be combined</source>
        <translation>--list-profiles e --info não podem ser combinadas</translation>
    </message>
    <message>
        <source>unexpected file %1 beside %2</source>
        <extracomment>%2 is --list-profiles or --info</extracomment>
        <translation>arquivo inesperado %1 junto com %2</translation>
    </message>
    <message>
        <source>no FILE or FOLDER to convert</source>
        <translation>nenhum ARQUIVO ou PASTA para converter</translation>
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
        <translation>Uso: zelta-convert [OPÇÃO]... ARQUIVO|PASTA...
     zelta-convert --list-profiles | --info ARQUIVO | --help | --version
Converte cada ARQUIVO, e todo arquivo de mídia dentro de cada PASTA, com um
perfil de saída do catálogo, como faz o botão Iniciar.

  --profile CÓDIGO      perfil de saída (ver --list-profiles); padrão: o último
                        escolhido no programa
  --output PASTA        pasta de saída; padrão: a pasta de saída do programa
  --jobs N|auto         converte N arquivos ao mesmo tempo; auto (o padrão): um
                        por núcleo para um perfil de áudio, um por vez para um
                        perfil de vídeo
  --trim INÍCIO[,DURAÇÃO]
                        mantém a partir do segundo INÍCIO, por DURAÇÃO segundos
  --crop TOPO,BASE,ESQUERDA,DIREITA
                        corta essa quantidade de pixels de cada borda da imagem
                        como é exibida (vídeo de celular já girado para a posição
                        correta)
  --text TEXTO[@X,Y[,DE,ATÉ]]
                        desenha TEXTO no pixel X,Y do quadro (padrão 10,10), do
                        segundo DE ao segundo ATÉ (padrão: o arquivo inteiro);
                        pode ser repetida
  --ext NOME=VALOR      uma opção extra do mecanismo para cada saída; pode ser
                        repetida
  --no-tags             não grava tags nem imagem de capa vindas das origens
  --replaygain          grava tags de intensidade ReplayGain medidas durante a
                        conversão
  --layout flat|tree|tags
                        onde ficam as saídas: flat (o padrão) NOME_(new).EXT na
                        pasta de saída; tree: mantém as pastas dentro de cada
                        PASTA, NOME.EXT; tags: nomes pelo modelo de --name
  --name MODELO         nomeia as saídas pelas suas tags (implica --layout
                        tags), &quot;/&quot; cria pastas; campos {artist} {albumartist}
                        {album} {title} {track} {disc} {year} {genre} {name}
                        {folder} {ext} {tracknumber} {tracklang} {chapter}
                        {chaptertitle}; padrão:
                        {albumartist}/{album}/{track} {title}
  --split chapters      um arquivo por capítulo, NOME - NN TÍTULO (um arquivo
                        CUE ao lado ou dentro de um arquivo, ou adicionado
                        diretamente, sempre gera um arquivo por faixa)
  --if-exists number|skip|replace|update
                        quando a saída existe: number (o padrão) usa o próximo
                        nome livre, skip ignora o arquivo, replace sobrescreve
                        a saída quando o novo arquivo estiver completo, update
                        substitui só uma saída mais antiga que a sua origem
  --audio-track default|first|N|IDIOMA[,IDIOMA...]|all
                        qual faixa de áudio converter de um arquivo com várias:
                        a marcada como padrão (default, o padrão), a primeira,
                        a de número N, a primeira no idioma mais desejado
                        (eng,fre), ou all: uma saída por faixa,
                        NOME_(new)_2_fre.EXT
  --normalize[=ALVO]    leva todo arquivo a uma mesma intensidade: ALVO em LUFS
                        (de -70 a -5) ou ebu (-23), podcast (-16), streaming
                        (-14); padrão: o alvo armazenado (-16)
  --true-peak DBTP      pico real máximo após normalizar (-20 a 0; padrão -1)
  --album-gain[=tags|batch]
                        um ganho para os arquivos de um álbum (mesmas tags de
                        álbum e de artista do álbum; o padrão) ou para o lote
                        inteiro
  --loudness-tags       usa a intensidade das tags ReplayGain ou R128 quando o
                        arquivo as tem, em vez de medi-la
  --fade-in SEGUNDOS    aumenta o som gradualmente durante SEGUNDOS no início
  --fade-out SEGUNDOS   diminui o som gradualmente durante SEGUNDOS no fim
  --trim-silence        corta o silêncio (abaixo de -50 dBFS por 0,5 s ou mais)
                        no início e no fim de arquivos sem imagem
  --list-profiles       exibe CÓDIGO&lt;TAB&gt;NOME de cada perfil e sai
  --info ARQUIVO        exibe o que a análise lê do ARQUIVO e as tags que uma
                        conversão leva, e sai
  --help                exibe este texto e sai
  --version             exibe a versão e sai

Configurações: zeltavideoaudioconverter.ini (em $ZELTA_HOME, se definido).
Status de saída: 0 todo arquivo convertido ou ignorado, 1 um arquivo falhou,
2 argumentos inválidos.

Exemplo: biblioteca FLAC para MP3 no celular (repita após adicionar álbuns):
  zelta-convert --profile 0 --layout tree --if-exists update \
                --output ~/phone/Music ~/Music/FLAC
</translation>
    </message>
</context>
<context>
    <name>ConvertMain</name>
    <message>
        <source>cannot load the media libraries: %1</source>
        <translation>não é possível carregar as bibliotecas de mídia: %1</translation>
    </message>
    <message>
        <source>Audio tracks: none</source>
        <translation>Faixas de áudio: nenhuma</translation>
    </message>
    <message>
        <source>Audio tracks:</source>
        <translation>Faixas de áudio:</translation>
    </message>
    <message>
        <source>Chapters:</source>
        <translation>Capítulos:</translation>
    </message>
    <message>
        <source>Tags carried: none</source>
        <translation>Tags mantidas: nenhuma</translation>
    </message>
    <message>
        <source>Tags carried:</source>
        <translation>Tags mantidas:</translation>
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
        <translation>aviso: %1 não pode ser usado (%2); usando os padrões</translation>
    </message>
    <message>
        <source>no profile %1 in %2 (see --list-profiles)</source>
        <translation>não há perfil %1 em %2 (veja --list-profiles)</translation>
    </message>
    <message>
        <source>cannot create a temporary folder</source>
        <translation>não é possível criar uma pasta temporária</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>não é possível ler %1: %2</translation>
    </message>
    <message>
        <source>cannot create the output folder %1: %2</source>
        <translation>não é possível criar a pasta de saída %1: %2</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>arquivo inexistente</translation>
    </message>
    <message>
        <source>stopped</source>
        <extracomment>a file&apos;s reason for not being converted: the run was stopped</extracomment>
        <translation>interrompido</translation>
    </message>
    <message>
        <source>the conversion did not run</source>
        <translation>a conversão não foi executada</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>aviso: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>falhou: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 files converted, %3 failed</source>
        <extracomment>%1 converted of %2 files (the count), %3 failed; more clauses may follow</extracomment>
        <translation>
            <numerusform>%1 de %2 arquivo convertido, %3 com falha</numerusform>
            <numerusform>%1 de %2 arquivos convertidos, %3 com falha</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 skipped</source>
        <translation>
            <numerusform>, %1 ignorado</numerusform>
            <numerusform>, %1 ignorados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n with warnings</source>
        <translation>
            <numerusform>, %n com avisos</numerusform>
            <numerusform>, %n com avisos</numerusform>
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
        <translation>não é possível ler o arquivo CUE: ele não está escrito como um arquivo CUE</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: track %1 has no start (INDEX 01)</source>
        <translation>não é possível ler o arquivo CUE: a faixa %1 não tem início (INDEX 01)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it lists no tracks</source>
        <translation>não é possível ler o arquivo CUE: ele não lista nenhuma faixa</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: it names no audio file (FILE)</source>
        <translation>não é possível ler o arquivo CUE: ele não indica nenhum arquivo de áudio (FILE)</translation>
    </message>
    <message>
        <source>the CUE sheet cannot be read: %1</source>
        <translation>não é possível ler o arquivo CUE: %1</translation>
    </message>
</context>
<context>
    <name>DesktopNotices</name>
    <message>
        <source>Conversion stopped</source>
        <translation>Conversão interrompida</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Conversão concluída com erros</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Conversão concluída</translation>
    </message>
    <message numerus="yes">
        <source>%n file converted</source>
        <translation>
            <numerusform>%n arquivo convertido</numerusform>
            <numerusform>%n arquivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files converted</source>
        <translation>
            <numerusform>%n arquivo convertido</numerusform>
            <numerusform>%n arquivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file converted</source>
        <translation>
            <numerusform>%1 de %n arquivo convertido</numerusform>
            <numerusform>%1 de %n arquivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n files converted</source>
        <translation>
            <numerusform>%1 de %n arquivo convertido</numerusform>
            <numerusform>%1 de %n arquivos convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n failed</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files failed</extracomment>
        <translation>
            <numerusform>, %n com falha</numerusform>
            <numerusform>, %n com falha</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n skipped</source>
        <extracomment>added to &quot;18 of 20 files converted&quot; when files were passed over</extracomment>
        <translation>
            <numerusform>, %n ignorado</numerusform>
            <numerusform>, %n ignorados</numerusform>
        </translation>
    </message>
    <message>
        <source>Conversion stopped: %1</source>
        <translation>Conversão interrompida: %1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <extracomment>the button of the notice at the end of a batch</extracomment>
        <translation>Abrir pasta</translation>
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
        <translation>armazenado %1</translation>
    </message>
    <message>
        <source>pixel aspect %1:%2</source>
        <translation>proporção de pixel %1:%2</translation>
    </message>
    <message>
        <source>display aspect %1</source>
        <translation>proporção de exibição %1</translation>
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
        <translation>A pasta de saída não pode ficar em um CD-ROM. Selecione outra pasta.</translation>
    </message>
</context>
<context>
    <name>GlobalObject</name>
    <message>
        <source>The settings file %1 cannot be used: %2. The program starts with the default settings and leaves the file as it is until a setting is changed; it is then kept as %3.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>O arquivo de configurações %1 não pode ser usado: %2. O programa inicia com as configurações padrão e deixa o arquivo como está até que uma configuração seja alterada; então ele é salvo como %3.</translation>
    </message>
    <message>
        <source>The profile catalogue %1 cannot be used: %2. Only the built-in audio formats are offered, with their default values.</source>
        <extracomment>%2 says what is wrong with the file (&quot;it is empty&quot;)</extracomment>
        <translation>O catálogo de perfis %1 não pode ser usado: %2. Só os formatos de áudio embutidos são oferecidos, com seus valores padrão.</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>it is empty</source>
        <translation>está vazio</translation>
    </message>
    <message>
        <source>it is not a text file</source>
        <translation>não é um arquivo de texto</translation>
    </message>
    <message>
        <source>it is cut off</source>
        <translation>está truncado</translation>
    </message>
    <message>
        <source>it has no section</source>
        <translation>não tem nenhuma seção</translation>
    </message>
    <message>
        <source>invalid section name</source>
        <translation>nome de seção inválido</translation>
    </message>
    <message>
        <source>invalid key name</source>
        <translation>nome de chave inválido</translation>
    </message>
    <message>
        <source>a value cannot contain a line break</source>
        <translation>um valor não pode conter quebra de linha</translation>
    </message>
    <message>
        <source>Cannot write settings file %1: %2</source>
        <translation>Não é possível gravar o arquivo de configurações %1: %2</translation>
    </message>
</context>
<context>
    <name>JobBuilder</name>
    <message>
        <source>Error output Video Size.Use the default size 320x240?</source>
        <translation>Tamanho de vídeo de saída inválido. Usar o tamanho padrão 320x240?</translation>
    </message>
</context>
<context>
    <name>LibraryWalker</name>
    <message numerus="yes">
        <source>%n file added</source>
        <translation>
            <numerusform>%n arquivo adicionado</numerusform>
            <numerusform>%n arquivos adicionados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 files added</source>
        <translation>
            <numerusform>%1 arquivo adicionado</numerusform>
            <numerusform>%1 arquivos adicionados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n other skipped</source>
        <extracomment>added to &quot;12 files added&quot;: files in the folders that are no media</extracomment>
        <translation>
            <numerusform>, %n outro ignorado</numerusform>
            <numerusform>, %n outros ignorados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %1 others skipped</source>
        <translation>
            <numerusform>, %1 outro ignorado</numerusform>
            <numerusform>, %1 outros ignorados</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LoudnessPreferences</name>
    <message>
        <source>The loudness target must be a number between -70 and -5 LUFS.</source>
        <translation>O alvo de intensidade sonora deve ser um número entre -70 e -5 LUFS.</translation>
    </message>
    <message>
        <source>The true-peak ceiling must lie between -20 and 0 dBTP.</source>
        <translation>O teto de pico real deve ficar entre -20 e 0 dBTP.</translation>
    </message>
    <message>
        <source>A fade must last between 0 and 3600 seconds.</source>
        <translation>Um fade deve durar entre 0 e 3600 segundos.</translation>
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
        <translation>Uso: zelta [OPÇÃO-QT]... [ARQUIVO]...
Abre a janela do conversor; cada ARQUIVO é adicionado à lista de arquivos a
converter.

  --help     exibe este texto e sai
  --version  exibe a versão e sai
  --         fim das opções: todo argumento seguinte é um arquivo

Opções do próprio Qt (como -platform NOME ou -style NOME) também são aceitas.
As configurações ficam em zeltavideoaudioconverter.ini (em $ZELTA_HOME, se
definido).
</translation>
    </message>
    <message>
        <source>no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it from a desktop session, or set QT_QPA_PLATFORM=offscreen to run without a screen.
</source>
        <translation>nenhuma tela encontrada (nem DISPLAY nem WAYLAND_DISPLAY está definida).
Inicie o programa a partir de uma sessão gráfica, ou defina QT_QPA_PLATFORM=offscreen para executá-lo sem tela.
</translation>
    </message>
</context>
<context>
    <name>OutputNames</name>
    <message>
        <source>the name is empty</source>
        <translation>o nome está vazio</translation>
    </message>
    <message>
        <source>a &quot;}&quot; without &quot;{&quot;</source>
        <translation>um &quot;}&quot; sem &quot;{&quot;</translation>
    </message>
    <message>
        <source>a &quot;{&quot; without &quot;}&quot;</source>
        <translation>um &quot;{&quot; sem &quot;}&quot;</translation>
    </message>
    <message>
        <source>unknown field {%1}</source>
        <extracomment>%1 is a field name of the name template, shown in braces</extracomment>
        <translation>campo desconhecido {%1}</translation>
    </message>
    <message>
        <source>the name has no field, so every file would get the same name</source>
        <translation>o nome não tem nenhum campo, então todos os arquivos receberiam o mesmo nome</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>não é possível procurar um nome livre em %1: %2</translation>
    </message>
    <message>
        <source>every numbered name of %1 up to %2 is taken in %3</source>
        <translation>todos os nomes numerados de %1 até %2 já estão em uso em %3</translation>
    </message>
    <message>
        <source>the output exists</source>
        <translation>a saída já existe</translation>
    </message>
    <message>
        <source>the output is up to date</source>
        <translation>a saída está atualizada</translation>
    </message>
</context>
<context>
    <name>PreviewLogic</name>
    <message>
        <source>not a folder</source>
        <translation>não é uma pasta</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>Não é possível criar a pasta de saída: %1. Será criada a pasta padrão %2!</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>Não é possível criar a pasta de saída: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Segments</name>
    <message>
        <source>the CUE sheet names a file that is not there: %1</source>
        <translation>o arquivo CUE indica um arquivo que não existe: %1</translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <extracomment>the Source column&apos;s caption of a chapter or CUE track without a title</extracomment>
        <translation>Capítulo %1</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Faixa %1</translation>
    </message>
</context>
<context>
    <name>SettingsLogic</name>
    <message>
        <source>Frame Size is not a valid value!</source>
        <translation>O tamanho do quadro não é um valor válido!</translation>
    </message>
    <message>
        <source>Frame Size must be a multiple of 2.
The correct value:%1</source>
        <translation>O tamanho do quadro deve ser múltiplo de 2.
O valor correto: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; não é um valor inteiro válido</translation>
    </message>
    <message>
        <source>Video BitRate is not a valid value!</source>
        <translation>A taxa de bits de vídeo não é um valor válido!</translation>
    </message>
    <message>
        <source>Audio BitRate is not a valid value!</source>
        <translation>A taxa de bits de áudio não é um valor válido!</translation>
    </message>
    <message>
        <source>Audio SampleRate is not a valid value!</source>
        <translation>A taxa de amostragem de áudio não é um valor válido!</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Tela cheia</translation>
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
        <translation>Digite um número.</translation>
    </message>
    <message>
        <source>Input Error!</source>
        <translation>Erro de entrada!</translation>
    </message>
</context>
<context>
    <name>SourceList</name>
    <message>
        <source>All Supported Video Formats</source>
        <translation>Todos os formatos de vídeo suportados</translation>
    </message>
    <message>
        <source>All Supported Audio Formats</source>
        <translation>Todos os formatos de áudio suportados</translation>
    </message>
    <message>
        <source>AVI files (*.avi)</source>
        <translation>Arquivos AVI (*.avi)</translation>
    </message>
    <message>
        <source>MPEG4 files (*.mp4)</source>
        <translation>Arquivos MPEG4 (*.mp4)</translation>
    </message>
    <message>
        <source>MPEG files (*.mpg,*.mpeg)</source>
        <translation>Arquivos MPEG (*.mpg,*.mpeg)</translation>
    </message>
    <message>
        <source>3GP files (*.3gp,*.3g2)</source>
        <translation>Arquivos 3GP (*.3gp,*.3g2)</translation>
    </message>
    <message>
        <source>Itunes Video files (*.m4v)</source>
        <translation>Arquivos de vídeo do iTunes (*.m4v)</translation>
    </message>
    <message>
        <source>Windows Media files (*.wmv,*.asf)</source>
        <translation>Arquivos Windows Media (*.wmv,*.asf)</translation>
    </message>
    <message>
        <source>Real Media files (*.rm,*.rmvb)</source>
        <translation>Arquivos Real Media (*.rm,*.rmvb)</translation>
    </message>
    <message>
        <source>Video CD files (*.dat)</source>
        <translation>Arquivos de Video CD (*.dat)</translation>
    </message>
    <message>
        <source>Quick Time files (*.mov)</source>
        <translation>Arquivos QuickTime (*.mov)</translation>
    </message>
    <message>
        <source>Flash Video files (*.flv)</source>
        <translation>Arquivos Flash Video (*.flv)</translation>
    </message>
    <message>
        <source>Matroska Video files (*.mkv)</source>
        <translation>Arquivos de vídeo Matroska (*.mkv)</translation>
    </message>
    <message>
        <source>MJPEG Video files (*.mjpg,*.mjpeg)</source>
        <translation>Arquivos de vídeo MJPEG (*.mjpg,*.mjpeg)</translation>
    </message>
    <message>
        <source>Animated GIF files (*.gif)</source>
        <translation>Arquivos GIF animados (*.gif)</translation>
    </message>
    <message>
        <source>H.264/MPEG4 AVC Video files (*.mts,*.m2ts)</source>
        <translation>Arquivos de vídeo H.264/MPEG4 AVC (*.mts,*.m2ts)</translation>
    </message>
    <message>
        <source>DVD video object files (*.vob)</source>
        <translation>Arquivos de objeto de vídeo de DVD (*.vob)</translation>
    </message>
    <message>
        <source>MPEG-1 Video files (*.mpv)</source>
        <translation>Arquivos de vídeo MPEG-1 (*.mpv)</translation>
    </message>
    <message>
        <source>Video Transport Stream files (*.ts)</source>
        <translation>Arquivos de fluxo de transporte de vídeo (*.ts)</translation>
    </message>
    <message>
        <source>TP Video files (*.tp)</source>
        <translation>Arquivos de vídeo TP (*.tp)</translation>
    </message>
    <message>
        <source>Maceomeida Flash files (*.swf)</source>
        <translation>Arquivos Macromedia Flash (*.swf)</translation>
    </message>
    <message>
        <source>MP3 Audio files (*.mp3)</source>
        <translation>Arquivos de áudio MP3 (*.mp3)</translation>
    </message>
    <message>
        <source>Advanced Audio Coding files (*.aac)</source>
        <translation>Arquivos Advanced Audio Coding (*.aac)</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio files (*.ape)</source>
        <translation>Arquivos Monkey&apos;s Audio (*.ape)</translation>
    </message>
    <message>
        <source>Ogg Vorbis Audio files (*.ogg)</source>
        <translation>Arquivos de áudio Ogg Vorbis (*.ogg)</translation>
    </message>
    <message>
        <source>Windows Media Audio files (*.wma)</source>
        <translation>Arquivos Windows Media Audio (*.wma)</translation>
    </message>
    <message>
        <source>MusePack Audio files (*.mpc)</source>
        <translation>Arquivos de áudio Musepack (*.mpc)</translation>
    </message>
    <message>
        <source>MPEG Audio files (*.mpa)</source>
        <translation>Arquivos de áudio MPEG (*.mpa)</translation>
    </message>
    <message>
        <source>MPEG-4 Audio files (*.m4a)</source>
        <translation>Arquivos de áudio MPEG-4 (*.m4a)</translation>
    </message>
    <message>
        <source>Matroska Audio files (*.mka)</source>
        <translation>Arquivos de áudio Matroska (*.mka)</translation>
    </message>
    <message>
        <source>DTS Audio files (*.dts)</source>
        <translation>Arquivos de áudio DTS (*.dts)</translation>
    </message>
    <message>
        <source>Audio Codec 3 files (*.ac3)</source>
        <translation>Arquivos Audio Codec 3 (*.ac3)</translation>
    </message>
    <message>
        <source>Speex Audio files (*.spx)</source>
        <translation>Arquivos de áudio Speex (*.spx)</translation>
    </message>
    <message>
        <source>Real Audio files (*.ra,*.ram)</source>
        <translation>Arquivos Real Audio (*.ra,*.ram)</translation>
    </message>
    <message>
        <source>MPEG Layer II Compressed Audio files (*.mp2)</source>
        <translation>Arquivos de áudio compactado MPEG Layer II (*.mp2)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos os arquivos (*.*)</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>nenhuma pasta informada</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>não é uma pasta</translation>
    </message>
    <message>
        <source>Cannot create output directory:%1.It will create default directory %2!</source>
        <translation>Não é possível criar a pasta de saída: %1. Será criada a pasta padrão %2!</translation>
    </message>
    <message>
        <source>Cannot create output directory: %1 (%2)</source>
        <translation>Não é possível criar a pasta de saída: %1 (%2)</translation>
    </message>
    <message>
        <source>cannot look for a free name in %1: %2</source>
        <translation>não é possível procurar um nome livre em %1: %2</translation>
    </message>
    <message>
        <source>every name from %1 to %2 is taken in %3</source>
        <translation>todos os nomes de %1 a %2 já estão em uso em %3</translation>
    </message>
    <message>
        <source>[audio %1] %2</source>
        <extracomment>%1 is the chosen audio track (&quot;2: fre&quot;), %2 the file</extracomment>
        <translation>[áudio %1] %2</translation>
    </message>
    <message>
        <source>Audio track %1</source>
        <translation>Faixa de áudio %1</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Origem</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Duração</translation>
    </message>
    <message>
        <source>Trimmed Length</source>
        <translation>Duração aparada</translation>
    </message>
    <message>
        <source>Destination File</source>
        <translation>Arquivo de destino</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progresso</translation>
    </message>
    <message>
        <source>The file is not there any more.</source>
        <translation>O arquivo não existe mais.</translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>Progress column status of a file that could not be converted</extracomment>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Warning</source>
        <extracomment>Progress column status of a file converted with warnings</extracomment>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>Progress column status of a file that was passed over (its output exists)</extracomment>
        <translation>Ignorado</translation>
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
        <translation>Perfis de saída</translation>
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
        <translation>Outro:</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>Album mode: no album gain</extracomment>
        <translation>Desligado</translation>
    </message>
    <message>
        <source>By album tags</source>
        <translation>Pelas tags de álbum</translation>
    </message>
    <message>
        <source>Whole batch</source>
        <translation>Lote inteiro</translation>
    </message>
    <message>
        <source>Loudness</source>
        <extracomment>Tab of the loudness preferences</extracomment>
        <translation>Intensidade sonora</translation>
    </message>
    <message>
        <source>&amp;Normalise loudness</source>
        <translation>&amp;Normalizar intensidade sonora</translation>
    </message>
    <message>
        <source>Measures each file first, then brings it to the target with one constant gain</source>
        <translation>Mede cada arquivo primeiro e depois o leva ao alvo com um ganho constante</translation>
    </message>
    <message>
        <source>Other target in LUFS</source>
        <translation>Outro alvo em LUFS</translation>
    </message>
    <message>
        <source>&amp;Target:</source>
        <translation>A&amp;lvo:</translation>
    </message>
    <message>
        <source>True-peak &amp;ceiling:</source>
        <translation>&amp;Teto de pico real:</translation>
    </message>
    <message>
        <source>One gain for the files of an album (same album and album artist tags) or for the whole batch, so they keep their levels relative to each other</source>
        <translation>Um ganho para os arquivos de um álbum (mesmas tags de álbum e de artista do álbum) ou para o lote inteiro, para que mantenham seus níveis relativos entre si</translation>
    </message>
    <message>
        <source>&amp;Album mode:</source>
        <translation>&amp;Modo de álbum:</translation>
    </message>
    <message>
        <source>Use Replay&amp;Gain or R128 tags when present</source>
        <translation>Usar tags Replay&amp;Gain ou R128 quando houver</translation>
    </message>
    <message>
        <source>A file whose tags state its loudness is not measured</source>
        <translation>Um arquivo cujas tags informam sua intensidade sonora não é medido</translation>
    </message>
    <message>
        <source>Fades and silence</source>
        <translation>Fades e silêncio</translation>
    </message>
    <message>
        <source> s</source>
        <extracomment>Unit after a number of seconds (with the space before it)</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <source>Fade &amp;in:</source>
        <translation>Fade-&amp;in:</translation>
    </message>
    <message>
        <source>Fade &amp;out:</source>
        <translation>Fade-o&amp;ut:</translation>
    </message>
    <message>
        <source>Trim &amp;silence at the start and the end</source>
        <translation>Remover &amp;silêncio no início e no fim</translation>
    </message>
    <message>
        <source>Cuts silence below -50 dBFS lasting 0.5 s or more (files without pictures only)</source>
        <translation>Corta silêncio abaixo de -50 dBFS com 0,5 s ou mais (somente arquivos sem imagem)</translation>
    </message>
</context>
<context>
    <name>TPrefOutputPage</name>
    <message>
        <source>Output names</source>
        <translation>Nomes de saída</translation>
    </message>
    <message>
        <source>Output folder</source>
        <extracomment>Output layout: every output straight in the output folder</extracomment>
        <translation>Pasta de saída</translation>
    </message>
    <message>
        <source>name_(new).ext in the output folder</source>
        <translation>nome_(new).ext na pasta de saída</translation>
    </message>
    <message>
        <source>Keep the folder tree</source>
        <translation>Manter a árvore de pastas</translation>
    </message>
    <message>
        <source>The folders below an added folder are made again in the output folder</source>
        <translation>As pastas dentro de uma pasta adicionada são recriadas na pasta de saída</translation>
    </message>
    <message>
        <source>Name from tags</source>
        <translation>Nome pelas tags</translation>
    </message>
    <message>
        <source>Folders and names made of the files&apos; tags</source>
        <translation>Pastas e nomes formados pelas tags dos arquivos</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <source>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; makes folders</source>
        <extracomment>The names in braces are what the template is written with: keep them as they are</extracomment>
        <translation>{artist} {albumartist} {album} {title} {track} {disc} {year} {genre} {name} {folder} {ext} {tracknumber} {tracklang} {chapter} {chaptertitle}; &quot;/&quot; cria pastas</translation>
    </message>
    <message>
        <source>Portable names (for memory cards)</source>
        <translation>Nomes portáveis (para cartões de memória)</translation>
    </message>
    <message>
        <source>Also replaces &lt; &gt; : &quot; \ | ? * and trailing dots and blanks</source>
        <translation>Também substitui &lt; &gt; : &quot; \ | ? * e pontos e espaços no final</translation>
    </message>
    <message>
        <source>Copy folder pictures (cover.jpg, folder.jpg) beside the outputs</source>
        <translation>Copiar imagens de pasta (cover.jpg, folder.jpg) para junto das saídas</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Exemplo:</translation>
    </message>
    <message>
        <source>When the output exists</source>
        <translation>Quando a saída já existe</translation>
    </message>
    <message>
        <source>Number (keep both)</source>
        <translation>Numerar (manter ambos)</translation>
    </message>
    <message>
        <source>Skip</source>
        <extracomment>When the output exists: leave it and convert nothing</extracomment>
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Substituir</translation>
    </message>
    <message>
        <source>Update (replace when the source is newer)</source>
        <translation>Atualizar (substituir quando a origem for mais nova)</translation>
    </message>
    <message>
        <source>Audio tracks</source>
        <translation>Faixas de áudio</translation>
    </message>
    <message>
        <source>Files with several: &amp;convert</source>
        <translation>Arquivos com várias: con&amp;verter</translation>
    </message>
    <message>
        <source>default: the track flagged default, else the first; first; a track number; languages in order of preference (eng,fre); all: a file for each track</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>default: a faixa marcada como padrão, senão a primeira; first: a primeira; um número de faixa; idiomas em ordem de preferência (eng,fre); all: um arquivo para cada faixa</translation>
    </message>
    <message>
        <source>Files with chapters</source>
        <translation>Arquivos com capítulos</translation>
    </message>
    <message>
        <source>One file per chapter</source>
        <translation>Um arquivo por capítulo</translation>
    </message>
    <message>
        <source>Files added later with chapters (audiobooks, concerts) give a row per chapter, named &quot;name - 01 title&quot;; a CUE sheet always gives a row per track</source>
        <translation>Arquivos com capítulos adicionados depois (audiolivros, shows) geram uma linha por capítulo, com o nome &quot;nome - 01 título&quot;; um arquivo CUE sempre gera uma linha por faixa</translation>
    </message>
    <message>
        <source>The audio track rule cannot be used: write default, first, a track number, languages such as eng,fre, or all.</source>
        <extracomment>default, first, all and eng,fre are what the box takes: keep them as they are</extracomment>
        <translation>A regra de faixa de áudio não pode ser usada: escreva default, first, um número de faixa, idiomas como eng,fre, ou all.</translation>
    </message>
    <message>
        <source>The name cannot be used: %1.</source>
        <extracomment>%1 says what is wrong with the typed name template</extracomment>
        <translation>O nome não pode ser usado: %1.</translation>
    </message>
</context>
<context>
    <name>TPreviewPanel</name>
    <message>
        <source>Preview</source>
        <translation>Pré-visualização</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Screen-reader name of the playing position slider</extracomment>
        <translation>Posição</translation>
    </message>
    <message>
        <source>Play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Stop</source>
        <extracomment>Tool tip of the player&apos;s stop button</extracomment>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Salvar captura de imagem</translation>
    </message>
    <message>
        <source>Mute</source>
        <extracomment>Check box: the preview plays without sound</extracomment>
        <translation>Mudo</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>duration: %1, frame size: %2x%3</source>
        <extracomment>Log line when the preview opens a file: its length in seconds and its picture size</extracomment>
        <translation>duração: %1, tamanho do quadro: %2x%3</translation>
    </message>
</context>
<context>
    <name>TRectTracker</name>
    <message>
        <source>Area to keep: drag it or its handles; arrow keys move it, Shift+arrow keys resize it</source>
        <translation>Área a manter: arraste-a ou as suas alças; as setas a movem, Shift+setas a redimensionam</translation>
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
        <translation>Procurar pasta</translation>
    </message>
    <message>
        <source>Please select an output directory:</source>
        <translation>Selecione uma pasta de saída:</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Pastas</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
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
        <translation>Sobre</translation>
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
        <translation>Faixa de áudio</translation>
    </message>
    <message>
        <source>&amp;Audio track to convert:</source>
        <translation>&amp;Faixa de áudio a converter:</translation>
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
        <translation>Painel do reprodutor</translation>
    </message>
    <message>
        <source>Preview</source>
        <extracomment>Group box around the picture</extracomment>
        <translation>Pré-visualização</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Margin cut away at the top of the picture</extracomment>
        <translation>Topo</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Margin cut away at the bottom of the picture</extracomment>
        <translation>Base</translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Margin cut away at the left of the picture</extracomment>
        <translation>Esq.</translation>
    </message>
    <message>
        <source>Right</source>
        <extracomment>Margin cut away at the right of the picture</extracomment>
        <translation>Dir.</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: back to the margins the dialog opened with</extracomment>
        <translation>Redefinir</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <extracomment>Button: no margins at all</extracomment>
        <translation>&amp;Padrão</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Tela cheia</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Posição de reprodução</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>reproduzir</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pausar</translation>
    </message>
    <message>
        <source>Time:</source>
        <extracomment>Caption of the playing time</extracomment>
        <translation>Atual:</translation>
    </message>
    <message>
        <source>Length:</source>
        <extracomment>Caption of the file&apos;s playing length</extracomment>
        <translation>Total:</translation>
    </message>
    <message>
        <source>Source File:</source>
        <translation>Origem:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
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
        <translation>Informações do arquivo</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Nome do arquivo:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <extracomment>The file&apos;s playing length</extracomment>
        <translation>Duração:</translation>
    </message>
    <message>
        <source>Video </source>
        <extracomment>Group of the file&apos;s video stream details</extracomment>
        <translation>Vídeo </translation>
    </message>
    <message>
        <source>Format:</source>
        <extracomment>The video stream&apos;s codec</extracomment>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Resloution:</source>
        <translation>Resolução:</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Taxa de quadros:</translation>
    </message>
    <message>
        <source>Total Frame:</source>
        <extracomment>The number of frames of the video stream</extracomment>
        <translation>Total de quadros:</translation>
    </message>
    <message>
        <source>Bit Rate:</source>
        <translation>Taxa de bits:</translation>
    </message>
    <message>
        <source>Audio</source>
        <extracomment>Group of the file&apos;s audio stream details</extracomment>
        <translation>Áudio</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Taxa de amostragem:</translation>
    </message>
    <message>
        <source>Channel:</source>
        <extracomment>The audio stream&apos;s channel layout (mono, stereo, ...)</extracomment>
        <translation>Canais:</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <extracomment>The file&apos;s audio tracks</extracomment>
        <translation>Faixas:</translation>
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
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Adicionar pasta</translation>
    </message>
    <message>
        <source>Source files</source>
        <translation>Arquivos de origem</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Registro</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Formato de áudio</translation>
    </message>
    <message>
        <source>More menus</source>
        <translation>Mais menus</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>A&amp;dicionar</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Remover</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Limpar</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Opções</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>Add &amp;Files...</source>
        <translation>Adicionar &amp;arquivos...</translation>
    </message>
    <message>
        <source>Add F&amp;older...</source>
        <translation>Adicionar &amp;pasta...</translation>
    </message>
    <message>
        <source>Output</source>
        <extracomment>Title of the group with the output format and the output folder</extracomment>
        <translation>Saída</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Opções</translation>
    </message>
    <message>
        <source>Output Directory:</source>
        <translation>Pasta de saída:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Procurar</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Button that opens the output folder in the file manager</extracomment>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>Se&amp;ttings</source>
        <translation>&amp;Opções</translation>
    </message>
    <message>
        <source>&amp;Crop</source>
        <translation>Recor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Trim</source>
        <translation>&amp;Aparar</translation>
    </message>
    <message>
        <source>&amp;Video Effect &amp;&amp; Water Mark</source>
        <translation>Efeitos de &amp;vídeo &amp;&amp; marca d&apos;água</translation>
    </message>
    <message>
        <source>&amp;Audio Track...</source>
        <translation>&amp;Faixa de áudio...</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>&amp;Marcar todos</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>&amp;Desmarcar todos</translation>
    </message>
    <message>
        <source>&amp;Reverse Check</source>
        <translation>&amp;Inverter marcação</translation>
    </message>
    <message>
        <source>C&amp;heck</source>
        <translation>Mar&amp;car</translation>
    </message>
    <message>
        <source>U&amp;ncheck</source>
        <translation>D&amp;esmarcar</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Ferramentas</translation>
    </message>
    <message>
        <source>&amp;Preference</source>
        <translation>&amp;Preferências</translation>
    </message>
    <message>
        <source>&amp;Skin</source>
        <translation>&amp;Tema</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Support and Contact</source>
        <translation>Suporte e &amp;contato</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Sobre</translation>
    </message>
    <message>
        <source>&amp;Web Site</source>
        <translation>Site &amp;web</translation>
    </message>
    <message>
        <source>Audio Trac&amp;k...</source>
        <translation>Faixa de á&amp;udio...</translation>
    </message>
    <message>
        <source>One File per C&amp;hapter</source>
        <translation>Um arquivo por &amp;capítulo</translation>
    </message>
    <message>
        <source>Video &amp;Infomation</source>
        <translation>I&amp;nformações do vídeo</translation>
    </message>
    <message>
        <source>Adding</source>
        <extracomment>Title of the box shown while many files are added (its text follows)</extracomment>
        <translation>Adicionando</translation>
    </message>
    <message>
        <source>Adding %1 of %2…</source>
        <translation>Adicionando %1 de %2…</translation>
    </message>
    <message>
        <source>This file has no chapters to split it by.</source>
        <translation>Este arquivo não tem capítulos pelos quais dividi-lo.</translation>
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
        <translation>A lista não pôde ser salva: %1</translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Skin menu: name of a colour theme</extracomment>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Cinza</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Laranja</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Roxo</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Vermelho</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Light blue</source>
        <translation>Azul-claro</translation>
    </message>
    <message>
        <source>Follow system</source>
        <translation>Seguir o sistema</translation>
    </message>
</context>
<context>
    <name>TfrmPreference</name>
    <message>
        <source>Preference</source>
        <extracomment>Title of the preferences window</extracomment>
        <translation>Preferências</translation>
    </message>
    <message>
        <source>Preference pages</source>
        <translation>Páginas de preferências</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <extracomment>Group of the settings for pictures saved from the playing video</extracomment>
        <translation>Captura</translation>
    </message>
    <message>
        <source>Snapshot folder:</source>
        <translation>Pasta de capturas:</translation>
    </message>
    <message>
        <source>&amp;Brows</source>
        <translation>&amp;Procurar</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <extracomment>Button that opens the snapshot folder in the file manager</extracomment>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>Snapshot size:</source>
        <translation>Tamanho da captura:</translation>
    </message>
    <message>
        <source>Small Size</source>
        <translation>Tamanho pequeno</translation>
    </message>
    <message>
        <source>Full Size</source>
        <translation>Tamanho original</translation>
    </message>
    <message>
        <source>Snapshot format:</source>
        <translation>Formato da captura:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality:</source>
        <translation>Qualidade de compressão JPG:</translation>
    </message>
    <message>
        <source>Jpg Compression Quality slider</source>
        <translation>Controle deslizante da qualidade de compressão JPG</translation>
    </message>
    <message>
        <source>(The higher the value, the better the image quality.)</source>
        <translation>(Quanto maior o valor, melhor a qualidade da imagem.)</translation>
    </message>
    <message>
        <source>Work priority</source>
        <translation>Prioridade de trabalho</translation>
    </message>
    <message>
        <source>Idle</source>
        <extracomment>Work priority of the conversions</extracomment>
        <translation>Ociosa</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Baixa</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Mínima</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Conversões simultâneas:</translation>
    </message>
    <message>
        <source>Auto</source>
        <extracomment>Simultaneous conversions chosen by the program</extracomment>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Auto: one file per core for audio profiles, one at a time for video</source>
        <translation>Automático: um arquivo por núcleo para perfis de áudio, um por vez para vídeo</translation>
    </message>
    <message>
        <source>Keep tags and cover art</source>
        <translation>Manter tags e capa</translation>
    </message>
    <message>
        <source>Write ReplayGain tags</source>
        <translation>Gravar tags ReplayGain</translation>
    </message>
    <message>
        <source>Measures the loudness while converting</source>
        <translation>Mede a intensidade sonora durante a conversão</translation>
    </message>
    <message>
        <source>Tell me when a batch ends in the background</source>
        <translation>Avisar quando um lote terminar em segundo plano</translation>
    </message>
    <message>
        <source>A desktop notification when the window is not active</source>
        <translation>Uma notificação na área de trabalho quando a janela não estiver ativa</translation>
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
        <translation>Pa&amp;drão</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>General</source>
        <extracomment>Tab of the general preferences</extracomment>
        <translation>Geral</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Entra em vigor na próxima inicialização</translation>
    </message>
</context>
<context>
    <name>TfrmProgress</name>
    <message>
        <source>Progress</source>
        <extracomment>Title of the window shown while the files convert</extracomment>
        <translation>Progresso</translation>
    </message>
    <message>
        <source>Current Time:</source>
        <translation>Tempo atual:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Duração:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Tamanho do arquivo:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Progresso:</translation>
    </message>
    <message>
        <source>File:</source>
        <extracomment>The output file being written</extracomment>
        <translation>Arquivo:</translation>
    </message>
    <message>
        <source>Converting now:</source>
        <translation>Convertendo agora:</translation>
    </message>
    <message>
        <source>Files done:</source>
        <translation>Arquivos concluídos:</translation>
    </message>
    <message>
        <source>Elapsed:</source>
        <translation>Decorrido:</translation>
    </message>
    <message>
        <source>Remaining:</source>
        <translation>Restante:</translation>
    </message>
    <message>
        <source>All files: %p%</source>
        <extracomment>Text on the progress bar of the whole batch; Qt puts the percentage in place of %p</extracomment>
        <translation>Todos os arquivos: %p%</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos os arquivos</translation>
    </message>
    <message>
        <source>Save snapshot picture</source>
        <translation>Salvar captura de imagem</translation>
    </message>
    <message>
        <source>Open the output folder after conversion</source>
        <translation>Abrir a pasta de saída após a conversão</translation>
    </message>
    <message>
        <source>Shut down computer after conversion</source>
        <translation>Desligar o computador após a conversão</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Continuar</translation>
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
        <translation>Opções</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Video Options</source>
        <translation>Opções de vídeo</translation>
    </message>
    <message>
        <source>Frame Size:</source>
        <translation>Tamanho do quadro:</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Codificador:</translation>
    </message>
    <message>
        <source>BitRate (Kbps):</source>
        <translation>Taxa de bits (kbps):</translation>
    </message>
    <message>
        <source>FrameRate (Fps):</source>
        <translation>Taxa de quadros (fps):</translation>
    </message>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Audio Options</source>
        <translation>Opções de áudio</translation>
    </message>
    <message>
        <source>SampleRate (Hz):</source>
        <translation>Taxa de amostragem (Hz):</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Canais:</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>&amp;Padrão</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>TfrmTrim</name>
    <message>
        <source>Trim</source>
        <extracomment>Window title of the dialog that cuts a file to a part of it</extracomment>
        <translation>Aparar</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pré-visualização</translation>
    </message>
    <message>
        <source>Playing position</source>
        <translation>Posição de reprodução</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>reproduzir</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pausar</translation>
    </message>
    <message>
        <source>&lt;- &amp;Set Start</source>
        <translation>&lt;- Definir &amp;início</translation>
    </message>
    <message>
        <source>Start:</source>
        <extracomment>Caption of the trimmed part&apos;s start time</extracomment>
        <translation>Início:</translation>
    </message>
    <message>
        <source>End:</source>
        <extracomment>Caption of the trimmed part&apos;s end time</extracomment>
        <translation>Fim:</translation>
    </message>
    <message>
        <source>Type h:mm:ss.mmm or seconds and press Enter</source>
        <translation>Digite h:mm:ss.mmm ou segundos e pressione Enter</translation>
    </message>
    <message>
        <source>Set &amp;End -&gt;</source>
        <translation>Definir &amp;fim -&gt;</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <extracomment>Button: the whole file again</extracomment>
        <translation>&amp;Redefinir</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Duração:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Tempo:    %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>TfrmWaterMark</name>
    <message>
        <source>Player picture</source>
        <translation>Imagem do reprodutor</translation>
    </message>
    <message>
        <source>Watermark layers</source>
        <translation>Camadas da marca d&apos;água</translation>
    </message>
    <message>
        <source>Watermark layers picture</source>
        <translation>Imagem das camadas da marca d&apos;água</translation>
    </message>
    <message>
        <source>Watermark layers horizontal scroll</source>
        <translation>Rolagem horizontal das camadas da marca d&apos;água</translation>
    </message>
    <message>
        <source>Watermark layers vertical scroll</source>
        <translation>Rolagem vertical das camadas da marca d&apos;água</translation>
    </message>
    <message>
        <source>Position</source>
        <extracomment>Tool tip of the playing position slider</extracomment>
        <translation>Posição</translation>
    </message>
    <message>
        <source>play</source>
        <extracomment>Tool tip of the player&apos;s play button</extracomment>
        <translation>reproduzir</translation>
    </message>
    <message>
        <source>pause</source>
        <extracomment>Tool tip of the player&apos;s pause button</extracomment>
        <translation>pausar</translation>
    </message>
    <message>
        <source>Play Time</source>
        <extracomment>Placeholder of the playing time until a file plays</extracomment>
        <translation>Tempo de reprodução</translation>
    </message>
    <message>
        <source>Length</source>
        <extracomment>Placeholder of the file&apos;s length until a file plays</extracomment>
        <translation>Duração</translation>
    </message>
    <message>
        <source>Watermark and Effect pages</source>
        <translation>Páginas de marca d&apos;água e efeitos</translation>
    </message>
    <message>
        <source>Watermark</source>
        <extracomment>Page title</extracomment>
        <translation>Marca d&apos;água</translation>
    </message>
    <message>
        <source>Effect</source>
        <extracomment>Page title: picture effects (brightness, contrast, ...)</extracomment>
        <translation>Efeitos</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
    <message>
        <source>Picture files (*.bmp *.png *.jpg *.jpeg);;Bitmap files (*.bmp);;PNG files (*.png);;JPEG files (*.jpg *.jpeg)</source>
        <translation>Arquivos de imagem (*.bmp *.png *.jpg *.jpeg);;Arquivos Bitmap (*.bmp);;Arquivos PNG (*.png);;Arquivos JPEG (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Duration:    %1</source>
        <translation>Duração:    %1</translation>
    </message>
    <message>
        <source>Time:    %1</source>
        <translation>Tempo:    %1</translation>
    </message>
    <message>
        <source>Black</source>
        <comment>colour name</comment>
        <translation>Preto</translation>
    </message>
    <message>
        <source>Maroon</source>
        <comment>colour name</comment>
        <translation>Bordô</translation>
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
        <translation>Azul-marinho</translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>colour name</comment>
        <translation>Roxo</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>colour name</comment>
        <translation>Azul-petróleo</translation>
    </message>
    <message>
        <source>Gray</source>
        <comment>colour name</comment>
        <translation>Cinza</translation>
    </message>
    <message>
        <source>Silver</source>
        <comment>colour name</comment>
        <translation>Prata</translation>
    </message>
    <message>
        <source>Red</source>
        <comment>colour name</comment>
        <translation>Vermelho</translation>
    </message>
    <message>
        <source>Lime</source>
        <comment>colour name</comment>
        <translation>Verde-limão</translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>colour name</comment>
        <translation>Amarelo</translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>colour name</comment>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <comment>colour name</comment>
        <translation>Fúcsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <comment>colour name</comment>
        <translation>Ciano</translation>
    </message>
    <message>
        <source>White</source>
        <comment>colour name</comment>
        <translation>Branco</translation>
    </message>
    <message>
        <source>Money Green</source>
        <comment>colour name</comment>
        <translation>Verde-dinheiro</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <comment>colour name</comment>
        <translation>Azul-celeste</translation>
    </message>
    <message>
        <source>Cream</source>
        <comment>colour name</comment>
        <translation>Creme</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>colour name</comment>
        <translation>Cinza médio</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>+ Texto</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>+ Imagem</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>Button: deletes the selected layer</extracomment>
        <translation>Excluir</translation>
    </message>
    <message>
        <source>Up</source>
        <extracomment>Button: moves the selected layer up the list</extracomment>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Down</source>
        <extracomment>Button: moves the selected layer down the list</extracomment>
        <translation>Descer</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Camadas</translation>
    </message>
    <message>
        <source>Layer text</source>
        <translation>Texto da camada</translation>
    </message>
    <message>
        <source>Horizontal Position:</source>
        <translation>Posição horizontal:</translation>
    </message>
    <message>
        <source>Horizontal position value</source>
        <translation>Valor da posição horizontal</translation>
    </message>
    <message>
        <source>Vertical Position:</source>
        <translation>Posição vertical:</translation>
    </message>
    <message>
        <source>Vertical position value</source>
        <translation>Valor da posição vertical</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Transparência:</translation>
    </message>
    <message>
        <source>Transparency value</source>
        <translation>Valor da transparência</translation>
    </message>
    <message>
        <source>Set the period of time when a watermark will be 
show in the video</source>
        <translation>Defina o intervalo em que a marca d&apos;água
será exibida no vídeo</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>Intervalo de tempo</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>Início:</translation>
    </message>
    <message>
        <source>Start time one second later</source>
        <translation>Início um segundo depois</translation>
    </message>
    <message>
        <source>Start time one second earlier</source>
        <translation>Início um segundo antes</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Fim:</translation>
    </message>
    <message>
        <source>End time one second later</source>
        <translation>Fim um segundo depois</translation>
    </message>
    <message>
        <source>End time one second earlier</source>
        <translation>Fim um segundo antes</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Fonte:</translation>
    </message>
    <message>
        <source>Font Size:</source>
        <translation>Tamanho:</translation>
    </message>
    <message>
        <source>Font Color:</source>
        <translation>Cor:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Negrito</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Itálico</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Sublin.</translation>
    </message>
    <message>
        <source>Strikeout</source>
        <translation>Tachado</translation>
    </message>
    <message>
        <source>Font background color</source>
        <translation>Cor de fundo da fonte</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Cor de fundo</translation>
    </message>
    <message>
        <source>Transparent</source>
        <extracomment>Choice of a text layer&apos;s background: none</extracomment>
        <translation>Transparente</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Cannot load the picture &quot;%1&quot;: %2.</source>
        <translation>Não é possível carregar a imagem &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>Add Text</source>
        <comment>new layer text</comment>
        <extracomment>The text a new text layer starts with, until the user types their own</extracomment>
        <translation>Adicionar texto</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Brilho:</translation>
    </message>
    <message>
        <source>Brightness value</source>
        <translation>Valor do brilho</translation>
    </message>
    <message>
        <source>Contrast:</source>
        <translation>Contraste:</translation>
    </message>
    <message>
        <source>Contrast value</source>
        <translation>Valor do contraste</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Saturação:</translation>
    </message>
    <message>
        <source>Saturation value</source>
        <translation>Valor da saturação</translation>
    </message>
    <message>
        <source>Exposure:</source>
        <translation>Exposição:</translation>
    </message>
    <message>
        <source>Exposure value</source>
        <translation>Valor da exposição</translation>
    </message>
    <message>
        <source>Auto adjust:</source>
        <translation>Ajuste automático:</translation>
    </message>
    <message>
        <source>Auto adjust value</source>
        <translation>Valor do ajuste automático</translation>
    </message>
    <message>
        <source>Reset</source>
        <extracomment>Button: puts the picture effects back to neutral</extracomment>
        <translation>Redefinir</translation>
    </message>
    <message>
        <source>Audio adjust</source>
        <translation>Ajuste de áudio</translation>
    </message>
    <message>
        <source>Process  Added Text</source>
        <translation>Processar texto adicionado</translation>
    </message>
    <message>
        <source>Process  Added Image</source>
        <translation>Processar imagem adicionada</translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>the file has no audio track</source>
        <translation>o arquivo não tem faixa de áudio</translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio track</source>
        <translation>
            <numerusform>o arquivo tem %n faixa de áudio</numerusform>
            <numerusform>o arquivo tem %n faixas de áudio</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the file has %n audio tracks</source>
        <translation>
            <numerusform>o arquivo tem %n faixa de áudio</numerusform>
            <numerusform>o arquivo tem %n faixas de áudio</numerusform>
        </translation>
    </message>
    <message>
        <source>there is no audio track %1 (%2)</source>
        <extracomment>%2 is &quot;the file has 2 audio tracks&quot; or the like</extracomment>
        <translation>não há faixa de áudio %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TrimLogic</name>
    <message>
        <source>Trim   %1</source>
        <extracomment>title of the trim window; %1 is the file</extracomment>
        <translation>Aparar   %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of this file. Type h:mm:ss.mmm or a number of seconds, from 00:00:00.000 to %2.</source>
        <translation>&quot;%1&quot; não é um tempo deste arquivo. Digite h:mm:ss.mmm ou um número de segundos, de 00:00:00.000 a %2.</translation>
    </message>
</context>
<context>
    <name>UserPrompts</name>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informação</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Adicionar pasta</translation>
    </message>
</context>
<context>
    <name>WaterMarkLogic</name>
    <message>
        <source>Water Mark  %1</source>
        <extracomment>title of the watermark window; %1 is the file</extracomment>
        <translation>Marca d&apos;água  %1</translation>
    </message>
</context>
</TS>
