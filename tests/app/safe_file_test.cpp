#include "app/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>
#include <vector>

#include "app/save_message.h"
#include "app/text_table.h"
#include "tests/support/recording_voice.h"
#include "tests/support/scripted_save_calls.h"
#include "tests/support/temp_folder.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

TEST(SafeFile, SavesThroughAShortHiddenFileBesideTheTargetAndKeepsItsPermissions) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-file");
    struct Case {
        std::string name;
        mode_t oldMode;  // 0: no old file
        mode_t expectedMode;
    } cases[] = {
        {"PRIVATE.CSV", 0600, 0600},
        {"SHARED.CSV", 0640, 0640},
        {"NEW.CSV", 0, 0666 & ~currentUmask()},
        {std::string(247, 'L') + ".CSV", 0604, 0604},  // 251 characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 20));
        const fs::path target = folder / c.name;
        if (c.oldMode) {
            ASSERT_TRUE(writeFileSafely(target.string(), "old"));
            fs::permissions(target, static_cast<fs::perms>(c.oldMode));
        }
        test::ScriptedSaveCalls calls;
        {
            SaveCallsOverride recorded(calls);
            std::string error;
            ASSERT_TRUE(writeFileSafely(target.string(), "new", &error)) << error;
        }
        EXPECT_EQ(readFileBytes(target.string()), "new");
        EXPECT_EQ(modeOf(target), c.expectedMode);
        ASSERT_EQ(calls.paths.size(), 2u);  // created, then renamed
        const fs::path temporary = calls.paths[0];
        EXPECT_EQ(calls.paths[1], temporary.string());
        EXPECT_EQ(temporary.parent_path(), folder);
        EXPECT_EQ(temporary.filename().string().front(), '.');
        EXPECT_LE(temporary.filename().string().size(), 19u);
        EXPECT_FALSE(fs::exists(temporary));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              std::ssize(cases));
    fs::remove_all(folder);
}

// The calls of a save, noting the temporary file's mode the moment it exists.
class ModeAtCreation : public test::ScriptedSaveCalls {
  public:
    int createNew(const std::string& path, const std::string& model, SaveHandle& handle) override {
        const int result = ScriptedSaveCalls::createNew(path, model, handle);
        created = modeOf(path);
        return result;
    }
    mode_t created = 0;
};

TEST(SafeFile, TheTemporaryFileHasTheFinalModeFromItsCreation) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-mode");
    const mode_t mask = ::umask(022);
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0644}}) {
        SCOPED_TRACE(mode);
        const fs::path target = folder / "PRIVATE.CSV";
        ASSERT_TRUE(writeFileSafely(target.string(), "old"));
        fs::permissions(target, static_cast<fs::perms>(mode));
        ModeAtCreation calls;
        {
            SaveCallsOverride recorded(calls);
            ASSERT_TRUE(writeFileSafely(target.string(), "new"));
        }
        EXPECT_EQ(calls.created, mode) << "never wider, not even before the bits are copied";
        EXPECT_EQ(modeOf(target), mode);
    }
    ::umask(mask);
    fs::remove_all(folder);
}

