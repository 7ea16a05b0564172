#include <gtest/gtest.h>

#include <set>
#include <string>

#include "behaviour/key_filter.h"
#include "behaviour/launch_buttons.h"
#include "doubles/test_app.h"
#include "doubles/typing.h"
#include "lang/messages.h"
#include "settings/settings_file.h"
#include "window/text_entry.h"

namespace pm {
namespace {

TEST(KeyFilter, PassesExactlyTheAcceptedSetAndBeepsOncePerRefusal) {
    const std::set<int> accepted = {8, 9, 12, 37, 38, 39, 40, 43, 46, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57};
    CountingBeeper beeper;
    int refused = 0;
    for (int code = 0; code <= 255; ++code) {
        auto key = static_cast<std::int16_t>(code);
        const int beeps_before = beeper.beeps;
        Text1_KeyPress(1, key, beeper);
        if (accepted.count(code)) {
            EXPECT_EQ(key, code) << code;
            EXPECT_EQ(beeper.beeps, beeps_before) << code;
        } else {
            ++refused;
            EXPECT_EQ(key, 0) << code;
            EXPECT_EQ(beeper.beeps, beeps_before + 1) << code;
        }
    }
    EXPECT_EQ(refused, 256 - 19);
}

TEST(KeyFilter, TypingIntoAnSmsBoxKeepsOnlyTheAcceptedCharacters) {
    test::TestApp t;
    t.app.Main();
    test::type_into(t.form().Text1(2), "a1+ (.)-");
    EXPECT_EQ(t.form().Text1(2).text(), u"1+(.");
    EXPECT_EQ(t.beeper.beeps, 4);
    // The job description and text from the file are not filtered.
    test::type_into(t.form().Text5(), "a b-)");
    EXPECT_EQ(t.form().Text5().text(), u"a b-)");
    EXPECT_EQ(t.beeper.beeps, 4);
}

// Whatever route text takes into a box, what the edit brought that Windows-1252 cannot hold comes out,
// and only that: the caret stands after what was kept.
TEST(TextEntry, KeepsOnlyWhatTheFileCanHoldOfWhatTheEditBrought) {
    const struct {
        const char* name;
        std::u16string before, after, kept;
        std::size_t caret;
        bool refused;
    } cases[] = {
        {"a paste into the middle", u"abc", u"a\u0141xbc", u"axbc", 2, true},
        {"over a selection", u"hello", u"h\u0141o", u"ho", 1, true},
        {"a character outside the BMP, beside one already there", u"a\U0001F600b", u"a\U0001F600\U0001F600b",
         u"a\U0001F600b", 3, true},
        {"what the file brought stays when the user types beside it", u"a\u0141", u"a\u0141b", u"a\u0141b", 3,
         false},
        {"an accessibility client sets the whole text", u"old", u"n\u0141ew\u4E00", u"new", 3, true},
    };
    Cp1252Text text;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const KeptEdit kept =
            keep_writable(c.before, c.after, [&](std::u16string_view ch) { return text.can_write(ch); });
        EXPECT_EQ(kept.text, c.kept);
        EXPECT_EQ(kept.caret, c.caret);
        EXPECT_EQ(kept.refused, c.refused);
    }
}

struct ClosePrompt : ::testing::Test {
    test::TestApp t;
    void SetUp() override {
        t.files.put(u"SETTINGS.TXT", "JOB=old\r\n");
        t.app.Main();
    }
    Form1& form() { return t.form(); }
};

TEST_F(ClosePrompt, AsksInTheLanguageSelectedNow) {
    const char16_t* titles[] = {u"Exit settings editor",
                                u"Quitter éditeur de paramètres",
                                u"Verlassen settings editor",
                                u"af te sluiten Settings Editor",
                                u"Edytor ustawien wyjscia",
                                u"editor di impostazioni di uscita",
                                u"editor de configuración de salida"};
    const char16_t* prompts[] = {u"Save the settings before you exit?",
                                 u"Enregistrer les paramètres avant de quitter?",
                                 u"Speichern Sie die Einstellungen, bevor Sie verlassen?",
                                 u"Sla de instellingen op voordat u afsluiten?",
                                 u"Zapisz ustawienia przed zamknieciem ?",
                                 u"Salvare le impostazioni prima di uscire ?",
                                 u"Guardar la configuración antes de salir ?"};
    for (int language = 0; language < 7; ++language) {
        form().Combo1().choose(static_cast<std::int16_t>(language));
        t.boxes.answers = {box::answer_cancel};
        EXPECT_FALSE(form().request_close(CloseReason::user));
        ASSERT_FALSE(t.boxes.shown.empty());
        EXPECT_EQ(t.boxes.shown.back().title, titles[language]);
        EXPECT_EQ(t.boxes.shown.back().text, prompts[language]);
        EXPECT_EQ(t.boxes.shown.back().style, 35);
    }
    form().Combo1().type_text(u"Klingon");  // no entry selected: English
    EXPECT_FALSE(form().request_close(CloseReason::user));
    EXPECT_EQ(t.boxes.shown.back().title, u"Exit settings editor");
    EXPECT_EQ(t.boxes.shown.back().text, u"Save the settings before you exit?");
}

TEST_F(ClosePrompt, CancelKeepsTheWindowAndWritesNothing) {
    form().Text5().set_text(u"new");
    t.boxes.answers = {box::answer_cancel};
    EXPECT_FALSE(form().request_close(CloseReason::user));
    EXPECT_FALSE(form().unloaded());
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), "JOB=old\r\n");
    // The next request asks again, even with nothing edited.
    t.boxes.answers = {box::answer_cancel};
    EXPECT_FALSE(form().request_close(CloseReason::session_end));
    EXPECT_EQ(t.boxes.shown.size(), 2u);
}

