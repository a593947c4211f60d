#include "app/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>

#include <memory>

namespace zelta {

namespace {

// What LoadTranslations loaded: written before any other thread starts, read by TrText from any
// thread afterwards (QTranslator's lookups are read-only).
struct TLoaded {
    std::string Code = "en";
    std::vector<std::unique_ptr<QTranslator>> Translators; // looked up last to first
};

TLoaded& Loaded() {
    static TLoaded loaded;
    return loaded;
}

// "de_DE.UTF-8@euro" -> "de_DE"
std::string LocaleName(std::string_view Value) {
    const size_t end = Value.find_first_of(".@");
    return std::string(Value.substr(0, end));
}

// The shipped language that serves a locale name: the same name, else the same language
// ("pt_PT" -> "pt_BR", "de_AT" -> "de"). Chinese outside the mainland's script gets no match:
// Simplified characters would be the wrong script there.
std::string ShippedFor(const std::string& Name) {
    if (Name.empty())
        return {};
    const std::string language = Name.substr(0, Name.find('_'));
    const std::vector<TLanguage>& shipped = ShippedLanguages();
    for (const TLanguage& l : shipped)
        if (l.Code == Name)
            return l.Code;
    if (language == "zh" && Name != "zh" && Name != "zh_SG")
        return {};
    for (const TLanguage& l : shipped)
        if (l.Code.substr(0, l.Code.find('_')) == language)
            return l.Code;
    return {};
}

bool IsPlainLocale(const std::string& Name) {
    return Name.empty() || Name == "C" || Name == "POSIX";
}

} // namespace

const std::vector<TLanguage>& ShippedLanguages() {
    static const std::vector<TLanguage> languages = {
        {"en", "English"},
        {"de", "Deutsch"},
        {"es", "Español"},
        {"fr", "Français"},
        {"pt_BR", "Português (Brasil)"},
        {"zh_CN", "简体中文"},
    };
    return languages;
}

std::string LanguageFromEnvironment(const std::function<const char*(const char*)>& GetEnv) {
    auto get = [&GetEnv](const char* Name) -> std::string {
        const char* v = GetEnv(Name);
        return v != nullptr ? std::string(v) : std::string();
    };
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = get(name);
        if (!locale.empty())
            break;
    }
    const std::string localeName = LocaleName(locale);
    // As gettext does: the C locale means untranslated messages, whatever LANGUAGE says.
    if (IsPlainLocale(localeName))
        return "en";
    const std::string list = get("LANGUAGE");
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string entry = LocaleName(std::string_view(list).substr(start, end - start));
        if (!IsPlainLocale(entry)) {
            if (std::string code = ShippedFor(entry); !code.empty())
                return code;
        }
        start = end + 1;
    }
    if (std::string code = ShippedFor(localeName); !code.empty())
        return code;
    return "en";
}

std::string InterfaceLanguage(const std::string& Preference,
                              const std::function<const char*(const char*)>& GetEnv) {
    for (const TLanguage& l : ShippedLanguages())
        if (l.Code == Preference)
            return l.Code;
    return LanguageFromEnvironment(GetEnv);
}

bool LoadTranslations(const std::string& Code) {
    TLoaded& loaded = Loaded();
    if (QCoreApplication::instance() != nullptr)
        for (const auto& t : loaded.Translators)
            QCoreApplication::removeTranslator(t.get());
    loaded.Translators.clear();
    loaded.Code = "en";
    if (Code == "en" || Code.empty())
        return true;
    bool shipped = false;
    for (const TLanguage& l : ShippedLanguages())
        shipped = shipped || l.Code == Code;
    if (!shipped)
        return false;

    // Qt's own texts first (looked up last): file dialogs, message box buttons. Missing when
    // Qt's translations are not installed; the dialogs then speak English.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + QString::fromStdString(Code),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        loaded.Translators.push_back(std::move(qt));
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral(":/i18n/zelta_") + QString::fromStdString(Code) +
                   QStringLiteral(".qm")))
        return false;
    loaded.Translators.push_back(std::move(own));
    loaded.Code = Code;
    if (QCoreApplication::instance() != nullptr)
        for (const auto& t : loaded.Translators)
            QCoreApplication::installTranslator(t.get());
    return true;
}

void InstallTranslations() {
    if (QCoreApplication::instance() == nullptr)
        return;
    for (const auto& t : Loaded().Translators) {
        QCoreApplication::removeTranslator(t.get());
        QCoreApplication::installTranslator(t.get());
    }
}

const std::string& LoadedLanguage() {
    return Loaded().Code;
}

std::string TrText(const char* Context, const char* Source, const char* Disambiguation, int N) {
    QString text;
    const auto& translators = Loaded().Translators;
    for (auto it = translators.rbegin(); it != translators.rend() && text.isNull(); ++it)
        text = (*it)->translate(Context, Source, Disambiguation, N);
    if (text.isNull())
        text = QString::fromUtf8(Source);
    if (N >= 0)
        text.replace(QStringLiteral("%n"), QString::number(N));
    return text.toStdString();
}

std::string FillText(std::string_view Pattern, std::initializer_list<std::string_view> Values) {
    std::string out;
    out.reserve(Pattern.size());
    for (size_t i = 0; i < Pattern.size(); ++i) {
        const char c = Pattern[i];
        if (c == '%' && i + 1 < Pattern.size() && Pattern[i + 1] >= '1' && Pattern[i + 1] <= '9') {
            const size_t index = size_t(Pattern[i + 1] - '1');
            if (index < Values.size()) {
                out += *(Values.begin() + index);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace zelta