TEST(SafeFile, AKilledSavesTemporaryFileIsRemovedByTheNextSaveOnceStale) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-stale");
    const fs::path target = folder / "A.CSV";
    ASSERT_TRUE(writeFileSafely(target.string(), "old"));
    // What a killed save of A.CSV leaves: its temporary name, as a save of it would make one.
    test::ScriptedSaveCalls calls;
    calls.failAt = 3;  // the write
    calls.error = EIO;
    {
        SaveCallsOverride recorded(calls);
        EXPECT_FALSE(writeFileSafely(target.string(), "new"));
    }
    const std::string stem = fs::path(calls.paths[0]).filename().string().substr(0, 11);
    const auto now = fs::file_time_type::clock::now();
    struct Leftover {
        std::string name;
        std::chrono::seconds age;
        bool removed;
    };
    const std::vector<Leftover> leftovers = {
        {stem + "OLDOLDOL", std::chrono::seconds(120), true},
        {stem + "FRESHNOW", std::chrono::seconds(10), false},
        {".kv00000000OTHEROLD", std::chrono::seconds(120), false},  // another target's
        {stem + "TOOLONGNAME", std::chrono::seconds(120), false},
    };
    for (const auto& leftover : leftovers) {
        std::ofstream(folder / leftover.name) << "part";
        fs::last_write_time(folder / leftover.name, now - leftover.age);
    }
    ASSERT_TRUE(writeFileSafely(target.string(), "new"));
    for (const auto& leftover : leftovers) {
        EXPECT_EQ(fs::exists(folder / leftover.name), !leftover.removed) << leftover.name;
    }
    EXPECT_EQ(readFileBytes(target.string()), "new");
    fs::remove_all(folder);
}

TEST(SafeFile, AFailedSaveGivesTheSystemsReasonToItsMessage) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-reason");
    const std::string missing = (folder / "none" / "A.CSV").string();
    EXPECT_FALSE(writeFileSafely(missing, "x"));
    const std::string reason = std::generic_category().message(ENOENT);
    EXPECT_EQ(lastSaveFailureReason(), reason);
    test::RecordingVoice voice;
    reportSaveFailure(voice, TextTable(), missing);
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].text, "Error saving file - " + missing + "\n\n" + reason);
    EXPECT_TRUE(writeFileSafely((folder / "A.CSV").string(), "x"));
    EXPECT_EQ(lastSaveFailureReason(), "") << "a save that worked leaves no reason behind";
    fs::remove_all(folder);
}

TEST(SafeFile, TheTemporaryFileIsNeverOpenedThroughALink) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-link");
    ASSERT_TRUE(writeFileSafely((folder / "victim").string(), "precious"));
    fs::create_symlink(folder / "victim", folder / ".planted");
    fs::create_symlink(folder / "created-elsewhere", folder / ".dangling");
    for (const char* name : {".planted", ".dangling"}) {
        SaveHandle handle = -1;
        EXPECT_EQ(systemSaveCalls().createNew((folder / name).string(), {}, handle), EEXIST)
            << name;
    }
    EXPECT_EQ(readFileBytes((folder / "victim").string()), "precious");
    EXPECT_FALSE(fs::exists(folder / "created-elsewhere"));
    fs::remove_all(folder);
}

TEST(SafeFile, AnotherFileAtTheTemporaryNameMakesItPickAnother) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-taken");
    test::ScriptedSaveCalls calls;
    calls.failAt = 1;
    calls.error = EEXIST;
    {
        SaveCallsOverride taken(calls);
        ASSERT_TRUE(writeFileSafely((folder / "A.CSV").string(), "a"));
    }
    EXPECT_EQ(calls.names.front(), "createNew");
    EXPECT_EQ(calls.names[1], "createNew");
    EXPECT_NE(calls.paths[0], calls.paths[1]);
    EXPECT_EQ(readFileBytes((folder / "A.CSV").string()), "a");
    fs::remove_all(folder);
}

TEST(SafeFile, SavesFromSeveralThreadsAtOnceEachKeepItsBytes) {
    // A download on the worker and a report saved from the window draw temporary names at once.
    const fs::path folder = test::uniqueTempFolder("korvel-safe-threads");
    std::vector<std::thread> savers;
    for (int t = 0; t < 4; ++t) {
        savers.emplace_back([&folder, t] {
            for (int i = 0; i < 20; ++i) {
                const std::string name = std::to_string(t) + "-" + std::to_string(i);
                EXPECT_TRUE(writeFileSafely((folder / name).string(), name));
            }
        });
    }
    for (std::thread& saver : savers) {
        saver.join();
    }
    EXPECT_EQ(readFileBytes((folder / "3-19").string()), "3-19");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 80);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace korvel