// At the end of the session the system shows the question as the reason the window waits, in the
// language selected, and withdraws it once answered; a critical end asks nothing and writes nothing.
TEST_F(ClosePrompt, AtTheSessionEndTheQuestionIsTheReasonAndACriticalEndAsksNothing) {
    for (int language = -1; language < 7; ++language) {
        if (language >= 0) form().Combo1().choose(static_cast<std::int16_t>(language));
        t.boxes.answers = {box::answer_cancel};
        EXPECT_FALSE(form().request_close(CloseReason::session_end));
        ASSERT_GE(t.show.reasons.size(), 2u);
        EXPECT_EQ(t.show.reasons.end()[-2], t.boxes.shown.back().text);
        EXPECT_EQ(t.show.reasons.back(), u"");
    }
    EXPECT_EQ(t.show.reasons[0], u"Save the settings before you exit?");
    EXPECT_EQ(t.show.reasons[6], u"Speichern Sie die Einstellungen, bevor Sie verlassen?");

    form().Text5().set_text(u"new");
    const std::size_t asked = t.boxes.shown.size();
    EXPECT_TRUE(form().request_close(CloseReason::session_end_critical));
    EXPECT_EQ(t.boxes.shown.size(), asked);
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), "JOB=old\r\n");
    EXPECT_EQ(t.files.calls(test::FsOp::create), 0);
}

