#include "app/IniFile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <unordered_set>

#include "app/Translation.h"
#include "engine/SafeWrite.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace zelta {

namespace {

constexpr std::string_view Blanks = " \t\v\f\r";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view S)
{
    const auto First = S.find_first_not_of(Blanks);
    if (First == std::string_view::npos)
        return {};
    const auto Last = S.find_last_not_of(Blanks);
    return S.substr(First, Last - First + 1);
}

char FoldAscii(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

bool SameName(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (FoldAscii(A[I]) != FoldAscii(B[I]))
            return false;
    return true;
}

std::string FoldedName(std::string_view S)
{
    std::string R(S);
    for (char& C : R)
        C = FoldAscii(C);
    return R;
}

std::string ErrnoText(int Error)
{
    return std::generic_category().message(Error);
}

enum class TLineKind { Other, Blank, Comment, Section, Key };

struct TIniLine {
    std::size_t Begin = 0;       // first byte of the line
    std::size_t TextEnd = 0;     // end of the text, before "\r\n" or "\n"
    std::size_t End = 0;         // just after the line ending (or end of content)
    std::size_t ValueBegin = 0;  // key lines: where the value starts (after "=" and blanks)
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;       // section or key name, trimmed
    std::string_view Value;      // key value, trimmed
};

TIniLine ClassifyLine(std::string_view Content, std::size_t Begin, std::size_t TextEnd,
                      std::size_t End)
{
    TIniLine L;
    L.Begin = Begin;
    L.TextEnd = TextEnd;
    L.End = End;
    std::size_t TextBegin = Begin;
    if (Begin == 0 && Content.substr(0, Utf8Bom.size()) == Utf8Bom && TextEnd >= Utf8Bom.size())
        TextBegin = Utf8Bom.size();
    const std::string_view Raw = Content.substr(TextBegin, TextEnd - TextBegin);
    const std::string_view Text = Trim(Raw);
    if (Text.empty()) {
        L.Kind = TLineKind::Blank;
        return L;
    }
    if (Text.front() == ';' || Text.front() == '#') {
        L.Kind = TLineKind::Comment;
        return L;
    }
    if (Text.front() == '[') {
        const auto Close = Text.rfind(']');
        if (Close != std::string_view::npos && Close > 0) {
            L.Kind = TLineKind::Section;
            L.Name = Trim(Text.substr(1, Close - 1));
        }
        return L;
    }
    const auto Eq = Raw.find('=');
    if (Eq == std::string_view::npos)
        return L;
    const std::string_view Key = Trim(Raw.substr(0, Eq));
    if (Key.empty())
        return L;
    L.Kind = TLineKind::Key;
    L.Name = Key;
    const std::string_view After = Raw.substr(Eq + 1);
    const auto ValueStart = After.find_first_not_of(Blanks);
    const std::size_t AfterBegin = TextBegin + Eq + 1;
    L.ValueBegin = ValueStart == std::string_view::npos ? TextEnd : AfterBegin + ValueStart;
    L.Value = Trim(After);
    return L;
}

// Calls Visit(line) for every line in order until it returns false. Linear in the content size.
template <class TVisit>
void ForEachLine(std::string_view Content, TVisit&& Visit)
{
    std::size_t Pos = 0;
    while (Pos < Content.size()) {
        const void* Hit = std::memchr(Content.data() + Pos, '\n', Content.size() - Pos);
        std::size_t TextEnd;
        std::size_t End;
        if (Hit) {
            const auto Nl = static_cast<std::size_t>(static_cast<const char*>(Hit) - Content.data());
            End = Nl + 1;
            TextEnd = (Nl > Pos && Content[Nl - 1] == '\r') ? Nl - 1 : Nl;
        } else {
            End = Content.size();
            TextEnd = End;
        }
        if (!Visit(ClassifyLine(Content, Pos, TextEnd, End)))
            return;
        Pos = End;
    }
}

// Visits the lines inside the first occurrence of Section (not its header). Returns the header
// line when the section exists. Visit returns false to stop early.
template <class TVisit>
std::optional<TIniLine> ForEachLineOfSection(std::string_view Content, std::string_view Section,
                                             TVisit&& Visit)
{
    std::optional<TIniLine> Header;
    ForEachLine(Content, [&](const TIniLine& L) {
        if (L.Kind == TLineKind::Section) {
            if (Header)
                return false;
            if (SameName(L.Name, Section))
                Header = L;
            return true;
        }
        if (!Header)
            return true;
        return Visit(L);
    });
    return Header;
}

std::string_view DetectLineEnding(std::string_view Content)
{
    const auto Nl = Content.find('\n');
    if (Nl != std::string_view::npos && Nl > 0 && Content[Nl - 1] == '\r')
        return "\r\n";
    return "\n";
}

bool HasLineBreak(std::string_view S)
{
    return S.find_first_of("\r\n") != std::string_view::npos;
}

// Content with the key set; Section and Key are trimmed and valid.
std::string ContentWithKey(std::string_view Content, std::string_view Section,
                           std::string_view Key, std::string_view Value)
{
    const std::string_view Eol = DetectLineEnding(Content);
    std::optional<TIniLine> Existing;
    std::size_t InsertAt = 0;
    const auto Header = ForEachLineOfSection(Content, Section, [&](const TIniLine& L) {
        if (L.Kind != TLineKind::Key)
            return true;
        if (SameName(L.Name, Key)) {
            Existing = L;
            return false;
        }
        InsertAt = L.End;
        return true;
    });

    std::string Out;
    Out.reserve(Content.size() + Key.size() + Value.size() + Section.size() + 8);
    if (Existing) {
        Out.append(Content.substr(0, Existing->ValueBegin));
        Out.append(Value);
        Out.append(Content.substr(Existing->TextEnd));
        return Out;
    }
    if (Header) {
        if (InsertAt == 0)
            InsertAt = Header->End;
        Out.append(Content.substr(0, InsertAt));
        if (!Out.empty() && Out.back() != '\n')
            Out.append(Eol);
        Out.append(Key).append("=").append(Value).append(Eol);
        Out.append(Content.substr(InsertAt));
        return Out;
    }
    Out.append(Content);
    if (!Out.empty()) {
        if (Out.back() != '\n')
            Out.append(Eol);
        // One blank line between the last section and the new one, unless there is one already.
        bool LastLineBlank = false;
        ForEachLine(Content, [&](const TIniLine& L) {
            LastLineBlank = L.Kind == TLineKind::Blank;
            return true;
        });
        if (!LastLineBlank)
            Out.append(Eol);
    }
    Out.append("[").append(Section).append("]").append(Eol);
    Out.append(Key).append("=").append(Value).append(Eol);
    return Out;
}

// Content without the given line ranges (sorted, not overlapping).
std::string ContentWithout(std::string_view Content,
                           const std::vector<std::pair<std::size_t, std::size_t>>& Ranges)
{
    std::string Out;
    Out.reserve(Content.size());
    std::size_t Pos = 0;
    for (const auto& [Begin, End] : Ranges) {
        Out.append(Content.substr(Pos, Begin - Pos));
        Pos = End;
    }
    Out.append(Content.substr(Pos));
    return Out;
}

enum class TLoadResult { Loaded, Missing, Failed };

class TFd {
public:
    explicit TFd(int Fd) : FFd(Fd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() { Close(); }
    int Get() const { return FFd; }
    // Closes now and reports the result (close can report a delayed write error).
    bool Close()
    {
        if (FFd < 0)
            return true;
        const int R = ::close(FFd);
        FFd = -1;
        return R == 0;
    }

private:
    int FFd;
};

// Reads a regular file whole. Devices, pipes and folders are refused so that a read never blocks
// or runs forever.
TLoadResult ReadWholeFile(const std::string& Path, std::string& Content, int& Error)
{
    Content.clear();
    TFd Fd(::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (Fd.Get() < 0) {
        Error = errno;
        return (Error == ENOENT || Error == ENOTDIR) ? TLoadResult::Missing : TLoadResult::Failed;
    }
    struct stat St {};
    if (::fstat(Fd.Get(), &St) != 0) {
        Error = errno;
        return TLoadResult::Failed;
    }
    if (!S_ISREG(St.st_mode)) {
        Error = S_ISDIR(St.st_mode) ? EISDIR : EINVAL;
        return TLoadResult::Failed;
    }
    if (St.st_size > 0)
        Content.reserve(static_cast<std::size_t>(St.st_size));
    char Buffer[65536];
    for (;;) {
        const ssize_t N = ::read(Fd.Get(), Buffer, sizeof Buffer);
        if (N == 0)
            break;
        if (N < 0) {
            if (errno == EINTR)
                continue;
            Error = errno;
            Content.clear();
            return TLoadResult::Failed;
        }
        Content.append(Buffer, static_cast<std::size_t>(N));
    }
    return TLoadResult::Loaded;
}

std::string ReadForLookup(const std::string& Path)
{
    std::string Content;
    int Error = 0;
    if (ReadWholeFile(Path, Content, Error) != TLoadResult::Loaded)
        Content.clear();
    return Content;
}

// The value of the first line of Key in the first occurrence of Section.
std::optional<std::string> LookUp(std::string_view Content, std::string_view Section,
                                  std::string_view Key)
{
    std::optional<std::string> Found;
    ForEachLineOfSection(Content, Section, [&](const TIniLine& L) {
        if (L.Kind == TLineKind::Key && SameName(L.Name, Key)) {
            Found = std::string(L.Value);
            return false;
        }
        return true;
    });
    return Found;
}

// The file a write replaces: symbolic links at the path are followed so that the link survives.
fs::path WriteTarget(const std::string& FileName)
{
    fs::path P(FileName);
    std::error_code Ec;
    for (int Hop = 0; Hop < 40 && fs::is_symlink(P, Ec); ++Hop) {
        const fs::path Link = fs::read_symlink(P, Ec);
        if (Ec)
            break;
        P = Link.is_absolute() ? Link : P.parent_path() / Link;
    }
    return P;
}

bool WriteAll(int Fd, std::string_view Data, int& Error)
{
    while (!Data.empty()) {
        const ssize_t N = ::write(Fd, Data.data(), Data.size());
        if (N < 0) {
            if (errno == EINTR)
                continue;
            Error = errno;
            return false;
        }
        Data.remove_prefix(static_cast<std::size_t>(N));
    }
    return true;
}

// The exclusive lock of a read-modify-write: an flock on the settings file's folder (the file
// itself is replaced by every write, so it cannot carry the lock). Where the file system has no
// such locks the write goes on without one.
class TFolderLock {
public:
    explicit TFolderLock(const fs::path& Folder)
        : FFd(::open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (FFd.Get() < 0)
            return;
        while (::flock(FFd.Get(), LOCK_EX) != 0 && errno == EINTR) {
        }
    }

private:
    TFd FFd; // closing it releases the lock
};

// The lock for one read-modify-write of FileName. A private copy (Scratch) has no other writer.
// A missing folder is made first when the write will make it anyway (CreateFolder).
std::unique_ptr<TFolderLock> LockFolderOf(const std::string& FileName, TIniWrites Writes,
                                          bool CreateFolder)
{
    if (Writes == TIniWrites::Scratch)
        return nullptr;
    const fs::path Folder = WriteTarget(FileName).parent_path();
    std::error_code Ec;
    if (CreateFolder && !Folder.empty())
        fs::create_directories(Folder, Ec);
    return std::make_unique<TFolderLock>(Folder);
}

void SyncFolder(const fs::path& Folder)
{
    // Makes the rename itself durable; a failure here does not undo the write, so it is ignored.
    TFd Fd(::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (Fd.Get() >= 0)
        (void)::fsync(Fd.Get());
}

}  // namespace

TIniDamage InspectIniContent(std::string_view Content)
{
    if (Content.substr(0, Utf8Bom.size()) == Utf8Bom)
        Content.remove_prefix(Utf8Bom.size());
    if (Content.find_first_not_of(" \t\v\f\r\n") == std::string_view::npos)
        return TIniDamage::Empty;
    for (const char C : Content) {
        const auto B = static_cast<unsigned char>(C);
        if (B < 0x20 && B != '\t' && B != '\n' && B != '\r' && B != '\v' && B != '\f')
            return TIniDamage::Binary;
    }
    bool AnySection = false;
    TIniLine Last;
    ForEachLine(Content, [&](const TIniLine& L) {
        AnySection = AnySection || L.Kind == TLineKind::Section;
        Last = L;
        return true;
    });
    // Every line this program writes ends with a line ending; a last line without one that is
    // no whole section or key line was cut off in the middle.
    const bool Unterminated = Content.back() != '\n';
    if (Unterminated && Last.Kind != TLineKind::Section && Last.Kind != TLineKind::Key &&
        Last.Kind != TLineKind::Blank && Last.Kind != TLineKind::Comment)
        return TIniDamage::Truncated;
    if (!AnySection)
        return TIniDamage::NoSection;
    return TIniDamage::None;
}

TIniDamage InspectIniFile(const std::string& FileName)
{
    std::string Content;
    int Error = 0;
    if (ReadWholeFile(FileName, Content, Error) != TLoadResult::Loaded)
        return TIniDamage::None;
    return InspectIniContent(Content);
}

std::string IniDamageText(TIniDamage Damage) {
    // Shown in the sentence "... cannot be used: <this>."; nothing here is stored.
    switch (Damage) {
    case TIniDamage::None:
        return {};
    case TIniDamage::Empty:
        return TrText("IniFile", "it is empty");
    case TIniDamage::Binary:
        return TrText("IniFile", "it is not a text file");
    case TIniDamage::Truncated:
        return TrText("IniFile", "it is cut off");
    case TIniDamage::NoSection:
        return TrText("IniFile", "it has no section");
    }
    return {};
}

bool ParseIniInteger(std::string_view Text, int& Value)
{
    Text = Trim(Text);
    if (Text.empty())
        return false;
    bool Negative = false;
    if (Text.front() == '+' || Text.front() == '-') {
        Negative = Text.front() == '-';
        Text.remove_prefix(1);
    }
    if (Text.empty())
        return false;
    constexpr std::int64_t Limit = std::int64_t{1} << 31;  // magnitude of INT_MIN
    std::int64_t Magnitude = 0;
    for (const char C : Text) {
        if (C < '0' || C > '9')
            return false;
        Magnitude = Magnitude * 10 + (C - '0');
        if (Magnitude > Limit)
            return false;
    }
    if (!Negative && Magnitude == Limit)
        return false;
    Value = static_cast<int>(Negative ? -Magnitude : Magnitude);
    return true;
}

TIniFile::TIniFile(std::string FileName, TDamagedFile Policy, TIniWrites Writes)
    : FFileName(std::move(FileName)), FPolicy(Policy), FWrites(Writes)
{
}

std::string TIniFile::ContentForReading() const
{
    std::string Content = ReadForLookup(FFileName);
    if (FPolicy == TDamagedFile::StartOver && InspectIniContent(Content) != TIniDamage::None)
        Content.clear();
    return Content;
}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Key,
                                 std::string_view Default) const
{
    const auto Found = LookUp(ContentForReading(), Trim(Section), Trim(Key));
    return Found ? *Found : std::string(Default);
}

int TIniFile::ReadInteger(std::string_view Section, std::string_view Key, int Default) const
{
    const auto Found = LookUp(ContentForReading(), Trim(Section), Trim(Key));
    int Value = 0;
    return (Found && ParseIniInteger(*Found, Value)) ? Value : Default;
}

bool TIniFile::ReadBool(std::string_view Section, std::string_view Key, bool Default) const
{
    return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view Section) const
{
    std::vector<std::string> Keys;
    for (auto& [Key, Value] : ReadSectionValues(Section))
        Keys.push_back(std::move(Key));
    return Keys;
}

std::vector<std::pair<std::string, std::string>>
TIniFile::ReadSectionValues(std::string_view Section) const
{
    Section = Trim(Section);
    const std::string Content = ContentForReading();
    std::vector<std::pair<std::string, std::string>> Values;
    std::unordered_set<std::string> Seen;
    ForEachLineOfSection(Content, Section, [&](const TIniLine& L) {
        if (L.Kind == TLineKind::Key && Seen.insert(FoldedName(L.Name)).second)
            Values.emplace_back(std::string(L.Name), std::string(L.Value));
        return true;
    });
    return Values;
}

std::vector<std::string> TIniFile::ReadSections() const
{
    const std::string Content = ContentForReading();
    std::vector<std::string> Sections;
    std::unordered_set<std::string> Seen;
    ForEachLine(Content, [&](const TIniLine& L) {
        if (L.Kind == TLineKind::Section && Seen.insert(FoldedName(L.Name)).second)
            Sections.emplace_back(L.Name);
        return true;
    });
    return Sections;
}

bool TIniFile::SectionExists(std::string_view Section) const
{
    Section = Trim(Section);
    const std::string Content = ContentForReading();
    return ForEachLineOfSection(Content, Section, [](const TIniLine&) { return false; })
        .has_value();
}

bool TIniFile::ValueExists(std::string_view Section, std::string_view Key) const
{
    return LookUp(ContentForReading(), Trim(Section), Trim(Key)).has_value();
}

bool TIniFile::WriteString(std::string_view Section, std::string_view Key, std::string_view Value)
{
    FLastError.clear();
    Section = Trim(Section);
    Key = Trim(Key);
    if (Section.empty() || HasLineBreak(Section))
        return Fail(TrText("IniFile", "invalid section name"));
    if (Key.empty() || HasLineBreak(Key) || Key.find('=') != std::string_view::npos ||
        Key.front() == ';' || Key.front() == '#' || Key.front() == '[')
        return Fail(TrText("IniFile", "invalid key name"));
    if (HasLineBreak(Value))
        return Fail(TrText("IniFile", "a value cannot contain a line break"));
    const auto Lock = LockFolderOf(FFileName, FWrites, true);
    std::string Content;
    bool Exists = false;
    bool Damaged = false;
    if (!LoadForWrite(Content, Exists, Damaged))
        return false;
    std::string Updated = ContentWithKey(Content, Section, Key, Value);
    if (Exists && Updated == Content)
        return true;
    return Store(Updated, Damaged);
}

bool TIniFile::WriteInteger(std::string_view Section, std::string_view Key, int Value)
{
    return WriteString(Section, Key, std::to_string(Value));
}

bool TIniFile::WriteBool(std::string_view Section, std::string_view Key, bool Value)
{
    return WriteString(Section, Key, Value ? "1" : "0");
}

bool TIniFile::EraseSection(std::string_view Section)
{
    FLastError.clear();
    Section = Trim(Section);
    std::string Content;
    bool Exists = false;
    bool Damaged = false; // a damaged file has nothing to remove: it is never touched here
    const auto Lock = LockFolderOf(FFileName, FWrites, false);
    if (!LoadForWrite(Content, Exists, Damaged))
        return false;
    std::vector<std::pair<std::size_t, std::size_t>> Ranges;
    bool Inside = false;
    ForEachLine(Content, [&](const TIniLine& L) {
        if (L.Kind == TLineKind::Section) {
            Inside = SameName(L.Name, Section);
            if (Inside)
                Ranges.emplace_back(L.Begin, L.End);
        } else if (Inside) {
            Ranges.back().second = L.End;
        }
        return true;
    });
    if (Ranges.empty())
        return true;
    return Store(ContentWithout(Content, Ranges));
}

bool TIniFile::DeleteKey(std::string_view Section, std::string_view Key)
{
    FLastError.clear();
    Section = Trim(Section);
    Key = Trim(Key);
    std::string Content;
    bool Exists = false;
    bool Damaged = false; // a damaged file has nothing to remove: it is never touched here
    const auto Lock = LockFolderOf(FFileName, FWrites, false);
    if (!LoadForWrite(Content, Exists, Damaged))
        return false;
    std::vector<std::pair<std::size_t, std::size_t>> Ranges;
    ForEachLineOfSection(Content, Section, [&](const TIniLine& L) {
        if (L.Kind == TLineKind::Key && SameName(L.Name, Key))
            Ranges.emplace_back(L.Begin, L.End);
        return true;
    });
    if (Ranges.empty())
        return true;
    return Store(ContentWithout(Content, Ranges));
}

bool TIniFile::LoadForWrite(std::string& Content, bool& Exists, bool& Damaged)
{
    int Error = 0;
    Damaged = false;
    switch (ReadWholeFile(WriteTarget(FFileName).string(), Content, Error)) {
    case TLoadResult::Loaded:
        Exists = true;
        if (FPolicy == TDamagedFile::StartOver && InspectIniContent(Content) != TIniDamage::None) {
            Damaged = true;
            Exists = false;
            Content.clear();
        }
        return true;
    case TLoadResult::Missing:
        Exists = false;
        Content.clear();
        return true;
    case TLoadResult::Failed:
        break;
    }
    return Fail(ErrnoText(Error));
}

bool TIniFile::Store(const std::string& Content, bool KeepOld)
{
    const fs::path Target = WriteTarget(FFileName);
    fs::path Folder = Target.parent_path();
    if (Folder.empty())
        Folder = ".";

    std::error_code Ec;
    fs::create_directories(Folder, Ec);
    if (Ec)
        return Fail(Ec.message());
    if (!fs::is_directory(Folder, Ec))
        return Fail(ErrnoText(ENOTDIR));

    // Keep the permission bits of the file being replaced; a new file gets 0666 less the umask.
    std::optional<mode_t> Mode;
    struct stat St {};
    if (::stat(Target.c_str(), &St) == 0) {
        if (S_ISDIR(St.st_mode))
            return Fail(ErrnoText(EISDIR));
        Mode = St.st_mode & 07777;
    }

    TSafeFile File;
    int Error = File.Create(Target.string());
    if (Error == 0)
        (void)WriteAll(File.Fd(), Content, Error);
    if (Error == 0 && Mode && ::fchmod(File.Fd(), *Mode) != 0)
        Error = errno;
    const bool Durable = FWrites == TIniWrites::Durable;
    if (Error == 0 && Durable && ::fsync(File.Fd()) != 0)
        Error = errno;
    // The damaged file moves aside only once the new one is whole on disk; a crash between the
    // two renames leaves no settings file (every reader gets its default) and the copy.
    const std::string OldCopy = Target.string() + ".damaged";
    if (Error == 0 && KeepOld && ::rename(Target.c_str(), OldCopy.c_str()) != 0)
        Error = errno;
    if (Error == 0) {
        Error = File.Publish(TSafeFile::TPublish::Replace, false);
        if (Error != 0 && KeepOld)
            (void)::rename(OldCopy.c_str(), Target.c_str());
    }
    if (Error != 0) {
        File.Discard();
        return Fail(SafeWriteErrorText(Error));
    }
    if (Durable)
        SyncFolder(Folder);
    RemoveLeftovers(Folder.string());
    return true;
}

bool TIniFile::Fail(const std::string& Reason)
{
    FLastError =
        FillText(TrText("IniFile", "Cannot write settings file %1: %2"), {FFileName, Reason});
    return false;
}

}  // namespace zelta
