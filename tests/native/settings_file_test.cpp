#include <gtest/gtest.h>

#include <string>

#include "doubles/test_app.h"
#include "doubles/window_state.h"
#include "settings/settings_file.h"

namespace pm {
namespace {

using test::example_settings;
using test::FsOp;

// A started program: language list filled, English selected, then SETTINGS.TXT read.
struct SettingsTest : ::testing::Test {
    test::TestApp t;

    LoadOutcome start_with(const std::string& file) {
        t.files.put(u"SETTINGS.TXT", file);
        return t.app.Main();
    }
    Form1& form() { return t.form(); }
    std::string saved() {
        EXPECT_TRUE(save_settings(form(), t.files, t.text).ok());
        return t.files.bytes(u"SETTINGS.TXT");
    }
};

TEST(SettingsPath, JoinsWithExactlyOneSeparator) {
    EXPECT_EQ(settings_path(u"E:\\"), u"E:\\SETTINGS.TXT");
    EXPECT_EQ(settings_path(u"C:\\Tools\\PM"), u"C:\\Tools\\PM\\SETTINGS.TXT");
    EXPECT_EQ(settings_new_path(u"E:\\"), u"E:\\SETTINGS.NEW");
    EXPECT_EQ(path_in_folder(u"\\\\server\\share\\pm", u"DATA"), u"\\\\server\\share\\pm\\DATA");
}

TEST(ValueAfterKey, TakesTheTextAfterAKeyThatBeginsTheLine) {
    Cp1252Text text;
    struct Case {
        std::u16string line, key, value;
    } cases[] = {
        {u"JOB=Site A", u"JOB=", u"Site A"},
        {u"job=Site A", u"JOB=", u"Site A"},
        {u" JOB=Site A", u"JOB=", u"Site A"},  // blanks before the key are skipped
        {u"\t JOB=x=y ", u"JOB=", u"x=y "},
        {u"JOB=", u"JOB=", u""},
        {u"xJOB=Site", u"JOB=", u""},  // a key further into the line counts for nothing
        {u"JOB=check HIGH_ALARM2= later", u"HIGH_ALARM2=", u""},
        {u"HIGH_ALARM1= 50 ", u"HIGH_ALARM1=", u" 50 "},
        {u"HIGH_ALARM1", u"HIGH_ALARM1=", u""},
        {u"", u"GSM1=", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(value_after_key(text, c.line, c.key), c.value) << std::string(c.line.begin(), c.line.end());
    }
}

TEST_F(SettingsTest, TheExampleFileGivesBackTheSameWindowAndTheSameBytes) {
    const LoadOutcome outcome = start_with(example_settings);
    EXPECT_EQ(outcome.status, LoadOutcome::Status::read);
    const test::WindowState expected{.job = u"Site 4 compressor",
                                     .enabled = {1, 1, 0, 1},
                                     .high = {60, 45, 0, 99},
                                     .low = {20, 45, 0, 5},
                                     .sms = {u"0123456789", u"", u"+3100000000"},
                                     .language = 2};
    EXPECT_EQ(test::state_of(form()), expected);
    EXPECT_FALSE(form().channel_frame(3).enabled());

    const std::string bytes = saved();
    EXPECT_EQ(bytes.size(), 254u);
    EXPECT_EQ(bytes, example_settings);
}

TEST_F(SettingsTest, MissingAndEmptyFilesKeepTheDesignTimeValues) {
    EXPECT_EQ(t.app.Main().status, LoadOutcome::Status::missing);
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(form().pressure_channel(c).value(), 1);

    test::TestApp empty;
    empty.files.put(u"SETTINGS.TXT", "");
    EXPECT_EQ(empty.app.Main().status, LoadOutcome::Status::read);
    EXPECT_EQ(empty.form().high_pressure_scroll(1).value(), 0);
}

// Each case: a file, then what the window holds after reading it.
struct LineCase {
    const char* name;
    std::string file;
    std::function<void(Form1&)> check;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsLines : public SettingsTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SettingsLines, ApplyAsTheFileSays) {
    start_with(GetParam().file);
    GetParam().check(form());
}

INSTANTIATE_TEST_SUITE_P(
    Reading, SettingsLines,
    ::testing::Values(
        LineCase{"KeysInAnyCase", "job=Site A\r\nhigh_alarm1=7\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text5().text(), u"Site A");
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 7);
                 }},
        LineCase{"BlankBeforeTheKey", " JOB=Site A\r\n\t HIGH_ALARM1=50\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text5().text(), u"Site A");
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 50);
                 }},
        LineCase{"KeyInsideATextValueCountsForNothing", "JOB=check HIGH_ALARM2= later\r\nHIGH_ALARM3=33\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text5().text(), u"check HIGH_ALARM2= later");
                     EXPECT_EQ(f.high_pressure_scroll(2).value(), 0);
                     EXPECT_EQ(f.high_pressure_scroll(3).value(), 33);  // the lines after it are read
                 }},
        LineCase{"GsmKeyInsideTheJob", "JOB=call GSM1=123\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text5().text(), u"call GSM1=123");
                     EXPECT_EQ(f.Text1(1).text(), u"");
                 }},
        LineCase{"BadValuesAreSkippedAndReadingGoesOn",
                 "HIGH_ALARM1=100\r\nLOW_ALARM2=-1\r\nENABLE_CH3=3\r\nLANGUAGE=7\r\nHIGH_ALARM1=40000\r\n"
                 "HIGH_ALARM4=1e3\r\nHIGH_ALARM2= \r\nHIGH_ALARM3=abc\r\nGSM1=555\r\nHIGH_ALARM4=12\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 0);
                     EXPECT_EQ(f.low_pressure_scroll(2).value(), 0);
                     EXPECT_EQ(f.pressure_channel(3).value(), 1);
                     EXPECT_EQ(f.Combo1().list_index(), 0);
                     EXPECT_EQ(f.Text1(1).text(), u"555");
                     EXPECT_EQ(f.high_pressure_scroll(4).value(), 12);
                 }},
        LineCase{"BlanksAroundNumbersAndRounding",
                 "HIGH_ALARM1= 50 \r\nLOW_ALARM1=12.5\r\nHIGH_ALARM2=13.5\r\nHIGH_ALARM3=20.51\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 50);
                     EXPECT_EQ(f.low_pressure_scroll(1).value(), 12);
                     EXPECT_EQ(f.high_pressure_scroll(2).value(), 14);
                     EXPECT_EQ(f.high_pressure_scroll(3).value(), 21);
                 }},
        LineCase{"EmptyValuesClearNothingAndTheLaterLineWins",
                 "GSM2=first\r\nGSM2=\r\nJOB=a\r\nJOB=\r\nGSM3=x\r\nGSM3=y\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text1(2).text(), u"first");
                     EXPECT_EQ(f.Text5().text(), u"a");
                     EXPECT_EQ(f.Text1(3).text(), u"y");
                 }},
        LineCase{"TextValuesKeepTheirBlanksAndEquals", "JOB=Site A \r\nGSM1= =1\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text5().text(), u"Site A ");
                     EXPECT_EQ(f.Text1(1).text(), u" =1");
                 }},
        LineCase{"LineFeedsAloneEndLinesToo", "JOB=Site\nENABLE_CH1=0\nHIGH_ALARM1=9\rLOW_ALARM1=4",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text5().text(), u"Site");
                     EXPECT_EQ(f.pressure_channel(1).value(), 0);
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 9);
                     EXPECT_EQ(f.low_pressure_scroll(1).value(), 4);  // a last line without a line end
                 }},
        LineCase{"OtherLinesAndBlankLinesChangeNothing", "\r\n\r\n# note\r\nFOO=1\r\nGSM1=1\r\n\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Text1(1).text(), u"1");
                     EXPECT_EQ(f.Text5().text(), u"");
                 }},
        LineCase{"GreyedCheckBoxCountsAsEnabled", "ENABLE_CH2=0\r\nENABLE_CH2=2\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.pressure_channel(2).value(), 2);
                     EXPECT_TRUE(f.channel_frame(2).enabled());
                 }},
        LineCase{"HighThenLowEndsAtTheLow", "HIGH_ALARM1=20\r\nLOW_ALARM1=30\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 30);
                     EXPECT_EQ(f.low_pressure_scroll(1).value(), 30);
                 }},
        LineCase{"LowThenHighEndsAtTheHigh", "LOW_ALARM1=30\r\nHIGH_ALARM1=20\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.high_pressure_scroll(1).value(), 20);
                     EXPECT_EQ(f.low_pressure_scroll(1).value(), 20);
                 }},
        LineCase{"LanguageMinusOneIsAcceptedAndReadsEnglish", "LANGUAGE=-1\r\nGSM1=9\r\n",
                 [](Form1& f) {
                     EXPECT_EQ(f.Combo1().list_index(), -1);
                     EXPECT_EQ(f.Frame(0).caption(), u"Language");
                     EXPECT_EQ(f.high_pressure_frame(1).caption(), u"High pressure alarm (0Pa)");
                     EXPECT_EQ(f.Text1(1).text(), u"9");
                 }},
        LineCase{"SeventyCharacterJobIsKeptWhole", "JOB=" + std::string(70, 'j') + "\r\n",
                 [](Form1& f) { EXPECT_EQ(f.Text5().text(), std::u16string(70, u'j')); }},
        LineCase{"AnsiTextIsConverted", "JOB=Caf\xe9 \x80 \x99\r\n",
                 [](Form1& f) { EXPECT_EQ(f.Text5().text(), u"Café € ™"); }}),
    [](const ::testing::TestParamInfo<LineCase>& p) { return p.param.name; });

