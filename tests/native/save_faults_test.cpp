#include <gtest/gtest.h>

#include <string>

#include "doubles/test_app.h"
#include "settings/settings_file.h"

namespace pm {
namespace {

using test::FsOp;
using Step = SaveOutcome::Step;

const std::string old_file = "JOB=old\r\nHIGH_ALARM1=10\r\n";

struct FaultCase {
    const char* name;
    FsOp op;
    int nth;
    Step step;
    bool names_new_file;  // the error names SETTINGS.NEW, else SETTINGS.TXT
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

// The settings the folder holds before a save: in SETTINGS.TXT, or only in the SETTINGS.NEW that a save
// cut off before its rename left behind (which the start-up reads instead).
enum class Start { with_settings_file, with_new_file_only };

class SaveFaults : public ::testing::TestWithParam<std::tuple<FaultCase, Start>> {
  protected:
    const FaultCase& fault() const { return std::get<0>(GetParam()); }
    bool new_only() const { return std::get<1>(GetParam()) == Start::with_new_file_only; }

    void start(test::TestApp& t) const {
        t.files.put(new_only() ? u"SETTINGS.NEW" : u"SETTINGS.TXT", old_file);
        t.app.Main();
        ASSERT_EQ(t.form().Text5().text(), u"old");
        t.form().Text5().set_text(u"new");
    }
    // SETTINGS.TXT holds the old settings and no SETTINGS.NEW is left; or, when the save failed before it
    // could rename SETTINGS.NEW into place, that file still holds them.
    ::testing::AssertionResult settings_whole(const test::TestApp& t) const {
        // After the rename SETTINGS.TXT holds the new settings; only their way to the medium failed.
        if (fault().op == FsOp::flush_path) {
            if (t.files.has(u"SETTINGS.NEW")) return ::testing::AssertionFailure() << "NEW left behind";
            return t.files.bytes(u"SETTINGS.TXT").starts_with("JOB=new\r\n")
                       ? ::testing::AssertionSuccess()
                       : ::testing::AssertionFailure() << "TXT lacks the new settings";
        }
        return old_settings_whole(t);
    }
    static ::testing::AssertionResult old_settings_whole(const test::TestApp& t) {
        if (t.files.has(u"SETTINGS.TXT")) {
            if (t.files.bytes(u"SETTINGS.TXT") != old_file)
                return ::testing::AssertionFailure() << "TXT changed";
            if (t.files.has(u"SETTINGS.NEW")) return ::testing::AssertionFailure() << "NEW left behind";
            return ::testing::AssertionSuccess();
        }
        if (t.files.has(u"SETTINGS.NEW") && t.files.bytes(u"SETTINGS.NEW") == old_file)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no file holds the old settings";
    }
    // Starting a save without SETTINGS.TXT renames SETTINGS.NEW into place first: one more rename.
    int nth() const { return fault().op == FsOp::rename && new_only() ? fault().nth + 1 : fault().nth; }
};

// Whatever step fails, the old settings stay byte for byte (in SETTINGS.TXT, once a SETTINGS.NEW that
// held them has been renamed into place), no half-written file is left, and the error is reported.
TEST_P(SaveFaults, LeaveTheOldSettingsAsTheyWere) {
    for (SysError error :
         {sys_error::disk_full, sys_error::write_protect, sys_error::not_ready, sys_error::device_removed,
          sys_error::access_denied, sys_error::sharing_violation}) {
        test::TestApp t;
        start(t);
        t.files.fail(fault().op, nth(), error);

        const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
        EXPECT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.failed_step, fault().step);
        if (fault().op != FsOp::short_write) {
            EXPECT_EQ(outcome.error, error);
        }
        EXPECT_NE(outcome.error, sys_error::ok);
        EXPECT_EQ(outcome.path,
                  fault().names_new_file ? u"C:\\CARD\\SETTINGS.NEW" : u"C:\\CARD\\SETTINGS.TXT");
        EXPECT_TRUE(settings_whole(t));
        // Only a failure before the first change leaves the settings in SETTINGS.NEW.
        EXPECT_EQ(t.files.has(u"SETTINGS.TXT"), !new_only() || fault().op != FsOp::query);
        EXPECT_FALSE(outcome.new_file_left);
        EXPECT_EQ(t.files.open_files, 0);
    }
}

// The same failures met by a user closing the window with Yes: the failure is shown and the window stays.
TEST_P(SaveFaults, ReachTheUserAndKeepTheWindowOpen) {
    test::TestApp t;
    start(t);
    // Before saving, the close reads the file once to see whether another program wrote it since.
    const int before = t.files.calls(fault().op);
    mark_settings(t.files);
    t.files.fail(fault().op, nth() + t.files.calls(fault().op) - before, sys_error::device_removed);
    t.boxes.answers = {box::answer_yes, box::answer_ok};
    EXPECT_FALSE(t.form().request_close(CloseReason::user));
    ASSERT_EQ(t.boxes.shown.size(), 2u);
    EXPECT_EQ(t.boxes.shown[1].style, box::icon_error);
    const std::u16string expected_reason = fault().op == FsOp::short_write
                                               ? t.files.describe(sys_error::handle_disk_full)
                                               : t.files.describe(sys_error::device_removed);
    EXPECT_NE(t.boxes.shown[1].text.find(expected_reason), std::u16string::npos);
    EXPECT_TRUE(settings_whole(t));
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, SaveFaults,
    ::testing::Combine(::testing::Values(FaultCase{"Check", FsOp::query, 1, Step::check, false},
                                         FaultCase{"Create", FsOp::create, 1, Step::create, true},
                                         FaultCase{"FirstWrite", FsOp::write, 1, Step::write, true},
                                         FaultCase{"NinthWrite", FsOp::write, 9, Step::write, true},
                                         FaultCase{"LastWrite", FsOp::write, 17, Step::write, true},
                                         FaultCase{"ShortWrite", FsOp::short_write, 5, Step::write, true},
                                         FaultCase{"Flush", FsOp::flush, 1, Step::flush, true},
                                         FaultCase{"Close", FsOp::close, 1, Step::close, true},
                                         FaultCase{"Rename", FsOp::rename, 1, Step::rename, false},
                                         FaultCase{"Settle", FsOp::flush_path, 1, Step::settle, false}),
                       ::testing::Values(Start::with_settings_file, Start::with_new_file_only)),
    [](const auto& p) {
        return std::string(std::get<0>(p.param).name) +
               (std::get<1>(p.param) == Start::with_new_file_only ? "WithNewFileOnly" : "");
    });

// With only SETTINGS.NEW there, the first step renames it into place; when that fails, it is still there.
TEST(Save, ANewFileThatCannotBeRenamedIntoPlaceIsKept) {
    for (SysError error :
         {sys_error::sharing_violation, sys_error::device_removed, sys_error::access_denied}) {
        test::TestApp t;
        t.files.put(u"SETTINGS.NEW", old_file);
        t.app.Main();
        t.files.fail(FsOp::rename, 1, error);
        const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
        EXPECT_EQ(outcome.failed_step, Step::recover);
        EXPECT_EQ(outcome.error, error);
        EXPECT_EQ(outcome.path, u"C:\\CARD\\SETTINGS.NEW");
        EXPECT_EQ(t.files.bytes(u"SETTINGS.NEW"), old_file);
        EXPECT_FALSE(t.files.has(u"SETTINGS.TXT"));
        EXPECT_EQ(t.files.calls(FsOp::create), 0);
    }
}

TEST(Save, ReplacesTheFileAndCarriesItsAttributesOver) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", old_file);
    auto& entry = t.files.entries[t.files.in_folder(u"SETTINGS.TXT")];
    entry.hidden = true;
    entry.system = true;
    entry.archive = false;
    t.app.Main();
    ASSERT_TRUE(save_settings(t.form(), t.files, t.text).ok());
    const auto& saved = t.files.entries.at(t.files.in_folder(u"SETTINGS.TXT"));
    EXPECT_EQ(saved.bytes.substr(0, 9), "JOB=old\r\n");
    EXPECT_TRUE(saved.hidden);
    EXPECT_TRUE(saved.system);
    EXPECT_FALSE(saved.archive);
    EXPECT_FALSE(t.files.has(u"SETTINGS.NEW"));
}

TEST(Save, ClearsAStaleNewFileFirst) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", old_file);
    t.files.put(u"SETTINGS.NEW", "half a file");
    t.app.Main();
    EXPECT_TRUE(save_settings(t.form(), t.files, t.text).ok());
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT").substr(0, 9), "JOB=old\r\n");
    EXPECT_FALSE(t.files.has(u"SETTINGS.NEW"));

