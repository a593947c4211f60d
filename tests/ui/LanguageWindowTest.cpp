// The windows in another language. Started under LANG=de_DE.UTF-8 the program speaks German,
// Qt's own buttons included; and in every shipped language no caption, menu entry, tool tip or
// column header of the windows is left in English.
#include "app/QtDispatcher.h"
#include "app/StartupLanguage.h"
#include "app/Translation.h"
#include "fixtures/Fixtures.h"
#include "CutCaptions.h"
#include "RecordingServices.h"
#include "ui/FmDirectory.h"
#include "ui/FrmAbout.h"
#include "ui/FrmAudioTrack.h"
#include "ui/FrmCrop.h"
#include "ui/FrmFileInfo.h"
#include "ui/FrmMain.h"
#include "ui/FrmPreference.h"
#include "ui/FrmProgress.h"
#include "ui/FrmSettings.h"
#include "ui/FrmTrim.h"
#include "ui/FrmWaterMark.h"
#include "ui/ZeltaApplication.h"
#include "component/FFConverter.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QXmlStreamReader>

#include <cstdio>
#include <map>
#include <memory>

namespace {

using TTexts = std::map<QString, QString>; // where -> text

void Add(TTexts& Out, const QString& Where, QString Text) {
    if (Text.contains(u'<'))
        Text = QTextDocumentFragment::fromHtml(Text).toPlainText();
    Text = Text.trimmed();
    if (!Text.isEmpty())
        Out[Where] = Text;
}

// Every text a window shows of its own: title, captions, list items of its boxes, tab and
// column titles, menu entries, tool tips and placeholder texts. The contents of item views
// (file names, media facts) are data, not captions.
TTexts ShownTexts(QWidget& Window, const QString& Name) {
    TTexts out;
    Add(out, Name + QStringLiteral("/title"), Window.windowTitle());
    const QList<QWidget*> widgets = Window.findChildren<QWidget*>();
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        QWidget* w = widgets[i];
        const QString where = Name + u'/' + QString::number(i) + u'/' +
                              QString::fromLatin1(w->metaObject()->className()) + u'/' +
                              w->objectName();
        Add(out, where + QStringLiteral("/tip"), w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            Add(out, where, l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            Add(out, where, b->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            Add(out, where, g->title());
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            Add(out, where + QStringLiteral("/placeholder"), e->placeholderText());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int k = 0; k < t->count(); ++k)
                Add(out, where + QStringLiteral("/tab") + QString::number(k), t->tabText(k));
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int k = 0; k < c->count(); ++k)
                Add(out, where + QStringLiteral("/item") + QString::number(k), c->itemText(k));
        // The folder tree's columns are Qt's own texts, translated by Qt's catalogue.
        if (auto* v = qobject_cast<QAbstractItemView*>(w);
            v && v->model() && !qobject_cast<QFileSystemModel*>(v->model()))
            for (int k = 0; k < v->model()->columnCount(); ++k)
                Add(out, where + QStringLiteral("/column") + QString::number(k),
                    v->model()->headerData(k, Qt::Horizontal).toString());
        const QList<QAction*> actions = w->actions();
        for (qsizetype k = 0; k < actions.size(); ++k) {
            Add(out, where + QStringLiteral("/action") + QString::number(k), actions[k]->text());
            Add(out, where + QStringLiteral("/action-tip") + QString::number(k),
                actions[k]->toolTip() == QString(actions[k]->text()).remove(u'&')
                    ? QString()
                    : actions[k]->toolTip());
        }
    }
    return out;
}

// The source texts a language keeps as they are on purpose ("Start" is German too).
QSet<QString> KeptAsTheyAre(const std::string& Code) {
    QSet<QString> kept;
    QFile file(QStringLiteral(ZELTA_SOURCE_DIR "/translations/zelta_") +
               QString::fromStdString(Code) + QStringLiteral(".ts"));
    if (!file.open(QIODevice::ReadOnly))
        return kept;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation" &&
                 xml.readElementText(QXmlStreamReader::IncludeChildElements) == source)
            kept.insert(QString(source).remove(u'&').trimmed());
    }
    return kept;
}

// A text that reads as words: three letters in a row, some of them small.
bool HasWords(const QString& Text) {
    static const QRegularExpression word(QStringLiteral("\\p{L}{3}"));
    return word.match(Text).hasMatch() && Text != Text.toUpper();
}

// Texts that are data in every language: file names and addresses, the program's name, each
// language's own name, the audio track rules a person types (default, first, all, eng,fre), the
// installed fonts' names and the example output name.
bool IsData(const QString& Where, const QString& Text) {
    if (Text.startsWith(u'/') || Text.contains(QStringLiteral("://")) ||
        Text.startsWith(QStringLiteral("Zelta ")) || Where.contains(QStringLiteral("/cbAudioTrack/")) ||
        Where.contains(QStringLiteral("/fontCmb/")) ||
        Where.contains(QStringLiteral("/lblNameExample")))
        return true;
    for (const zelta::TLanguage& language : zelta::ShippedLanguages())
        if (Text == QString::fromStdString(language.Name))
            return true;
    return false;
}

} // namespace

class TLanguageWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    TRecordingServices Services;

    // Every window with a file in the list, in the language loaded now; Cut gets the captions
    // that do not fit.
    TTexts EveryWindow(QStringList& Cut) {
        TTexts texts;
        auto take = [&texts, &Cut](QWidget& W, const QString& Name) {
            W.show();
            QTest::qWait(20);
            texts.merge(ShownTexts(W, Name));
            Cut << CutCaptions(W);
            W.hide();
        };
        TfrmMain main(Services);
        main.show();
        const std::string media = fixtures::Fixtures().Mp4H264Aac;
        main.AddChosenFiles({media});
        const int row = main.Files().FindCaption(media);
        take(main, QStringLiteral("main"));
        for (QMenu* menu : main.findChildren<QMenu*>())
            texts.merge(ShownTexts(*menu, QStringLiteral("menu-") + menu->objectName()));
        TCustomFFConverter converter;
        TfrmPreference preference([&]() -> TfmDirectory& { return main.FolderChooser(); },
                                  Services, &main);
        take(preference, QStringLiteral("preference"));
        TfrmSettings settings(Services, &main);
        take(settings, QStringLiteral("settings"));
        TfrmProgress progress(converter, &main);
        take(progress, QStringLiteral("progress"));
        TfrmFileInfo fileInfo(&main);
        fileInfo.SetSourceFile(media);
        take(fileInfo, QStringLiteral("fileinfo"));
        TfrmAbout about(Services, &main);
        take(about, QStringLiteral("about"));
        take(main.FolderChooser(), QStringLiteral("folder"));
        if (row >= 0) {
            TfrmTrim trim(Services, &main);
            trim.SetRow(&main.Files(), row);
            take(trim, QStringLiteral("trim"));
            TfrmCrop crop(&main);
            crop.SetRow(&main.Files(), row);
            take(crop, QStringLiteral("crop"));
            TfrmAudioTrack tracks(main.Files(), row, zelta::TTrackRule{}, &main);
            take(tracks, QStringLiteral("audiotrack"));
            TfrmWaterMark watermark(main.Files().Record(row), Services, &main);
            for (int page = 0; page < watermark.pageControl1->count(); ++page) {
                watermark.pageControl1->setCurrentIndex(page);
                take(watermark, QStringLiteral("watermark") + QString::number(page));
            }
        }
        main.Files().Clear(main.Ovren());
        main.close();
        return texts;
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        qputenv("ZELTA_HOME", Home.path().toUtf8());
    }

    // The language main() set up before this test: the desktop's, with a fresh settings folder
    // (an empty settings file, so that the core has something to say at the first showing).
    void theDesktopsLanguageGivesGermanWindowsAndMessages() {
        QFile settings(Home.filePath(QStringLiteral("zeltavideoaudioconverter.ini")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.close();
        QCOMPARE(QString::fromStdString(zelta::LoadStartupLanguage()), QStringLiteral("de"));
        zelta::InstallTranslations();
        Services.Messages.clear();
        {
            TfrmMain main(Services);
            main.show();
            QVERIFY(QTest::qWaitForWindowExposed(&main));
            QCOMPARE(main.btnAdd->text(), QStringLiteral("&Hinzufügen"));
            QCOMPARE(main.File1->title(), QStringLiteral("&Datei"));
            // The application core's message about the damaged settings file, in its box.
            QTRY_VERIFY(!Services.Messages.isEmpty());
            const QString message = Services.Messages.first();
            QVERIFY2(message.startsWith(QStringLiteral("Warnung|Die Einstellungsdatei ")),
                     qPrintable(message));
            QVERIFY2(message.contains(QStringLiteral("die Datei ist leer")), qPrintable(message));
            // Qt's own texts follow: a standard button of a button box.
            QDialogButtonBox box(QDialogButtonBox::Cancel);
            QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
            main.close();
        }
        QFile::remove(settings.fileName());
    }

    // ... and every caption fits its control, in English as in every language.
    void noCaptionIsLeftInEnglishOrCutOff() {
        QVERIFY(zelta::LoadTranslations("en"));
        QStringList cut;
        const TTexts english = EveryWindow(cut);
        QVERIFY(english.size() > 200);
        QStringList untranslated;
        for (const zelta::TLanguage& language : zelta::ShippedLanguages()) {
            if (language.Code == "en")
                continue;
            QVERIFY(zelta::LoadTranslations(language.Code));
            const QSet<QString> kept = KeptAsTheyAre(language.Code);
            QStringList cutHere;
            const TTexts shown = EveryWindow(cutHere);
            for (const QString& line : cutHere)
                cut << QString::fromStdString(language.Code) + u' ' + line;
            int same = 0;
            for (const auto& [where, text] : english) {
                const auto it = shown.find(where);
                if (it == shown.end() || it->second != text || !HasWords(text) ||
                    IsData(where, text))
                    continue;
                ++same;
                if (!kept.contains(QString(text).remove(u'&')))
                    untranslated << QString::fromStdString(language.Code) + u' ' + where +
                                        QStringLiteral(": \"") + text + u'"';
            }
            QVERIFY2(same < int(english.size()) / 4,
                     qPrintable(QString::fromStdString(language.Code) +
                                QStringLiteral(" leaves most texts in English")));
        }
        zelta::LoadTranslations("en");
        for (const QString& line : untranslated)
            std::fprintf(stderr, "untranslated: %s\n", qPrintable(line));
        for (const QString& line : cut)
            std::fprintf(stderr, "cut: %s\n", qPrintable(line));
        QVERIFY2(untranslated.isEmpty(), "texts left in English (listed above)");
        QVERIFY2(cut.isEmpty(), "captions cut off (listed above)");
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LANG", "de_DE.UTF-8");
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(name);
    TZeltaApplication app(argc, argv);
    zelta::TQtMainThreadDispatcher dispatcher;
    TLanguageWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "LanguageWindowTest.moc"