// Yes never replaces, without asking, a settings file that another program wrote after start-up read
// it (one that changed, or appeared), nor one that start-up could not read (held open then, released
// since). One question at most, naming its file; No keeps that file's bytes and the window.
TEST(ChangedElsewhere, YesAsksBeforeReplacingWhatTheEditorDidNotRead) {
    const std::u16string changed =
        u"SETTINGS.TXT is na het inlezen door een ander programma gewijzigd. "
        u"Vervangen door de instellingen die hier worden getoond?";
    const std::u16string not_read =
        u"SETTINGS.TXT kon bij het starten van de editor niet worden gelezen, en "
        u"het venster toont niet wat erin staat. Vervangen door de instellingen "
        u"die hier worden getoond?";
    const auto on_new = [](std::u16string question) { return question.replace(0, 12, u"SETTINGS.NEW"); };
    const char16_t* txt = u"SETTINGS.TXT";
    const char16_t* new_file = u"SETTINGS.NEW";
    const struct {
        const char* name;
        const char16_t* read_from;  // what start-up found: SETTINGS.TXT, SETTINGS.NEW or nothing
        bool unread;                // and could not read
        const char16_t* written;    // the file another program writes before Yes, if any
        const char* now;            // what it writes; nullptr: it deletes the file
        std::u16string question;    // empty: none
    } cases[] = {
        {"changed", txt, false, txt, "JOB=written elsewhere\r\nHIGH_ALARM1=10\r\nGSM1=999\r\n", changed},
        {"unchanged", txt, false, txt, "JOB=old\r\n", u""},
        {"same size, other bytes", txt, false, txt, "JOB=new\r\n", changed},
        {"gone", txt, false, txt, nullptr, u""},
        {"appeared", nullptr, false, txt, "JOB=written elsewhere\r\n", changed},
        {"a recovery start, unchanged", new_file, false, nullptr, nullptr, u""},
        {"a recovery start, then a SETTINGS.TXT", new_file, false, txt, "JOB=written elsewhere\r\n", changed},
        {"a recovery start, then that SETTINGS.NEW rewritten", new_file, false, new_file, "JOB=x\r\n",
         on_new(changed)},
        {"unread, released and changed since", txt, true, txt, "JOB=changed since\r\n", not_read},
        {"unread, gone", txt, true, txt, nullptr, u""},
        {"unread, a recovery start", new_file, true, new_file, "JOB=changed since\r\n", on_new(not_read)},
    };
    for (const auto& c : cases) {
        for (int answer : {box::answer_no, box::answer_yes}) {
            SCOPED_TRACE(std::string(c.name) + (answer == box::answer_yes ? ", Yes" : ", No"));
            test::TestApp t;
            if (c.read_from) t.files.put(c.read_from, "JOB=old\r\n");
            if (c.unread) t.files.fail(test::FsOp::open_read, 1, sys_error::sharing_violation);
            t.app.Main();
            const std::size_t warned = t.boxes.shown.size();
            t.form().Combo1().choose(3);
            t.form().Text5().set_text(u"mine");
            if (c.written && c.now) t.files.put(c.written, c.now);
            if (c.written && !c.now) t.files.entries.erase(t.files.in_folder(c.written));
            t.boxes.answers = {box::answer_yes, answer};
            const bool closed = t.form().request_close(CloseReason::user);
            const bool asked = !c.question.empty();
            ASSERT_EQ(t.boxes.shown.size(), warned + (asked ? 2u : 1u));
            const bool saved = !asked || answer == box::answer_yes;
            EXPECT_EQ(closed, saved);
            EXPECT_EQ(t.files.has(txt) && t.files.bytes(txt).starts_with("JOB=mine\r\n"), saved);
            if (!saved) {
                EXPECT_EQ(t.files.bytes(c.written), c.now);
            }
            if (asked) {
                EXPECT_EQ(t.boxes.shown.back().text, c.question);
                EXPECT_EQ(t.boxes.shown.back().style, box::yes_no | box::icon_warning | box::default_second);
            }
        }
    }
}

// The file a save wrote is the editor's own: a window kept open after the session's end was called off
// asks no question for it at the next Yes.
TEST_F(ClosePrompt, AfterASaveTheNextYesAsksNothingMore) {
    form().Text5().set_text(u"first");
    t.boxes.answers = {box::answer_yes};
    EXPECT_TRUE(form().request_close(CloseReason::session_end));
    form().Text5().set_text(u"second");
    t.boxes.answers = {box::answer_yes};
    EXPECT_TRUE(form().request_close(CloseReason::user));
    EXPECT_EQ(t.boxes.shown.size(), 2u);
    EXPECT_TRUE(t.files.bytes(u"SETTINGS.TXT").starts_with("JOB=second\r\n"));
}