    test::TestApp stuck;
    stuck.files.put(u"SETTINGS.TXT", old_file);
    stuck.files.put(u"SETTINGS.NEW", "half");
    stuck.files.fail(FsOp::remove, 1, sys_error::access_denied);
    stuck.app.Main();
    const SaveOutcome outcome = save_settings(stuck.form(), stuck.files, stuck.text);
    EXPECT_EQ(outcome.failed_step, Step::remove_stale);
    EXPECT_TRUE(outcome.new_file_left);
    EXPECT_EQ(stuck.files.bytes(u"SETTINGS.TXT"), old_file);
}

// A read-only file or a folder in the way: refused before anything changes, naming the one to fix.
TEST(Save, RefusesAReadOnlyFileOrAFolderAndNamesIt) {
    const struct {
        const char* name;
        std::u16string blocked;
        bool folder;
        Step step;
    } cases[] = {
        {"read-only SETTINGS.TXT", u"SETTINGS.TXT", false, Step::check},
        {"folder SETTINGS.TXT", u"SETTINGS.TXT", true, Step::check},
        {"read-only SETTINGS.NEW", u"SETTINGS.NEW", false, Step::remove_stale},
        {"folder SETTINGS.NEW", u"SETTINGS.NEW", true, Step::check},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestApp t;
        t.files.put(u"SETTINGS.TXT", old_file);
        auto& entry = t.files.entries[t.files.in_folder(c.blocked)];
        entry.read_only = !c.folder;
        entry.directory = c.folder;
        t.app.Main();
        const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
        EXPECT_EQ(outcome.failed_step, c.step);
        EXPECT_EQ(outcome.error, sys_error::access_denied);
        EXPECT_EQ(outcome.path, t.files.in_folder(c.blocked));
        EXPECT_EQ(t.files.calls(FsOp::create), 0);
        EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), old_file);
    }
}