TEST_F(SettingsTest, EveryValueIsWrittenWhateverItsState) {
    start_with("");
    form().pressure_channel(3).set_value(0);
    form().high_pressure_scroll(3).set_value(70);
    form().Combo1().type_text(u"typed");
    form().Text5().set_text(u"line1\r\nGSM1=evil\nx");
    const std::string bytes = saved();
    EXPECT_EQ(bytes,
              "JOB=line1  GSM1=evil x\r\n"
              "ENABLE_CH1=1\r\nHIGH_ALARM1=0\r\nLOW_ALARM1=0\r\n"
              "ENABLE_CH2=1\r\nHIGH_ALARM2=0\r\nLOW_ALARM2=0\r\n"
              "ENABLE_CH3=0\r\nHIGH_ALARM3=70\r\nLOW_ALARM3=0\r\n"
              "ENABLE_CH4=1\r\nHIGH_ALARM4=0\r\nLOW_ALARM4=0\r\n"
              "GSM1=\r\nGSM2=\r\nGSM3=\r\nLANGUAGE=-1\r\n");
}

TEST_F(SettingsTest, WritingAndReadingBackRestoresTheWindow) {
    start_with(example_settings);
    form().Text5().set_text(u"Ünïcode ™ " + std::u16string(70, u'x'));
    form().Text1(2).set_text(u"+44 (0) 12");
    form().pressure_channel(4).set_value(2);
    form().Combo1().set_list_index(5);
    const std::string bytes = saved();

    test::TestApp again;
    again.files.put(u"SETTINGS.TXT", bytes);
    again.app.Main();
    EXPECT_EQ(test::state_of(again.form()), test::state_of(form()));
    EXPECT_EQ(save_settings(again.form(), again.files, again.text).ok(), true);
    EXPECT_EQ(again.files.bytes(u"SETTINGS.TXT"), bytes);
}