// While one of the close's boxes is open, a further close request or the session's end shows no second
// box and is refused; the end's reason stays set until the last box has closed.
TEST_F(ClosePrompt, OneQuestionAtATime) {
    t.files.put(u"SETTINGS.TXT", "JOB=written elsewhere\r\n");
    std::vector<bool> nested;
    t.boxes.while_open = [&] {
        nested.push_back(form().request_close(CloseReason::session_end));
        nested.push_back(form().request_close(CloseReason::user));
    };
    t.boxes.answers = {box::answer_yes, box::answer_no};  // save? then: replace the other program's?
    EXPECT_FALSE(form().request_close(CloseReason::user));
    EXPECT_EQ(t.boxes.shown.size(), 2u);
    EXPECT_EQ(nested, std::vector<bool>(4, false));
    ASSERT_EQ(t.show.reasons.size(), 2u);
    EXPECT_EQ(t.show.reasons[0], u"Save the settings before you exit?");
    EXPECT_EQ(t.show.reasons[1], u"");
    t.boxes.while_open = nullptr;
    t.boxes.answers = {box::answer_no};
    EXPECT_TRUE(form().request_close(CloseReason::user));  // asked again, once the boxes are gone
}

TEST_F(ClosePrompt, NoClosesWithoutWriting) {
    form().Text5().set_text(u"new");
    t.boxes.answers = {box::answer_no};
    EXPECT_TRUE(form().request_close(CloseReason::user));
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), "JOB=old\r\n");
    EXPECT_EQ(t.files.calls(test::FsOp::create), 0);
}

TEST_F(ClosePrompt, YesWritesEverySettingAndCloses) {
    form().Text5().set_text(u"new");
    form().pressure_channel(3).set_value(0);
    t.boxes.answers = {box::answer_yes};
    EXPECT_TRUE(form().request_close(CloseReason::user));
    const std::string saved = t.files.bytes(u"SETTINGS.TXT");
    EXPECT_EQ(saved.substr(0, 9), "JOB=new\r\n");
    EXPECT_NE(saved.find("ENABLE_CH3=0\r\nHIGH_ALARM3=0\r\nLOW_ALARM3=0\r\n"), std::string::npos);
    EXPECT_EQ(t.boxes.shown.size(), 1u);
}

TEST_F(ClosePrompt, AFailedSaveSaysSoAndKeepsTheWindowOpen) {
    t.files.entries[t.files.in_folder(u"SETTINGS.TXT")].read_only = true;
    form().Combo1().choose(2);
    form().Text5().set_text(u"new");
    t.boxes.answers = {box::answer_yes, box::answer_ok};
    EXPECT_FALSE(form().request_close(CloseReason::user));
    ASSERT_EQ(t.boxes.shown.size(), 2u);
    const auto& error = t.boxes.shown[1];
    EXPECT_EQ(error.title, u"Verlassen settings editor");
    // The language's text, the file whose step failed, the system's message.
    EXPECT_EQ(
        error.text,
        u"Die Einstellungen konnten nicht gespeichert werden.\n\nC:\\CARD\\SETTINGS.TXT\nAccess is denied.");
    EXPECT_EQ(error.style, box::icon_error);
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), "JOB=old\r\n");

    // The user can still leave without saving.
    t.boxes.answers = {box::answer_no};
    EXPECT_TRUE(form().request_close(CloseReason::user));
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), "JOB=old\r\n");
}

TEST_F(ClosePrompt, ABoxThatCannotBeShownKeepsTheWindowOpenAndSavesNothing) {
    form().Text5().set_text(u"new");
    t.boxes.answers = {0};  // MessageBoxW's answer when it fails
    EXPECT_FALSE(form().request_close(CloseReason::user));
    EXPECT_FALSE(form().unloaded());
    EXPECT_EQ(t.files.calls(test::FsOp::create), 0);
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), "JOB=old\r\n");
}

TEST(FailureTexts, ExistInEveryLanguageAndFallBackToEnglish) {
    std::set<std::u16string_view> distinct;
    for (int language = 0; language < 7; ++language) {
        distinct.insert(save_failed_text(language));
        distinct.insert(read_failed_text(language));
        distinct.insert(values_skipped_text(language));
        distinct.insert(window_failed_text(language));
    }
    EXPECT_EQ(distinct.size(), 28u);
    EXPECT_EQ(window_failed_text(-1), u"The settings editor could not open its window.");
    EXPECT_EQ(window_failed_text(4), u"Edytor ustawien nie mogl otworzyc okna.");
    EXPECT_EQ(
        values_skipped_text(5),
        u"Questi valori del file delle impostazioni non sono utilizzabili. Il salvataggio all'uscita li "
        u"sostituisce con i valori mostrati:");
    EXPECT_EQ(save_failed_text(-1), u"The settings could not be saved.");
    EXPECT_EQ(read_failed_text(-1), read_failed_text(0));
    EXPECT_EQ(save_failed_text(6), u"No se pudo guardar la configuración.");
}