TEST(Save, SaysSoWhenTheNewFileCannotBeDeletedAfterAFailure) {
    test::TestApp t;
    t.app.Main();
    t.files.fail(FsOp::rename, 1, sys_error::not_ready);
    t.files.fail(FsOp::remove, 1, sys_error::not_ready);
    const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
    EXPECT_EQ(outcome.failed_step, Step::rename);
    EXPECT_TRUE(outcome.new_file_left);
    EXPECT_FALSE(t.files.has(u"SETTINGS.TXT"));
}

// Every step of a read failing, with every kind of failure: what was read before stays, the file is
// left as it was and closed, and the start-up reports it (a failing close after the last byte does not
// matter: everything was read).
TEST(ReadFaults, AreReportedAndKeepWhatWasReadBefore) {
    const struct {
        const char* name;
        FsOp op;
        int nth;
        bool reported;
    } steps[] = {{"check", FsOp::query, 1, true},     {"open", FsOp::open_read, 1, true},
                 {"first read", FsOp::read, 1, true}, {"later read", FsOp::read, 3, true},
                 {"last read", FsOp::read, 7, true},  {"close", FsOp::close, 1, false}};
    for (const auto& step : steps) {
        for (SysError error :
             {sys_error::disk_full, sys_error::not_ready, sys_error::device_removed, sys_error::access_denied,
              sys_error::sharing_violation, sys_error::read_fault}) {
            SCOPED_TRACE(std::string(step.name) + " fails with " + std::to_string(error));
            test::TestApp t;
            t.files.put(u"SETTINGS.TXT", test::example_settings);
            t.files.read_chunk = 40;  // 254 bytes: seven reads, the last one finding the end
            t.files.fail(step.op, step.nth, error);
            const LoadOutcome outcome = t.app.Main();
            EXPECT_EQ(outcome.status == LoadOutcome::Status::unreadable, step.reported);
            EXPECT_EQ(t.boxes.shown.size(), step.reported ? 1u : 0u);
            if (step.reported) {
                EXPECT_EQ(outcome.error, error);
                EXPECT_NE(t.boxes.shown[0].text.find(t.files.describe(error)), std::u16string::npos);
            }
            if (step.op == FsOp::read && step.nth == 3) {
                EXPECT_EQ(t.form().Text5().text(), u"Site 4 compressor");  // the first 80 bytes were applied
                EXPECT_EQ(t.form().Text1(1).text(), u"");
            }
            EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), test::example_settings);
            EXPECT_EQ(t.files.open_files, 0);
            EXPECT_EQ(t.show.count, 1);
        }
    }
}

}  // namespace
}  // namespace pm
