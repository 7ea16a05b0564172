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
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveFaults : public ::testing::TestWithParam<FaultCase> {};

// Whatever step fails, the old file stays byte for byte, SETTINGS.NEW is gone and the error is reported.
TEST_P(SaveFaults, LeaveTheOldFileAsItWas) {
    const FaultCase& c = GetParam();
    for (SysError error :
         {sys_error::disk_full, sys_error::write_protect, sys_error::not_ready, sys_error::device_removed,
          sys_error::access_denied, sys_error::sharing_violation}) {
        test::TestApp t;
        t.files.put(u"SETTINGS.TXT", old_file);
        t.app.Main();
        t.form().Text5().set_text(u"new");
        t.files.fail(c.op, c.nth, error);

        const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
        EXPECT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.failed_step, c.step);
        if (c.op != FsOp::short_write) {
            EXPECT_EQ(outcome.error, error);
        }
        EXPECT_NE(outcome.error, sys_error::ok);
        EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), old_file);
        EXPECT_FALSE(t.files.has(u"SETTINGS.NEW"));
        EXPECT_FALSE(outcome.new_file_left);
        EXPECT_EQ(t.files.open_files, 0);
    }
}

// The same failures met by a user closing the window with Yes: the failure is shown and the window stays.
TEST_P(SaveFaults, ReachTheUserAndKeepTheWindowOpen) {
    const FaultCase& c = GetParam();
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", old_file);
    t.app.Main();
    t.files.fail(c.op, c.nth, sys_error::device_removed);
    t.boxes.answers = {box::answer_yes, box::answer_ok};
    EXPECT_FALSE(t.form().request_close(CloseReason::user));
    ASSERT_EQ(t.boxes.shown.size(), 2u);
    EXPECT_EQ(t.boxes.shown[1].style, box::icon_error);
    const std::u16string expected_reason = c.op == FsOp::short_write
                                               ? t.files.describe(sys_error::handle_disk_full)
                                               : t.files.describe(sys_error::device_removed);
    EXPECT_NE(t.boxes.shown[1].text.find(expected_reason), std::u16string::npos);
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), old_file);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveFaults,
                         ::testing::Values(FaultCase{"Check", FsOp::query, 1, Step::check},
                                           FaultCase{"Create", FsOp::create, 1, Step::create},
                                           FaultCase{"FirstWrite", FsOp::write, 1, Step::write},
                                           FaultCase{"NinthWrite", FsOp::write, 9, Step::write},
                                           FaultCase{"LastWrite", FsOp::write, 17, Step::write},
                                           FaultCase{"ShortWrite", FsOp::short_write, 5, Step::write},
                                           FaultCase{"Flush", FsOp::flush, 1, Step::flush},
                                           FaultCase{"Close", FsOp::close, 1, Step::close},
                                           FaultCase{"Rename", FsOp::rename, 1, Step::rename}),
                         [](const auto& p) { return std::string(p.param.name); });

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
    t.files.put(u"SETTINGS.NEW", "half a file");
    t.app.Main();
    EXPECT_TRUE(save_settings(t.form(), t.files, t.text).ok());
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT").size(), 211u);
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

TEST(Save, RefusesAReadOnlyFileOrAFolder) {
    for (bool folder : {false, true}) {
        test::TestApp t;
        t.files.put(u"SETTINGS.TXT", old_file);
        auto& entry = t.files.entries[t.files.in_folder(u"SETTINGS.TXT")];
        entry.read_only = !folder;
        entry.directory = folder;
        t.app.Main();
        const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
        EXPECT_EQ(outcome.failed_step, Step::check);
        EXPECT_EQ(outcome.error, sys_error::access_denied);
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
