#include "app/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

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
        EXPECT_LE(temporary.filename().string().size(), 12u);
        EXPECT_FALSE(fs::exists(temporary));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              std::ssize(cases));
    fs::remove_all(folder);
}

TEST(SafeFile, TheTemporaryFileIsNeverOpenedThroughALink) {
    const fs::path folder = test::uniqueTempFolder("korvel-safe-link");
    ASSERT_TRUE(writeFileSafely((folder / "victim").string(), "precious"));
    fs::create_symlink(folder / "victim", folder / ".planted");
    fs::create_symlink(folder / "created-elsewhere", folder / ".dangling");
    for (const char* name : {".planted", ".dangling"}) {
        SaveHandle handle = -1;
        EXPECT_EQ(systemSaveCalls().createNew((folder / name).string(), handle), EEXIST) << name;
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

}  // namespace
}  // namespace korvel