// A path in a box is held to a few lines, keeping its start and its file's name, and never halving a
// character: a folder deep in a long-path tree makes no box taller than the screen.
TEST(FailureTexts, ALongPathIsShortenedInItsMiddle) {
    const std::u16string folder =
        u"C:\\" + std::u16string(60, u'd') + u"\U0001F600" + std::u16string(400, u'e');
    const std::u16string file = folder + u"\\SETTINGS.NEW";
    test::TestApp t;
    t.files = test::MemoryFileSystem(folder);
    t.app.Main();
    t.files.fail(test::FsOp::create, 1, sys_error::write_protect);
    t.boxes.answers = {box::answer_yes};
    EXPECT_FALSE(t.form().request_close(CloseReason::user));
    const std::u16string shown = file.substr(0, 63) + u"\u2026" + file.substr(file.size() - 191);
    EXPECT_NE(t.boxes.shown.back().text.find(u"\n\n" + shown + u"\n"), std::u16string::npos);
    EXPECT_EQ(shown_path(u"E:\\SETTINGS.TXT"), u"E:\\SETTINGS.TXT");
}

TEST(StartupWarning, ComesForAnUnreadableFileInTheSelectedLanguageBeforeTheWindowShows) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", "LANGUAGE=1\r\nJOB=x\r\n");
    t.files.read_chunk = 12;
    t.files.fail(test::FsOp::read, 2, sys_error::not_ready);
    t.app.Main();
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(t.boxes.shown[0].title, u"Pelmora™ PM (V2.00)");
    EXPECT_EQ(
        t.boxes.shown[0].text,
        u"Le fichier de paramètres n'a pas pu être lu entièrement. L'enregistrement en quittant le remplace "
        u"par les valeurs affichées.\n\nC:\\CARD\\SETTINGS.TXT\nThe device is not ready.");
    EXPECT_EQ(t.boxes.shown[0].style, box::icon_warning);
    EXPECT_EQ(t.show.count, 1);

    test::TestApp missing;
    missing.app.Main();
    EXPECT_TRUE(missing.boxes.shown.empty());
    test::TestApp fine;
    fine.files.put(u"SETTINGS.TXT", test::example_settings);
    fine.app.Main();
    EXPECT_TRUE(fine.boxes.shown.empty());
}

