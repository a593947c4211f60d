// The shipped translations: every text of the sources is in every language's file, translated,
// with the placeholders, plural forms and keyboard accelerators the program fills in and uses.
#include "app/Translation.h"

#include "TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using namespace zelta;
namespace fs = std::filesystem;

namespace {

struct TMessage {
    QString Context, Source, Comment;
    bool Numerus = false;
    QString Type; // "unfinished", "vanished", "obsolete" or empty
    QStringList Forms;
    QString Key() const { return Context + u'\x1f' + Source + u'\x1f' + Comment; }
};

std::vector<TMessage> ReadTs(const QString& Path, QString& Error) {
    std::vector<TMessage> out;
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        Error = QStringLiteral("cannot open ") + Path;
        return out;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TMessage m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"translation" && m.Numerus)
            out.push_back(m);
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == u"name") {
            context = xml.readElementText();
        } else if (name == u"message") {
            m = TMessage{context, {}, {}, xml.attributes().value(QStringLiteral("numerus")) == u"yes", {}, {}};
        } else if (name == u"source") {
            m.Source = xml.readElementText();
        } else if (name == u"comment") {
            m.Comment = xml.readElementText();
        } else if (name == u"translation") {
            m.Type = xml.attributes().value(QStringLiteral("type")).toString();
            if (!m.Numerus) {
                m.Forms = {xml.readElementText()};
                out.push_back(m);
            }
        } else if (name == u"numerusform") {
            m.Forms.push_back(xml.readElementText());
        }
    }
    if (xml.hasError())
        Error = Path + QStringLiteral(": ") + xml.errorString();
    return out;
}

// The plural forms Qt's rules give each language.
int PluralForms(const std::string& Code) {
    return Code == "zh_CN" ? 1 : 2;
}

std::multiset<QString> Placeholders(const QString& Text) {
    static const QRegularExpression pattern(QStringLiteral("%(?:[1-9]|L?n|s|d|zu|ld|lld)"));
    std::multiset<QString> found;
    for (auto it = pattern.globalMatch(Text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

bool HasAccelerator(const QString& Text) {
    static const QRegularExpression pattern(QStringLiteral("(^|[^&])&(?!&)[^ ]"));
    return pattern.match(Text).hasMatch();
}

QString TsPath(const std::string& Code) {
    return QStringLiteral(ZELTA_SOURCE_DIR "/translations/zelta_") + QString::fromStdString(Code) +
           QStringLiteral(".ts");
}

} // namespace

TEST(TranslationFiles, EveryLanguageTranslatesEveryTextWithItsPlaceholdersAndForms) {
    std::map<QString, int> keys; // in how many languages each text stands
    int languages = 0;
    for (const TLanguage& language : ShippedLanguages()) {
        if (language.Code == "en")
            continue;
        ++languages;
        QString error;
        const std::vector<TMessage> messages = ReadTs(TsPath(language.Code), error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_FALSE(messages.empty()) << language.Code;
        for (const TMessage& m : messages) {
            const std::string where = language.Code + " [" + m.Context.toStdString() + "] \"" +
                                      m.Source.toStdString() + "\"";
            ++keys[m.Key()];
            EXPECT_TRUE(m.Type.isEmpty()) << where << " is " << m.Type.toStdString();
            if (m.Numerus)
                EXPECT_EQ(m.Forms.size(), PluralForms(language.Code)) << where;
            for (const QString& form : m.Forms) {
                EXPECT_FALSE(form.trimmed().isEmpty()) << where << " has an empty translation";
                std::multiset<QString> want = Placeholders(m.Source);
                std::multiset<QString> got = Placeholders(form);
                // A language with one plural form may say the number without %n only when the
                // source shows it elsewhere; every other placeholder must be kept.
                EXPECT_EQ(want, got) << where << " -> \"" << form.toStdString() << "\"";
                if (HasAccelerator(m.Source))
                    EXPECT_TRUE(HasAccelerator(form))
                        << where << " -> \"" << form.toStdString() << "\" lost its accelerator";
            }
        }
    }
    for (const auto& [key, count] : keys)
        EXPECT_EQ(count, languages) << QString(key).replace(u'\x1f', u'|').toStdString()
                                    << " is missing from some languages";
}

// A text added to the sources without `make translations-update` and a translation would show
// in English in every other language.
TEST(TranslationFiles, NoTextOfTheSourcesIsMissingFromTheTranslations) {
    test::TTempFolder temp;
    const QString copy = QString::fromStdString((temp.Path() / "zelta_de.ts").string());
    ASSERT_TRUE(QFile::copy(TsPath("de"), copy));
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(ZELTA_LUPDATE),
                  {QStringLiteral("-tr-function-alias"), QStringLiteral("translate+=TrText"),
                   QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("-I"),
                   QStringLiteral(ZELTA_SOURCE_DIR "/src"), QStringLiteral(ZELTA_SOURCE_DIR "/src"),
                   QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not end";
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();
    QString error;
    const std::vector<TMessage> messages = ReadTs(copy, error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    for (const TMessage& m : messages)
        EXPECT_TRUE(m.Type.isEmpty())
            << "[" << m.Context.toStdString() << "] \"" << m.Source.toStdString()
            << "\" is not translated; run make translations-update and translate it";
}