TEST_F(SettingsTest, UnreadableFilesAreReportedAndMissingOnesAreNot) {
    t.files.put(u"SETTINGS.TXT", example_settings);
    t.files.read_chunk = 40;
    t.files.fail(FsOp::read, 3, sys_error::device_removed);
    const LoadOutcome outcome = t.app.Main();
    EXPECT_EQ(outcome.status, LoadOutcome::Status::unreadable);
    EXPECT_EQ(outcome.error, sys_error::device_removed);
    EXPECT_EQ(form().Text5().text(), u"Site 4 compressor");  // what was read before the failure stays
    EXPECT_EQ(t.files.open_files, 0);

    test::TestApp locked;
    locked.files.put(u"SETTINGS.TXT", example_settings);
    locked.files.fail(FsOp::open_read, 1, sys_error::sharing_violation);
    EXPECT_EQ(locked.app.Main().error, sys_error::sharing_violation);

    test::TestApp folder;
    folder.files.entries[folder.files.in_folder(u"SETTINGS.TXT")].directory = true;
    EXPECT_EQ(folder.app.Main().status, LoadOutcome::Status::unreadable);
}

TEST_F(SettingsTest, ASaveCutOffBeforeItsRenameIsReadFromTheNewFile) {
    t.files.put(u"SETTINGS.NEW", example_settings);
    const LoadOutcome outcome = t.app.Main();
    EXPECT_EQ(outcome.status, LoadOutcome::Status::read);
    EXPECT_EQ(outcome.path, u"C:\\CARD\\SETTINGS.NEW");
    EXPECT_EQ(form().Combo1().list_index(), 2);
}

TEST_F(SettingsTest, LinesSplitAcrossReadsAreReadWhole) {
    t.files.read_chunk = 1;
    const LoadOutcome outcome = start_with(example_settings);
    EXPECT_EQ(outcome.status, LoadOutcome::Status::read);
    EXPECT_EQ(saved(), example_settings);
}

TEST(DriveRoot, ReadsAndWritesTheRootsOwnFile) {
    test::TestApp t;
    t.files = test::MemoryFileSystem(u"E:\\");
    t.files.put(u"SETTINGS.TXT", "GSM1=42\r\n");
    ASSERT_TRUE(t.files.entries.count(u"E:\\SETTINGS.TXT"));
    t.app.Main();
    EXPECT_EQ(t.form().Text1(1).text(), u"42");
    EXPECT_TRUE(save_settings(t.form(), t.files, t.text).ok());
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT").substr(0, 8), "JOB=\r\nEN");
}

}  // namespace
}  // namespace pm