// Values that the reader had to skip are listed in one warning before the window shows.
TEST(StartupWarning, ListsTheLinesWhoseValuesWereSkipped) {
    const struct {
        const char* name;
        std::string file;
        std::u16string text;  // empty: no warning at all
    } cases[] = {
        {"a threshold with a unit, a language past the table, an exponent",
         "JOB=x\r\nHIGH_ALARM1=60 Pa\r\nLANGUAGE=7\r\n\r\nlow_alarm2=1e2\r\n",
         u"These values in the settings file could not be used. Saving on exit replaces them with the values "
         u"shown:\n\nline 2: HIGH_ALARM1=60 Pa\nline 3: LANGUAGE=7\nline 5: low_alarm2=1e2"},
        {"in the language the file selects, also when it comes later", "HIGH_ALARM1=100\r\nLANGUAGE=2\r\n",
         u"Diese Werte der Einstellungsdatei konnten nicht verwendet werden. Speichern beim Verlassen "
         u"ersetzt "
         u"sie durch die angezeigten Werte:\n\nZeile 1: HIGH_ALARM1=100"},
        {"a long line is cut to 60 characters", "GSM1=1\r\nENABLE_CH1=" + std::string(70, '7') + "\r\n",
         u"These values in the settings file could not be used. Saving on exit replaces them with the values "
         u"shown:\n\nline 2: ENABLE_CH1=" +
             std::u16string(49, u'7') + u"\u2026"},
        {"empty values, blank lines and a doubled mark's U+FEFF warn of nothing",
         "\xEF\xBB\xBFJOB=\r\nHIGH_ALARM1=\r\n\r\n \t\r\n\xEF\xBB\xBFLANGUAGE=-1\r\n", u""},
        {"lines that set nothing are listed after the skipped values, in the file's language",
         "HIGH_ALARM1 = 50\r\nLANGUAGE=3\r\nJOB = Site 7\r\nFOO=bar\r\n\xA0GSM1=1\r\nLOW_ALARM1=x\r\n",
         u"Deze waarden in het instellingenbestand konden niet worden gebruikt. Opslaan bij afsluiten "
         u"vervangt ze door de getoonde waarden:\n\nregel 6: LOW_ALARM1=x\n\nDeze regels zijn geen "
         u"instellingen die de editor kent. Opslaan bij afsluiten laat ze weg:\n\nregel 1: HIGH_ALARM1 = "
         u"50\nregel 3: JOB = Site 7\nregel 4: FOO=bar\nregel 5: \u00A0GSM1=1"},
        {"control and bidirectional characters are shown as escapes, a NUL hides nothing after it",
         std::string("\xEF\xBB\xBF"
                     "FOO=\x1B[2J\r\nHIGH_ALARM1=7\x00\r\nX\r\nBAR\xE2\x80\xAE=1\r\n",
                     42),
         u"These values in the settings file could not be used. Saving on exit replaces them with the values "
         u"shown:\n\nline 2: HIGH_ALARM1=7\\x00\n\nThese lines are no setting this editor knows. Saving on "
         u"exit leaves them out:\n\nline 1: FOO=\\x1B[2J\nline 3: X\nline 4: BAR\\u202E=1"},
        {"what shows nothing or turns the line around is an escape, however it is encoded",
         "\xEF\xBB\xBFHIGH_ALARM1=1\xE2\x80\xA8"
         "2\r\nA\xE2\x80\x8B"
         "B\xEF\xBB\xBF"
         "C\xEF\xBF\xB9"
         "D\xCD\x8F"
         "E1\xD8\x9C"
         "7\xF3\xA0\x80\x81\xC2\xAD\r\nBOGUS\xE2\x80\xA8line 99: HIGH_ALARM1=50 is fine\r\n",
         u"These values in the settings file could not be used. Saving on exit replaces them with the values "
         u"shown:\n\nline 1: HIGH_ALARM1=1\\u20282\n\nThese lines are no setting this editor knows. Saving "
         u"on "
         u"exit leaves them out:\n\nline 2: A\\u200BB\\uFEFFC\\uFFF9D\\u034FE1\\u061C7\\uE0001\\xAD\nline 3: "
         u"BOGUS\\u2028line 99: HIGH_ALARM1=50 is fine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestApp t;
        t.files.put(u"SETTINGS.TXT", c.file);
        t.app.Main();
        EXPECT_EQ(t.show.count, 1);
        if (c.text.empty()) {
            EXPECT_TRUE(t.boxes.shown.empty());
            continue;
        }
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].text, c.text);
        EXPECT_EQ(t.boxes.shown[0].style, box::icon_warning);
    }
}

// A box shows a text up to a NUL: the value ends there (an empty one clears nothing), its line is listed,
// and Yes writes what the window shows.
TEST(StartupWarning, ANulEndsATextValue) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", std::string("GSM1=9\r\nJOB=ab\0cd\r\nGSM1=12\0"
                                             "34\r\nGSM1=\0x\r\n",
                                             40));
    t.app.Main();
    EXPECT_EQ(t.form().Text5().text(), u"ab");
    EXPECT_EQ(t.form().Text1(1).text(), u"12");
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_TRUE(t.boxes.shown[0].text.ends_with(
        u"\n\nline 2: JOB=ab\\x00cd\nline 3: GSM1=12\\x0034\nline 4: GSM1=\\x00x"));
    t.boxes.answers = {box::answer_yes};
    ASSERT_TRUE(t.form().request_close(CloseReason::user));
    EXPECT_TRUE(t.files.bytes(u"SETTINGS.TXT").starts_with("JOB=ab\r\n"));
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT").find('\0'), std::string::npos);
}

