// Carrying a source's container tags and cover picture into an output, and writing loudness
// tags into a finished output.
//
// Tags travel under the libraries' generic names (title, artist, album_artist, album, track,
// disc, date, genre, comment, copyright, composer); each muxer writes them in its own scheme
// (ID3v2.4 frames, MP4 atoms, Vorbis comments, ASF attributes, RIFF INFO). Tags the output
// already holds (the task's own metadata) are never replaced.
//
// The cover is the source's attached picture, copied as it is: a picture stream of its own for
// the muxers that store one (MP3, MP4/M4A, FLAC), a METADATA_BLOCK_PICTURE comment for Ogg and
// Opus. Nothing here decodes it.
//
// No Qt; run thread (the output is set up and written on the task's thread).
#pragma once

#include <string>
#include <utility>
#include <vector>

struct AVDictionary;
struct AVFormatContext;
struct AVOutputFormat;
struct AVStream;
class TSafeFile;

namespace zeltatags {

using TTagList = std::vector<std::pair<std::string, std::string>>;

// The tags a conversion carries, under their generic names, in this order.
const std::vector<std::string>& CarriedTagNames();

// The source's tags under their generic names: "author" reads as "artist", "year" as "date",
// "album artist"/"albumartist" as "album_artist", "tracknumber" as "track", "discnumber" as
// "disc"; only CarriedTagNames are kept; the first spelling found wins.
TTagList SourceTags(const AVDictionary* Source);

// Renames the task's own "author" and "year" entries of Output to "artist" and "date" (they
// win over the source), then adds every source tag Output does not hold yet.
void CarryTags(AVDictionary** Output, const AVDictionary* Source);

// The source's attached picture stream (the first one with a picture), or null.
const AVStream* FindCover(const AVFormatContext* Source);

// True for the muxers that keep a cover as a picture stream; Ogg and Opus take it as a comment.
bool StoresCoverStream(const AVOutputFormat* Format);
bool StoresCoverComment(const AVOutputFormat* Format);

// The base64 text of a FLAC picture block (front cover) holding the cover's bytes, for a
// METADATA_BLOCK_PICTURE comment. Empty when the stream holds no picture.
std::string PictureBlockComment(const AVStream* Cover);

// Adds a picture stream copying Cover's parameters to Output (not yet written); null when the
// stream cannot be made.
AVStream* AddCoverStream(AVFormatContext* Output, const AVStream* Cover);
// Writes the cover's picture packet into Stream (after the header); a library error code or 0.
int WriteCover(AVFormatContext* Output, AVStream* Stream, const AVStream* Cover);

// Writes Tags into the finished output File (its temporary, closed by the muxer, not yet given
// its name) of format FormatName, in place where the file has room: MP4 family files get iTunes
// freeform atoms ("----", mean "com.apple.iTunes") added to their item list, FLAC files comments
// taken from the padding block after the comment block, MP3 files with an ID3v2.4 tag TXXX
// frames in its padding. The others (and those without room) are remuxed (packets copied,
// nothing decoded) into a new temporary for the same name, which then replaces File's. False
// with Error set (naming File's planned name) when it cannot be done; File then holds the file
// as it was.
bool RewriteWithTags(TSafeFile& File, const std::string& FormatName, const TTagList& Tags,
                     std::string& Error);

// True when the format can hold free-form tags at all (WAV, AC-3 and ADTS keep none).
bool HoldsFreeTags(const std::string& FormatName);

} // namespace zeltatags