TEST(StartupWarning, ListsTenLinesAtMostAndJoinsAnUnreadableFileInOneBox) {
    test::TestApp t;
    std::string file;
    for (int i = 1; i <= 12; ++i)
        file += "HIGH_ALARM1=1" + std::to_string(i) + "0\r\n";  // 110..1120: all out of range
    file += "GSM1=5\r\n";
    t.files.put(u"SETTINGS.TXT", file);
    t.files.read_chunk = 250;  // everything but the last line before the read fails
    t.files.fail(test::FsOp::read, 2, sys_error::device_removed);
    const LoadOutcome outcome = t.app.Main();
    EXPECT_EQ(outcome.skipped.count, 12u);
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    const std::u16string& text = t.boxes.shown[0].text;
    EXPECT_EQ(text.find(read_failed_text(0)), 0u);
    EXPECT_NE(text.find(u"\n\nC:\\CARD\\SETTINGS.TXT\n" + t.files.describe(sys_error::device_removed) +
                        u"\n\n" + std::u16string(values_skipped_text(0)) + u"\n\nline 1: HIGH_ALARM1=110\n"),
              std::u16string::npos);
    EXPECT_EQ(text.substr(text.size() - 39), u"\nline 10: HIGH_ALARM1=1100\n\u2026 and 2 more");
    EXPECT_EQ(text.find(u"line 11"), std::u16string::npos);
    EXPECT_EQ(t.form().high_pressure_scroll(1).value(), 0);  // the control kept its value
}

struct LaunchCase {
    const char* name;
    std::u16string folder;
    enum Data { no_data, data_folder, data_file, hidden_folder, system_folder } data;
    std::u16string opened;
};

void PrintTo(const LaunchCase& c, std::ostream* os) {
    *os << c.name;
}

class DataButton : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(DataButton, OpensTheDataFolderOrTheProgramFolder) {
    const LaunchCase& c = GetParam();
    test::TestApp t;
    t.files = test::MemoryFileSystem(c.folder);
    if (c.data != LaunchCase::no_data) {
        auto& entry = t.files.entries[t.files.in_folder(u"DATA")];
        entry.directory = c.data != LaunchCase::data_file;
        entry.hidden = c.data == LaunchCase::hidden_folder;
        entry.system = c.data == LaunchCase::system_folder;
    }
    t.app.Main();
    t.form().Command1().press();
    ASSERT_EQ(t.programs.started.size(), 1u);
    EXPECT_EQ(t.programs.started[0].first, u"C:\\Windows\\explorer.exe");
    EXPECT_EQ(t.programs.started[0].second, u"\"C:\\Windows\\explorer.exe\" \"" + c.opened + u"\"");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DataButton,
    ::testing::Values(LaunchCase{"Folder", u"C:\\PM", LaunchCase::data_folder, u"C:\\PM\\DATA"},
                      LaunchCase{"Blanks", u"C:\\My Card\\PM 2", LaunchCase::data_folder,
                                 u"C:\\My Card\\PM 2\\DATA"},
                      LaunchCase{"DriveRoot", u"E:\\", LaunchCase::data_folder, u"E:\\DATA"},
                      LaunchCase{"NoData", u"C:\\PM", LaunchCase::no_data, u"C:\\PM"},
                      LaunchCase{"FileNamedData", u"C:\\PM", LaunchCase::data_file, u"C:\\PM"},
                      LaunchCase{"HiddenData", u"E:\\", LaunchCase::hidden_folder, u"E:\\"},
                      LaunchCase{"SystemData", u"C:\\PM", LaunchCase::system_folder, u"C:\\PM"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(WebButton, OpensTheProductsPageOnEveryPress) {
    test::TestApp t;
    t.app.Main();
    t.form().Command2().press();
    t.form().Command2().press();
    EXPECT_EQ(t.shell.opened, (std::vector<std::u16string>{u"https://www.pelmora.com/products",
                                                           u"https://www.pelmora.com/products"}));
    EXPECT_TRUE(t.programs.started.empty());
}

}  // namespace
}  // namespace pm
